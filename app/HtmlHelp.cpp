// HTML Help through hhctrl.ocx, loaded by its full path in the system folder (never by a search
// that the current folder could answer).
#include "HtmlHelp.h"

#include <windows.h>

namespace {
using HtmlHelpAFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
constexpr UINT kDisplayTopic = 0; // HH_DISPLAY_TOPIC

HtmlHelpAFunction htmlHelp() {
    // The viewer's windows live in the module: it stays loaded for the life of the program.
    static HtmlHelpAFunction function = []() -> HtmlHelpAFunction {
        char path[MAX_PATH];
        UINT length = GetSystemDirectoryA(path, MAX_PATH);
        if (length == 0 || length + sizeof "\\hhctrl.ocx" > MAX_PATH)
            return nullptr;
        lstrcatA(path, "\\hhctrl.ocx");
        HMODULE module = LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        return module ? reinterpret_cast<HtmlHelpAFunction>(
                            reinterpret_cast<void*>(GetProcAddress(module, "HtmlHelpA")))
                      : nullptr;
    }();
    return function;
}
} // namespace

CString HelpFileBeside(const char* programPath) {
    CString folder(programPath);
    int slash = folder.ReverseFind('\\');
    if (slash >= 0)
        folder = folder.Left(slash);
    return folder + "\\Quarvel.chm";
}

bool ShowHelpContents(const char* helpFile) {
    HtmlHelpAFunction function = htmlHelp();
    if (!function)
        return false;
    function(nullptr, helpFile, kDisplayTopic, 0);
    return true;
}
