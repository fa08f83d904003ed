// UI test harness: pumps the message queue with a bounded wait (through the application's
// pre-translation and idle steps, as the real loop does), answers modal boxes and dialogs with
// a chosen button, and ends the test process if a test hangs.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace ui {

// Dispatches messages for about ms milliseconds (idle time runs the application's OnIdle).
void Pump(DWORD ms = 50);
// Pumps until done() is true or timeoutMs passes; answers done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);

// A modal dialog or message box seen by the answerer.
struct SeenDialog {
    std::string caption;
    std::string text; // the texts of its static controls, joined by "\n"
};

// While alive, every dialog (window class #32770) that this thread activates is answered:
// chooser returns the command to post (IDOK, IDCANCEL, IDYES, a control id) or 0 to leave it.
class DialogAnswerer {
public:
    using Chooser = std::function<int(HWND dialog, const SeenDialog& seen)>;
    explicit DialogAnswerer(Chooser chooser);
    // Answers every dialog with the same command.
    explicit DialogAnswerer(int command);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    const std::vector<SeenDialog>& Seen() const { return m_seen; }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    Chooser m_chooser;
    std::vector<SeenDialog> m_seen;
    std::vector<HWND> m_answered;
    HHOOK m_hook = nullptr;
    DialogAnswerer* m_previous = nullptr;
};

// Runs open(), which shows a popup menu (a context menu handler), reads the popup's items
// (id, enabled) once it is shown and closes it again. Empty when no menu was shown.
std::vector<std::pair<UINT, bool>> ReadPopupMenu(const std::function<void()>& open);

// The class name and text of a window, for assertions.
std::string ClassName(HWND window);
std::string WindowText(HWND window);

} // namespace ui
