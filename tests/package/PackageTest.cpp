// The release packages under Wine: a silent per-user install puts the files, the Start menu
// shortcut and the Uninstall entry in place; the installed Quarvel starts; a silent uninstall
// takes away exactly what the install made; the "Open in Quarvel" verb is written only when asked
// for; the portable zip unpacks to a Quarvel that starts.
#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

// Build-tree paths arrive as Unix paths; Wine shows the Unix root as drive Z:.
std::string FromUnix(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

std::string KnownFolder(int csidl) {
    char path[MAX_PATH] = "";
    EXPECT_EQ(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path), S_OK);
    return path;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A started program; ended by force if it has not ended by itself when this goes.
struct Process {
    explicit Process(std::string commandLine) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &info))
            CloseHandle(info.hThread);
    }
    ~Process() {
        if (!info.hProcess)
            return;
        if (!Ended(0))
            TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hProcess);
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    bool Ended(DWORD waitMs) const {
        return info.hProcess && WaitForSingleObject(info.hProcess, waitMs) == WAIT_OBJECT_0;
    }
    PROCESS_INFORMATION info{};
};

// Runs a command line and answers its exit code, or -1 when it failed to start or to end in time.
long RunToEnd(const std::string& commandLine) {
    Process process(commandLine);
    DWORD code = DWORD(-1);
    if (process.Ended(60000))
        GetExitCodeProcess(process.info.hProcess, &code);
    return long(code);
}

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindQuarvelWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char title[64] = "";
    GetWindowTextA(window, title, sizeof title);
    if (owner == search->processId && IsWindowVisible(window) &&
        std::string(title).rfind("Quarvel", 0) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Starts a program, waits for its main window (visible, titled "Quarvel...") and closes it.
// Answers whether the window appeared and the program then ended by itself.
bool StartsAndShowsItsWindow(const std::string& exe) {
    Process process("\"" + exe + "\"");
    WindowSearch search{process.info.dwProcessId, nullptr};
    for (int waited = 0; waited < 30000 && !search.found && !process.Ended(100); waited += 100)
        EnumWindows(FindQuarvelWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found)
        PostMessageA(search.found, WM_CLOSE, 0, 0);
    return search.found != nullptr && process.Ended(15000);
}

// ---- What is on the machine: files (with sizes) and registry keys and values (with data)

using Snapshot = std::set<std::string>;

// Folders the snapshot leaves out: the temporary folder (where the uninstaller runs a copy of
// itself), and the templates, which Wine links to the Unix home that other programs change.
bool Skipped(const std::string& folder) {
    static const std::string templates = KnownFolder(CSIDL_TEMPLATES), temp = [] {
        char path[MAX_PATH] = "";
        GetTempPathA(MAX_PATH, path);
        return std::string(path);
    }();
    return folder == templates || folder + "\\" == temp;
}

void AddFiles(const std::string& folder, Snapshot& out) {
    if (Skipped(folder))
        return;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        std::string path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out.insert(path + "\\");
            AddFiles(path, out);
        } else {
            out.insert(path + " (" + std::to_string(found.nFileSizeLow) + " bytes)");
        }
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

// Wine's font cache notes the code page of the last program that started: Quarvel's UTF-8 and
// the installer's legacy one take turns there. No program of ours writes it.
bool SkippedValue(const std::string& key, const char* value) {
    return key == "HKCU\\Software\\Wine\\Fonts" && std::string(value) == "Codepages";
}

void AddRegistry(HKEY root, const std::string& name, Snapshot& out) {
    HKEY key;
    if (RegOpenKeyExA(root, nullptr, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    out.insert(name + "\\");
    std::vector<char> valueName(16384), data(65536);
    for (DWORD k = 0;; ++k) {
        DWORD nameSize = DWORD(valueName.size()), dataSize = DWORD(data.size()), type = 0;
        if (RegEnumValueA(key, k, valueName.data(), &nameSize, nullptr, &type,
                          reinterpret_cast<BYTE*>(data.data()), &dataSize) != ERROR_SUCCESS)
            break;
        if (!SkippedValue(name, valueName.data()))
            out.insert(name + "\\[" + valueName.data() + "] = " + std::to_string(type) + ":" +
                       std::string(data.data(), dataSize));
    }
    std::vector<std::string> subkeys;
    for (DWORD k = 0;; ++k) {
        DWORD nameSize = DWORD(valueName.size());
        if (RegEnumKeyExA(key, k, valueName.data(), &nameSize, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS)
            break;
        subkeys.emplace_back(valueName.data(), nameSize);
    }
    for (const std::string& subkey : subkeys) {
        HKEY child;
        if (RegOpenKeyExA(key, subkey.c_str(), 0, KEY_READ, &child) == ERROR_SUCCESS) {
            AddRegistry(child, name + "\\" + subkey, out);
            RegCloseKey(child);
        }
    }
    RegCloseKey(key);
}

// Everywhere an install of either kind writes.
Snapshot TakeSnapshot() {
    Snapshot out;
    AddFiles(KnownFolder(CSIDL_APPDATA), out);
    AddFiles(KnownFolder(CSIDL_LOCAL_APPDATA), out);
    AddFiles(KnownFolder(CSIDL_COMMON_APPDATA), out);
    AddFiles(KnownFolder(CSIDL_PROGRAM_FILES), out);
    AddRegistry(HKEY_CURRENT_USER, "HKCU", out);
    HKEY software;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &software) == ERROR_SUCCESS) {
        AddRegistry(software, "HKLM\\Software", out);
        RegCloseKey(software);
    }
    return out;
}

Snapshot Minus(const Snapshot& a, const Snapshot& b) {
    Snapshot out;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::inserter(out, out.end()));
    return out;
}

std::string Lines(const Snapshot& entries) {
    std::string out;
    for (const std::string& entry : entries)
        out += "  " + entry + "\n";
    return out;
}

std::string ReadString(HKEY key, const char* name) {
    char value[1024] = "";
    DWORD size = sizeof value;
    RegGetValueA(key, nullptr, name, RRF_RT_REG_SZ, nullptr, value, &size);
    return value;
}

std::string ShortcutTarget(const std::string& link) {
    CoInitialize(nullptr);
    std::string target;
    IShellLinkA* shellLink = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&shellLink)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(
                shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            std::wstring wide(link.begin(), link.end());
            char path[MAX_PATH] = "";
            if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ)) &&
                SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, 0)))
                target = path;
            file->Release();
        }
        shellLink->Release();
    }
    CoUninitialize();
    return target;
}

