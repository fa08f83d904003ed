// The batch save dialog's test driver: one active driver per thread, a thread timer for the
// steps and a CBT hook that reads the dialog as it is destroyed.
#include "BatchSaveDriver.h"

#include "resource.h"

#include <shlobj.h>

namespace {
thread_local BatchSaveDriver* activeDriver = nullptr;
const char kBatchCaption[] = "Save...";
const char kOverwriteCaption[] = "Confirm file overwrite";
const char kMessageCaption[] = "Save resource";
} // namespace

BatchSaveDriver::BatchSaveDriver(Options options)
    : m_options(std::move(options)),
      m_answerer([this](HWND window, const ui::SeenDialog& seen) { return Answer(window, seen); }) {
    activeDriver = this;
    m_timer = SetTimer(nullptr, 0, 10, Tick);
    m_closeHook = SetWindowsHookExA(WH_CBT, WatchClose, nullptr, GetCurrentThreadId());
}

BatchSaveDriver::~BatchSaveDriver() {
    KillTimer(nullptr, m_timer);
    UnhookWindowsHookEx(m_closeHook);
    activeDriver = nullptr;
}

int BatchSaveDriver::Answer(HWND window, const ui::SeenDialog& seen) {
    if (seen.caption == kBatchCaption) {
        if (m_dialog == window)
            return 0; // active again after a question
        m_dialog = window;
        m_atOpen = Read(window);
        SetDlgItemTextA(window, IDC_SAVE_FOLDER, m_options.folder.c_str());
        CheckRadioButton(window, IDC_FORMAT_ICO, IDC_FORMAT_PNG, IDC_FORMAT_ICO + m_options.format);
        return m_options.pressSaveNow ? IDOK : 0;
    }
    if (seen.caption == kOverwriteCaption) {
        const std::size_t turn = m_overwriteAsked++;
        const int answer = turn < m_options.overwrite.size() ? m_options.overwrite[turn] : IDCANCEL;
        if (answer != kEscape)
            return answer;
        PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
        return 0;
    }
    if (seen.caption != kMessageCaption && !m_options.browseTo.empty()) {
        SendMessageA(window, BFFM_SETSELECTIONA, TRUE,
                     reinterpret_cast<LPARAM>(m_options.browseTo.c_str()));
        return IDOK;
    }
    // A box without the button asked for (an exclamation with OK only) gets OK.
    return GetDlgItem(window, m_options.messageBox) ? m_options.messageBox : IDOK;
}

void BatchSaveDriver::ExitWhenEnded() {
    Then([this](HWND dialog) {
        const Controls now = Read(dialog);
        if (now.stopEnabled || now.saveNowEnabled)
            return false; // not started, or still running
        m_ready = now;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return true;
    });
}

std::vector<ui::SeenDialog> BatchSaveDriver::Questions() const {
    std::vector<ui::SeenDialog> questions;
    for (const ui::SeenDialog& seen : m_answerer.Seen())
        if (seen.caption != kBatchCaption)
            questions.push_back(seen);
    return questions;
}

void CALLBACK BatchSaveDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
    BatchSaveDriver* self = activeDriver;
    if (!self || self->m_inStep || !self->m_dialog || !IsWindow(self->m_dialog) ||
        self->m_nextStep >= self->m_steps.size())
        return;
    // A step runs only while the batch dialog is the one in front, not under a question.
    if (GetLastActivePopup(self->m_dialog) != self->m_dialog)
        return;
    self->m_inStep = true; // a step may run a modal loop of its own
    if (self->m_steps[self->m_nextStep](self->m_dialog))
        ++self->m_nextStep;
    self->m_inStep = false;
}

LRESULT CALLBACK BatchSaveDriver::WatchClose(int code, WPARAM wParam, LPARAM lParam) {
    BatchSaveDriver* self = activeDriver;
    if (self && code == HCBT_DESTROYWND && reinterpret_cast<HWND>(wParam) == self->m_dialog)
        self->m_atClose = Read(self->m_dialog);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BatchSaveDriver::Controls BatchSaveDriver::Read(HWND dialog) {
    Controls controls;
    controls.folder = ui::WindowText(GetDlgItem(dialog, IDC_SAVE_FOLDER));
    controls.progress = ui::WindowText(GetDlgItem(dialog, IDC_SAVE_PROGRESS_TEXT));
    HWND log = GetDlgItem(dialog, IDC_SAVE_LOG);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(log)) + 1, '\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextA(log, text.data(), static_cast<int>(text.size()))));
    controls.log = text;
    controls.saveNowEnabled = IsWindowEnabled(GetDlgItem(dialog, IDOK));
    controls.stopEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_STOP));
    controls.exitEnabled = IsWindowEnabled(GetDlgItem(dialog, IDCANCEL));
    SCROLLINFO scroll{};
    scroll.cbSize = sizeof scroll;
    scroll.fMask = SIF_ALL;
    controls.logAtEnd = !GetScrollInfo(log, SB_VERT, &scroll) ||
                        scroll.nPos + static_cast<int>(scroll.nPage) > scroll.nMax;
    controls.formatIco = IsDlgButtonChecked(dialog, IDC_FORMAT_ICO) == BST_CHECKED;
    controls.hasIcons = SendMessageA(dialog, WM_GETICON, ICON_BIG, 0) &&
                        SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0);
    controls.progressPos =
        static_cast<int>(SendDlgItemMessageA(dialog, IDC_SAVE_PROGRESS, PBM_GETPOS, 0, 0));
    controls.progressHigh =
        static_cast<int>(SendDlgItemMessageA(dialog, IDC_SAVE_PROGRESS, PBM_GETRANGE, FALSE, 0));
    return controls;
}

std::vector<std::string> BatchSaveDriver::Lines(const std::string& log) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = log.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(log.substr(start, end - start));
    if (start < log.size())
        lines.push_back(log.substr(start));
    return lines;
}
