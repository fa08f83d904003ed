// UI test harness: pumps the message queue until a condition holds (through the application's
// pre-translation and idle steps, as the real loop does), hosts views and controls in a window of
// their own, clicks and reads menus as the user would, answers modal boxes and dialogs with a
// chosen button, fails a test during which a callback swallowed an exception, and ends the test
// process if a test hangs, naming it.
#pragma once

#include "Framework.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace ui {

// Dispatches what is queued (and what that queues in turn), then runs the application's idle
// step once: the updates of toolbar buttons and status panes happen there.
void PumpPending();
// Pumps until done() is true or timeoutMs passes; answers done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);
// Dispatches one message at a time until done() holds: while a worker or a timer keeps the queue
// busy, a pump that empties the queue before it looks would look only once all is over.
bool PumpEachUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);

// The current test expects this many exceptions to be stopped at a window procedure or callback
// boundary; any other number fails it (the default is none).
void ExpectCallbackExceptions(long count);

// A top-level window for the controls and views under test, destroyed with the object (the
// views in it delete themselves with their windows).
class HostWindow {
public:
    explicit HostWindow(int width = 600, int height = 400,
                        DWORD style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    // Creates a view of class View as a visible child at place; null when creation failed.
    template <class View> View* AddView(const RECT& place, UINT id = AFX_IDW_PANE_FIRST) {
        auto* view = new View;
        return view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, place, &wnd, id) ? view
                                                                                      : nullptr;
    }

    CWnd wnd;
};

// A mouse click at a point of a window's client area: the button goes down and up through the
// window's queue, as the user's click arrives, and both are handled before this returns. (A sent
// button-down never returns from a tree view: it tracks the mouse until the button comes up.)
enum class Button { Left, Right };
void Click(HWND window, POINT at, Button button = Button::Left);
// The centre of a rectangle, where a click on an item lands.
POINT Centre(const RECT& rect);

// The commands of a menu, separators and popups left out, and whether each is enabled.
using MenuItems = std::vector<std::pair<UINT, bool>>;
MenuItems ReadMenu(HMENU menu);
// Opens popup index of a frame's menu bar as the user does (the frame runs the update handlers)
// and reads it.
MenuItems FrameMenu(CWnd* frame, int index);
// Runs open(), which shows a popup menu (a context menu handler), reads the popup once it is
// shown and closes it again. Empty when no menu was shown.
MenuItems ReadPopupMenu(const std::function<void()>& open);
// The context menu of a window, asked for at a point offset from its top-left corner (screen
// coordinates, as a right click gives them) or, with fromKeyboard, by Shift+F10.
MenuItems ContextMenu(CWnd* window, POINT offset = {20, 40}, bool fromKeyboard = false);

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

// The text on the clipboard, or "(none)".
std::string ClipboardText();

// The class name and text of a window, for assertions.
std::string ClassName(HWND window);
std::string WindowText(HWND window);

} // namespace ui