const char* const kProgramFiles[] = {"Quarvel.exe", "Quarvel.chm", "quarvel-cli.exe", "readme.txt"};
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quarvel";
const char kAssociations[] = "Software\\Classes\\SystemFileAssociations";
const char* const kIconFileTypes[] = {".exe", ".dll", ".ocx", ".scr", ".cpl", ".ico"};

std::string PerUserFolder() {
    return KnownFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Quarvel";
}

long InstallPerUser(const std::string& options) {
    return RunToEnd("\"" + FromUnix(QUARVEL_SETUP_FILE) + "\" /S /CurrentUser" + options);
}

// Runs the per-user uninstaller silently and checks that it took away everything in `made`
// and nothing else.
void UninstallPerUserAndCheck(const Snapshot& made) {
    Snapshot beforeUninstall = TakeSnapshot();
    ASSERT_EQ(RunToEnd("\"" + PerUserFolder() + "\\Uninstall.exe\" /CurrentUser /S"), 0);
    // The uninstaller runs from a copy of itself in the temporary folder and returns at once:
    // wait until the copy has taken away all the install made (or given up), and a little more
    // for anything it would wrongly take besides.
    auto leftBehind = [&made](const Snapshot& now) {
        Snapshot left;
        std::set_intersection(made.begin(), made.end(), now.begin(), now.end(),
                              std::inserter(left, left.end()));
        return left;
    };
    for (int waited = 0; waited < 30000 && !leftBehind(TakeSnapshot()).empty(); waited += 200)
        Sleep(200);
    Sleep(500);
    Snapshot after = TakeSnapshot(), left = leftBehind(after);
    EXPECT_TRUE(left.empty()) << "left behind:\n" << Lines(left);
    EXPECT_TRUE(Minus(Minus(beforeUninstall, after), made).empty())
        << "removed although the install did not make it:\n"
        << Lines(Minus(Minus(beforeUninstall, after), made));
}

bool MentionsAssociations(const Snapshot& entries) {
    return std::any_of(entries.begin(), entries.end(), [](const std::string& entry) {
        return entry.find("SystemFileAssociations") != std::string::npos;
    });
}

// ---- The installer: one silent per-user install, checked, run, then uninstalled

class SilentPerUserInstall : public testing::Test {
protected:
    static void SetUpTestSuite() {
        // A new shortcut makes Wine write a launcher into the Unix desktop's menus, outside the
        // prefix: not from a test. (Were it written, its record under HKCU\Software\Wine would
        // be left behind and fail the uninstall test.)
        RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\DllOverrides", "winemenubuilder.exe",
                        REG_SZ, "", 1);
        folder = PerUserFolder();
        shortcut = KnownFolder(CSIDL_PROGRAMS) + "\\Quarvel.lnk";
        before = TakeSnapshot();
        installExit = InstallPerUser("");
        afterInstall = TakeSnapshot();
    }

    static std::string folder, shortcut;
    static Snapshot before, afterInstall;
    static long installExit;
};
std::string SilentPerUserInstall::folder, SilentPerUserInstall::shortcut;
Snapshot SilentPerUserInstall::before, SilentPerUserInstall::afterInstall;
long SilentPerUserInstall::installExit;

