// OpenLink: the shell's "open" verb, the ".htm" browser fallback, and the error texts.
#include "OpenLink.h"

#include <cstring>
#include <string>

namespace {
constexpr INT_PTR kLaunched = 33; // a shell-style success for a browser the fallback started
constexpr std::size_t kMaxRegistryText = 260;

bool isBlank(char ch) {
    return ch == ' ' || ch == '\t';
}

bool isAbsolutePath(const CString& path) {
    const char* p = path.GetString();
    bool drive = ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z')) && p[1] == ':' &&
                 (p[2] == '\\' || p[2] == '/');
    bool unc = p[0] == '\\' && p[1] == '\\';
    return drive || unc;
}

bool isFile(const CString& path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A program named without a folder is looked for in the system folders only.
bool findInSystemFolders(const CString& name, CString& found) {
    if (name.IsEmpty() || name.Find('\\') >= 0 || name.Find('/') >= 0 || name.Find(':') >= 0)
        return false;
    char folder[MAX_PATH];
    UINT (*const folders[])(char*, UINT) = {GetSystemDirectoryA, GetWindowsDirectoryA};
    for (auto folderOf : folders) {
        UINT length = folderOf(folder, sizeof folder);
        if (length == 0 || length >= sizeof folder)
            continue;
        CString candidate = CString(folder) + "\\" + name;
        if (isFile(candidate)) {
            found = candidate;
            return true;
        }
    }
    return false;
}

// A target is passed as one quoted argument: it may hold no quotation mark or control character.
bool isPassableArgument(const char* target) {
    for (const char* p = target; *p; ++p)
        if (*p == '"' || static_cast<unsigned char>(*p) < ' ')
            return false;
    return true;
}

// Shell targets are addresses ("scheme:..." with a scheme of two or more letters) or full
// paths; a bare name could make the shell run a program from the current folder.
bool isOpenableTarget(const char* target) {
    if (isAbsolutePath(target))
        return true;
    const char* p = target;
    while ((*p >= 'a' && *p <= 'z') || (*p >= 'A' && *p <= 'Z') || (*p >= '0' && *p <= '9') ||
           *p == '+' || *p == '-' || *p == '.')
        ++p;
    return *p == ':' && p - target >= 2;
}
} // namespace

LONG ReadClassesDefault(HKEY root, const char* subkey, CString& value) {
    std::string text;
    const LONG status = ReadRegistryDefault(root, subkey, kMaxRegistryText, text);
    if (status == ERROR_SUCCESS)
        value = text.c_str();
    return status;
}

bool BuildBrowserLaunch(const char* registeredCommand, const char* target, BrowserLaunch& launch) {
    if (!registeredCommand || !target || !isPassableArgument(target))
        return false;
    CString command = registeredCommand;
    int placeholder = command.Find("\"%1\"");
    if (placeholder < 0)
        placeholder = command.Find("%1");
    if (placeholder >= 0)
        command = command.Left(placeholder);
    command.Trim();

    CString program, arguments;
    if (command.GetLength() > 0 && command.GetAt(0) == '"') {
        int close = command.Find('"', 1);
        if (close < 0)
            return false;
        program = command.Mid(1, close - 1);
        arguments = command.Mid(close + 1);
    } else {
        // An unquoted path may hold blanks: take the longest leading run of words that names an
        // existing file, so that a planted "C:\Program" never stands in for "C:\Program Files\..".
        int end = command.GetLength();
        while (end > 0) {
            CString candidate = command.Left(end);
            if (isAbsolutePath(candidate) && isFile(candidate))
                break;
            do
                --end;
            while (end > 0 && !isBlank(command.GetAt(end)));
        }
        if (end > 0) {
            program = command.Left(end);
            arguments = command.Mid(end);
        } else {
            int blank = 0;
            while (blank < command.GetLength() && !isBlank(command.GetAt(blank)))
                ++blank;
            program = command.Left(blank);
            arguments = command.Mid(blank);
        }
    }
    if (!isAbsolutePath(program) && !findInSystemFolders(program, program))
        return false;
    if (!isFile(program))
        return false;

    arguments.TrimRight();
    launch.program = program;
    launch.commandLine = "\"" + program + "\"" + arguments + " \"" + target + "\"";
    return true;
}

bool RegisteredBrowserLaunch(const char* target, BrowserLaunch& launch) {
    CString fileType;
    if (ReadClassesDefault(HKEY_CLASSES_ROOT, ".htm", fileType) != ERROR_SUCCESS ||
        fileType.IsEmpty())
        return false;
    CString command;
    if (ReadClassesDefault(HKEY_CLASSES_ROOT, fileType + "\\shell\\open\\command", command) !=
        ERROR_SUCCESS)
        return false;
    return BuildBrowserLaunch(command, target, launch);
}

INT_PTR OpenLink(const char* target, int showCommand) {
    if (!target || !isOpenableTarget(target))
        return SE_ERR_FNF;
    auto shellResult = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", target, nullptr, nullptr, showCommand));
    if (shellResult > 32)
        return shellResult;

    BrowserLaunch launch;
    if (!RegisteredBrowserLaunch(target, launch))
        return shellResult;
    ProcessLaunch browser;
    browser.program = launch.program;
    browser.commandLine = launch.commandLine;
    return StartProcess(browser) ? kLaunched : 0;
}

CString LinkErrorText(INT_PTR result) {
    static const struct {
        INT_PTR result;
        const char* text;
    } explanations[] = {
        {0, "The operating system is out\nof memory or resources."},
        {SE_ERR_FNF, "The specified file was not found."},
        {SE_ERR_PNF, "The specified path was not found."},
        {SE_ERR_ACCESSDENIED, "The operating system denied\naccess to the specified file."},
        {SE_ERR_OOM, "There was not enough memory to complete the operation."},
        {ERROR_BAD_FORMAT, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {SE_ERR_SHARE, "A sharing violation occurred. "},
        {SE_ERR_ASSOCINCOMPLETE, "The filename association is\nincomplete or invalid."},
        {SE_ERR_DDETIMEOUT,
         "The DDE transaction could not\nbe completed because the request timed out."},
        {SE_ERR_DDEFAIL, "The DDE transaction failed."},
        {SE_ERR_DDEBUSY, "The DDE transaction could not\nbe completed because other DDE "
                         "transactions\nwere being processed."},
        {SE_ERR_NOASSOC, "There is no application associated\nwith the given filename extension."},
        {SE_ERR_DLLNOTFOUND, "The specified dynamic-link library was not found."},
    };
    CString explanation;
    for (const auto& entry : explanations)
        if (entry.result == result)
            explanation = entry.text;
    if (explanation.IsEmpty())
        explanation.Format("Unknown Error (%lld) occurred.", static_cast<long long>(result));
    return "Unable to open hyperlink:\n\n" + explanation;
}

void ShowLinkError(INT_PTR result) {
    AfxMessageBox(LinkErrorText(result), MB_OK | MB_ICONEXCLAMATION);
}
