// Drives the batch save dialog from inside its modal loop: types the folder, picks the format,
// presses Save Now, answers the overwrite question and the message boxes, runs test steps on a
// timer, and reads the dialog's controls as it closes.
#pragma once

#include "BatchSaveDlg.h"
#include "UiHarness.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class BatchSaveDriver {
public:
    // An answer to the overwrite question: the Esc key.
    static constexpr int kEscape = -1;

    struct Options {
        Options(std::string folder, int format = CBatchSaveDlg::kIcoFormat,
                bool pressSaveNow = true, std::vector<int> overwrite = {}, int messageBox = IDNO,
                std::string browseTo = "")
            : folder(std::move(folder)), format(format), pressSaveNow(pressSaveNow),
              overwrite(std::move(overwrite)), messageBox(messageBox),
              browseTo(std::move(browseTo)) {}
        std::string folder;         // typed into the folder box
        int format;                 // the format button to choose (a CBatchSaveDlg::Format)
        bool pressSaveNow;          // press Save Now once the dialog shows
        std::vector<int> overwrite; // answers to the overwrite questions, in turn; then "&No"
        int messageBox;             // answer to the "Save resource" boxes
        std::string browseTo;       // the folder to pick in the folder browser
    };
    // What the dialog showed when it closed.
    struct Controls {
        std::string folder, progress, log;
        bool saveNowEnabled = false, stopEnabled = false, exitEnabled = false, formatIco = false;
        bool logAtEnd = false; // the log is scrolled to its last line
        bool hasIcons = false; // large and small
        int progressPos = -1, progressHigh = -1;
    };

    explicit BatchSaveDriver(Options options);
    ~BatchSaveDriver();
    BatchSaveDriver(const BatchSaveDriver&) = delete;
    BatchSaveDriver& operator=(const BatchSaveDriver&) = delete;

    // Adds a step; steps run in turn inside the dialog's loop, each until it answers true.
    void Then(std::function<bool(HWND dialog)> step) { m_steps.push_back(std::move(step)); }
    // Adds a step that waits for the batch to end with the dialog open (Stop and Save Now
    // disabled), keeps what it shows as Ready() and presses Exit.
    void ExitWhenEnded();
    // Every question and message box seen, in order (the batch dialog itself left out).
    std::vector<ui::SeenDialog> Questions() const;
    const Controls& AtOpen() const { return m_atOpen; }
    const Controls& AtClose() const { return m_atClose; }
    // What a step read while the dialog was open.
    void SetReady(const Controls& controls) { m_ready = controls; }
    const Controls& Ready() const { return m_ready; }

    static Controls Read(HWND dialog);
    // The log's entries (lines without their "\r\n").
    static std::vector<std::string> Lines(const std::string& log);

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    static LRESULT CALLBACK WatchClose(int code, WPARAM wParam, LPARAM lParam);
    int Answer(HWND window, const ui::SeenDialog& seen);

    Options m_options;
    std::vector<std::function<bool(HWND)>> m_steps;
    std::size_t m_nextStep = 0;
    bool m_inStep = false;
    HWND m_dialog = nullptr;
    std::size_t m_overwriteAsked = 0;
    Controls m_atOpen, m_ready, m_atClose;
    UINT_PTR m_timer = 0;
    HHOOK m_closeHook = nullptr;
    ui::DialogAnswerer m_answerer;
};