TEST_F(SilentPerUserInstall, PutsTheFilesTheShortcutAndTheUninstallEntryInPlace) {
    ASSERT_EQ(installExit, 0);
    ULONGLONG bytes = 0;
    for (const char* name : kProgramFiles) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        ASSERT_TRUE(
            GetFileAttributesExA((folder + "\\" + name).c_str(), GetFileExInfoStandard, &data))
            << name;
        bytes += data.nFileSizeLow;
    }
    EXPECT_TRUE(Exists(folder + "\\Uninstall.exe"));
    EXPECT_EQ(ShortcutTarget(shortcut), folder + "\\Quarvel.exe");

    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kUninstallKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(ReadString(key, "DisplayName"), "Quarvel");
    EXPECT_EQ(ReadString(key, "DisplayVersion"), QUARVEL_VERSION);
    EXPECT_EQ(ReadString(key, "Publisher"), "Vendrel");
    EXPECT_EQ(ReadString(key, "DisplayIcon"), folder + "\\Quarvel.exe,0");
    EXPECT_EQ(ReadString(key, "InstallLocation"), folder);
    EXPECT_EQ(ReadString(key, "QuietUninstallString"),
              "\"" + folder + "\\Uninstall.exe\" /CurrentUser /S");
    // In KiB; the uninstaller adds a little to the program's files.
    DWORD size = 0, sizeSize = sizeof size;
    RegGetValueA(key, nullptr, "EstimatedSize", RRF_RT_REG_DWORD, nullptr, &size, &sizeSize);
    EXPECT_GE(size, bytes / 1024);
    EXPECT_LE(size, bytes / 1024 + 512);
    RegCloseKey(key);

    // A per-user install leaves the machine's places alone.
    Snapshot made = Minus(afterInstall, before);
    for (const std::string& entry : made)
        EXPECT_EQ(entry.rfind("HKLM", 0), std::string::npos) << entry;
    EXPECT_FALSE(Exists(KnownFolder(CSIDL_PROGRAM_FILES) + "\\Quarvel"));
    // The "Open in Quarvel" verb is written only when asked for.
    EXPECT_FALSE(MentionsAssociations(made)) << Lines(made);
}

TEST_F(SilentPerUserInstall, InstalledProgramStarts) {
    ASSERT_EQ(installExit, 0);
    EXPECT_TRUE(StartsAndShowsItsWindow(folder + "\\Quarvel.exe"));
}

TEST_F(SilentPerUserInstall, SilentUninstallRemovesWhatTheInstallMadeAndNothingElse) {
    ASSERT_EQ(installExit, 0);
    UninstallPerUserAndCheck(Minus(afterInstall, before));
    EXPECT_FALSE(Exists(shortcut));
}

// ---- The "Open in Quarvel" verb: written for each icon file type, taken away by the uninstall

TEST(OpenWithOption, WritesTheVerbForEachIconFileTypeAndTheUninstallTakesItAway) {
    Snapshot before = TakeSnapshot();
    ASSERT_EQ(InstallPerUser(" /OpenWith"), 0);
    Snapshot made = Minus(TakeSnapshot(), before);
    const std::string command = "\"" + PerUserFolder() + "\\Quarvel.exe\" \"%1\"";
    for (const char* type : kIconFileTypes) {
        std::string verb = std::string(kAssociations) + "\\" + type + "\\shell\\OpenInQuarvel";
        HKEY key;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, verb.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS)
            << type;
        EXPECT_EQ(ReadString(key, nullptr), "Open in Quarvel") << type;
        RegCloseKey(key);
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (verb + "\\command").c_str(), 0, KEY_READ, &key),
                  ERROR_SUCCESS)
            << type;
        EXPECT_EQ(ReadString(key, nullptr), command) << type;
        RegCloseKey(key);
    }
    // Per-user: the machine's classes stay as they were.
    for (const std::string& entry : made)
        EXPECT_EQ(entry.rfind("HKLM", 0), std::string::npos) << entry;

    UninstallPerUserAndCheck(made);
}

// ---- The portable zip, unpacked by the test that runs before this one

TEST(PortableZip, UnpacksToAQuarvelThatStartsAndWritesNothing) {
    std::string unpacked = FromUnix(QUARVEL_UNPACKED_DIR);
    for (const char* name : kProgramFiles)
        EXPECT_TRUE(Exists(unpacked + "\\" + name)) << name;
    Snapshot before = TakeSnapshot();
    EXPECT_TRUE(StartsAndShowsItsWindow(unpacked + "\\Quarvel.exe"));
    Snapshot after = TakeSnapshot();
    EXPECT_TRUE(Minus(after, before).empty()) << "written:\n" << Lines(Minus(after, before));
    EXPECT_TRUE(Minus(before, after).empty()) << "removed:\n" << Lines(Minus(before, after));
}

} // namespace
