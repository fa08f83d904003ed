// The row menu of the file list and its commands: which row they act on, Copy Path, the shell's
// Properties, and the command prompt started from the system folder.
#include "FileListPane.h"

#include "ShellCommands.h"

using namespace quarvel::test;
using Bytes = std::vector<std::uint8_t>;

namespace {
using Menu = ui::MenuItems;

// The row menu's commands and whether each is enabled.
Menu rowMenu(CFileListView* view) {
    return ui::ContextMenu(view);
}

// What a command prompt would have been started with.
struct StartedProcess {
    std::string application, commandLine, directory, title;
    DWORD flags = 0;
    int calls = 0;
} started;

BOOL WINAPI recordStart(LPCSTR application, LPSTR commandLine, LPSECURITY_ATTRIBUTES,
                        LPSECURITY_ATTRIBUTES, BOOL, DWORD flags, LPVOID, LPCSTR directory,
                        LPSTARTUPINFOA startup, LPPROCESS_INFORMATION process) {
    ++started.calls;
    started.application = application ? application : "(null)";
    started.commandLine = commandLine ? commandLine : "(null)";
    started.directory = directory ? directory : "(null)";
    started.title = startup->lpTitle ? startup->lpTitle : "(null)";
    started.flags = flags;
    *process = PROCESS_INFORMATION{};
    return TRUE;
}
} // namespace

TEST_F(FileListPane, CommandsActOnTheFocusedSelectedRowElseTheFirstSelected) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        Add(folder.Write(name, Bytes{'x'}));
    EXPECT_EQ(List().GetTargetRow(), -1);
    Select({1, 2}, 2);
    EXPECT_EQ(List().GetTargetRow(), 2);
    Select({1, 2}, 0); // the focus is on a row that is not selected
    EXPECT_EQ(List().GetTargetRow(), 1);
    Select({}, 0);
    EXPECT_EQ(List().GetTargetRow(), -1);
}

TEST_F(FileListPane, CopyPathPutsTheTargetRowsFullPathOnTheClipboard) {
    const std::string file = folder.Write("notepad.exe", Bytes{'M', 'Z'});
    Add(file);
    Add(MakeFolder("sub"));
    Select({0}, 0);
    fileList->SendMessage(WM_COMMAND, ID_COPY_PATH);
    EXPECT_EQ(ui::ClipboardText(), file);
    Select({1}, 1);
    fileList->SendMessage(WM_COMMAND, ID_COPY_PATH);
    EXPECT_EQ(ui::ClipboardText(), folder.File("sub"));
    // With no selected row nothing changes.
    Select({}, -1);
    CopyTextToClipboard(nullptr, "before");
    fileList->SendMessage(WM_COMMAND, ID_COPY_PATH);
    EXPECT_EQ(ui::ClipboardText(), "before");
}

TEST_F(FileListPane, RowMenuGraysSearchAndCommandPromptOnAFileRow) {
    Add(folder.Write("file.txt", Bytes{'x'}));
    Add(MakeFolder("sub"));
    EXPECT_TRUE(rowMenu(fileList).empty()); // no target row, no menu

    Select({0}, 0);
    EXPECT_EQ(rowMenu(fileList), (Menu{{ID_SHELL_OPEN, true},
                                       {ID_SHELL_PROPERTIES, true},
                                       {ID_SEARCH_IN_FOLDER, false},
                                       {ID_COPY_PATH, true},
                                       {ID_COMMAND_PROMPT, false}}));
    Select({1}, 1);
    EXPECT_EQ(rowMenu(fileList), (Menu{{ID_SHELL_OPEN, true},
                                       {ID_SHELL_PROPERTIES, true},
                                       {ID_SEARCH_IN_FOLDER, true},
                                       {ID_COPY_PATH, true},
                                       {ID_COMMAND_PROMPT, true}}));
}

TEST_F(FileListPane, PropertiesAsksTheShellAndAnyBoxItShowsIsAnswered) {
    Add(folder.Write("file.txt", Bytes{'x'}));
    Select({0}, 0);
    ui::DialogAnswerer answerer(IDOK);
    fileList->SendMessage(WM_COMMAND, ID_SHELL_PROPERTIES);
    ui::PumpPending();
    // Whatever the shell did (Wine cannot show a property sheet and says so), the view is
    // still here and usable.
    EXPECT_TRUE(IsWindow(fileList->m_hWnd));
    EXPECT_EQ(List().GetItemCount(), 1);
}

TEST(CommandPrompt, StartsTheSystemFoldersInterpreterInANewConsoleInTheFolder) {
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string interpreter = std::string(system) + "\\cmd.exe";
    EXPECT_STRCASEEQ(CommandInterpreterPath(), interpreter.c_str());

    // A cmd.exe in the current folder must not be the one started.
    TempFolder planted;
    planted.Write("cmd.exe", {'M', 'Z'});
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(planted.Path().c_str());

    started = StartedProcess{};
    EXPECT_TRUE(StartCommandPrompt("C:\\windows", recordStart));
    SetCurrentDirectoryA(previous);
    ASSERT_EQ(started.calls, 1);
    EXPECT_STRCASEEQ(started.application.c_str(), interpreter.c_str());
    EXPECT_STRCASEEQ(started.commandLine.c_str(), ("\"" + interpreter + "\"").c_str());
    EXPECT_EQ(started.directory, "C:\\windows\\");
    EXPECT_EQ(started.title, "C:\\windows\\");
    EXPECT_TRUE(started.flags & CREATE_NEW_CONSOLE);

    EXPECT_FALSE(StartCommandPrompt("", recordStart));
    EXPECT_FALSE(StartCommandPrompt(nullptr, recordStart));
    EXPECT_EQ(started.calls, 1);
}
