// Shell verbs and the command prompt.
#include "ShellCommands.h"

#include <shellapi.h>

bool RunShellVerb(const char* path, const char* verb, HWND owner) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = owner;
    info.lpVerb = verb;
    info.lpFile = path;
    info.nShow = SW_SHOW;
    return ShellExecuteExA(&info) != FALSE;
}

namespace {
bool IsNtPlatform() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL known = GetVersionExA(&version);
#pragma GCC diagnostic pop
    return !known || version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}
} // namespace

CString CommandInterpreterPath() {
    char system[MAX_PATH] = "";
    const UINT length = GetSystemDirectoryA(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    CString path(system);
    if (path.Right(1) != "\\")
        path += "\\";
    return path + (IsNtPlatform() ? "cmd.exe" : "command.com");
}

bool StartCommandPrompt(const char* folder, ProcessStarter starter) {
    const CString program = CommandInterpreterPath();
    if (!folder || !*folder || program.IsEmpty())
        return false;
    CString directory(folder);
    if (directory.Right(1) != "\\")
        directory += "\\";
    // The command line names the program by its full path too: its first word is what the
    // interpreter believes it was started as.
    const CString commandLine = "\"" + program + "\"";
    ProcessLaunch prompt;
    prompt.program = program;
    prompt.commandLine = commandLine;
    prompt.directory = directory;
    prompt.title = directory;
    prompt.flags = CREATE_NEW_CONSOLE;
    return StartProcess(prompt, starter);
}
