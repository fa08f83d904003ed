// Batch save benchmark: the icons of Wine's own libraries, 1,000 of them (or the count given),
// saved as .ico files through the Save... dialog, one posted message per file as the user sees
// it, against quarvel-cli extract of the same files in the same run. Prints both times and the
// ratio dialog / command line.
//     batch_save_bench.exe [count] [folder]
#include "IconBatchSaveDlg.h"
#include "../support/BenchSupport.h"
#include "IconListView.h"
#include "engine/IconGroups.h"
#include "resource.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace quarvel;
using bench::Counter;
using bench::LibraryFiles;
using bench::Now;

namespace {

constexpr int kRounds = 3;

std::string MakeEmptyFolder(const char* name) {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            DeleteFileA((folder + "\\" + found.cFileName).c_str());
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return folder;
}

int FilesIn(const std::string& folder) {
    int count = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do
        count += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

// Answers the dialogs as a user in a hurry: the folder typed and Save Now pressed, "Yes to All"
// should a name come twice (an icon in two languages).
std::string targetFolder;
HHOOK hook = nullptr;
LRESULT CALLBACK PressSaveNow(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND dialog = reinterpret_cast<HWND>(wParam);
        char caption[64] = "";
        GetWindowTextA(dialog, caption, sizeof caption);
        if (std::string(caption) == "Save..." && !GetPropA(dialog, "pressed")) {
            SetPropA(dialog, "pressed", dialog);
            SetDlgItemTextA(dialog, IDC_SAVE_FOLDER, targetFolder.c_str());
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        } else if (std::string(caption) == "Confirm file overwrite") {
            PostMessageA(dialog, WM_COMMAND, IDC_YES_TO_ALL, 0);
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

double RunCli(const std::string& cli, const std::string& folder,
              const std::vector<std::string>& files) {
    std::string command = "\"" + cli + "\" extract --overwrite -o \"" + folder + "\"";
    for (const std::string& file : files)
        command += " \"" + file + "\"";
    // Its list of written files goes nowhere.
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE nowhere =
        CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = nowhere;
    startup.hStdError = nowhere;
    PROCESS_INFORMATION process{};
    const double start = Now();
    const BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    if (started)
        WaitForSingleObject(process.hProcess, INFINITE);
    const double elapsed = Now() - start;
    CloseHandle(nowhere);
    if (!started)
        return -1;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

} // namespace

int main(int argc, char** argv) {
    const int target = argc > 1 ? std::atoi(argv[1]) : 1000;
    const std::string libraries =
        argc > 2 ? argv[2] : "Z:\\usr\\lib\\x86_64-linux-gnu\\wine\\x86_64-windows";

    // Whole files, in order (again from the first when they run out), until they hold the
    // count: both sides save exactly these, a file named twice over its first copies.
    Counter counter;
    std::vector<std::string> withIcons;
    for (const std::string& file : LibraryFiles(libraries))
        if (ListIconGroups(file.c_str(), &counter) > 0)
            withIcons.push_back(file);
    std::vector<std::string> files;
    int icons = 0;
    for (std::size_t next = 0; !withIcons.empty() && icons < target; ++next) {
        files.push_back(withIcons[next % withIcons.size()]);
        icons += ListIconGroups(files.back().c_str(), &counter);
    }
    if (icons == 0) {
        std::printf("no icons found in %s\n", libraries.c_str());
        return 1;
    }

    AfxEnableControlContainer();
    CWnd host;
    if (!host.CreateEx(0, AfxDefaultWndClass(), "batch save bench",
                       WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 800, 600, nullptr,
                       nullptr))
        return 1;
    auto* view = new CIconListView;
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 780, 560}, &host,
                      AFX_IDW_PANE_FIRST))
        return 1;
    CIconListCtrl& list = view->GetListCtrl();
    for (const std::string& file : files)
        ListIconGroups(file.c_str(), &list);
    list.SelectAll();
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);

    // The three runs alternate, each into an emptied folder, and the best of kRounds counts: the
    // machine's other work slows single runs by a factor of two and more.
    double bestDialog = 1e9, bestPlain = 1e9, bestCli = 1e9;
    const std::string cli = std::string("Z:") + QUARVEL_CLI;
    for (int round = 0; round < kRounds; ++round) {
        targetFolder = MakeEmptyFolder("quarvel batch bench dialog");
        hook = SetWindowsHookExA(WH_CBT, PressSaveNow, nullptr, GetCurrentThreadId());
        double start = Now();
        CIconBatchSaveDlg dialog(list, SaveFolderSetting{}, &host);
        const INT_PTR result = dialog.DoModal();
        const double throughDialog = Now() - start;
        UnhookWindowsHookEx(hook);

        // The list's own save operation in a loop: what the dialog adds is the rest.
        const std::string plainFolder = MakeEmptyFolder("quarvel batch bench plain");
        start = Now();
        for (int i = 0; i < list.GetItemCount(); ++i) {
            const CString path =
                CString(plainFolder.c_str()) + "\\" + list.DefaultFileName(i, ".ico");
            list.SaveIcon(i, false, path, true, 0);
        }
        const double plainSaves = Now() - start;

        const std::string cliFolder = MakeEmptyFolder("quarvel batch bench cli");
        const double throughCli = RunCli(cli, cliFolder, files);
        std::printf("round %d: dialog %.3f s (%d of %d icons, %d files, %s), command line %.3f s "
                    "(%d files), save operation alone %.3f s\n",
                    round + 1, throughDialog, dialog.GetDone(), dialog.GetTotal(),
                    FilesIn(targetFolder), result == IDOK ? "closed itself" : "did not finish",
                    throughCli, FilesIn(cliFolder), plainSaves);
        bestDialog = std::min(bestDialog, throughDialog);
        bestPlain = std::min(bestPlain, plainSaves);
        if (throughCli > 0)
            bestCli = std::min(bestCli, throughCli);
    }
    std::printf("%d icons of %d files from %s, best of %d\n", icons, static_cast<int>(files.size()),
                libraries.c_str(), kRounds);
    std::printf("dialog:       %.3f s\ncommand line: %.3f s (process start included)\n"
                "save operation alone: %.3f s\ndialog / command line: %.2f\n",
                bestDialog, bestCli, bestPlain, bestDialog / bestCli);
    std::fflush(stdout);
    host.DestroyWindow();
    return 0;
}
