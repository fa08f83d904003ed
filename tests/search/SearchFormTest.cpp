// The search form in the started application: its rules and messages, what each choice finds, a
// search from Find to the filled file list, Stop in the middle, late messages of an earlier
// search, and closing the program during a search.
#include "AppFixture.h"
#include "SearchTrees.h"

#include <tlhelp32.h>

#include <cstdlib>
#include <algorithm>
#include <functional>
#include <map>
#include <set>

namespace {

using quarvel::search::SearchFilter;
using quarvel::search::WM_SEARCH_FINISHED;
using quarvel::search::WM_SEARCH_RESULTS;
using quarvel::search::test::PlainWalk;
using quarvel::search::test::TestTree;
using Paths = std::vector<std::string>;

constexpr int kTypeBoxes[] = {IDC_TYPE_EXE, IDC_TYPE_DLL, IDC_TYPE_OCX, IDC_TYPE_SCR,
                              IDC_TYPE_DRV, IDC_TYPE_ICO, IDC_TYPE_CUR, IDC_TYPE_ANI};

// Counts the WM_SEARCH_FINISHED messages this thread takes from its queue while alive, and keeps
// the run number of the last.
class FinishedCounter {
public:
    FinishedCounter() {
        s_count = 0;
        s_lastRun = 0;
        m_hook = SetWindowsHookExA(WH_GETMESSAGE, Hook, nullptr, GetCurrentThreadId());
    }
    ~FinishedCounter() { UnhookWindowsHookEx(m_hook); }
    int count() const { return s_count; }
    WPARAM lastRun() const { return s_lastRun; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        const auto* msg = reinterpret_cast<MSG*>(lParam);
        if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_SEARCH_FINISHED) {
            ++s_count;
            s_lastRun = msg->wParam;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline int s_count = 0;
    static inline WPARAM s_lastRun = 0;
    HHOOK m_hook;
};

// Records the play and stop requests the animation control receives while alive.
class AnimationLog {
public:
    explicit AnimationLog(HWND animation) {
        s_animation = animation;
        s_requests.clear();
        m_hook = SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId());
    }
    ~AnimationLog() { UnhookWindowsHookEx(m_hook); }
    std::size_t requests() const { return s_requests.size(); }
    // The last request was to play, from the first frame to the last, repeating without end.
    bool Playing() const {
        return !s_requests.empty() && s_requests.back().message == ACM_PLAY &&
               static_cast<UINT>(s_requests.back().wParam) == static_cast<UINT>(-1) &&
               s_requests.back().lParam == MAKELONG(0, -1);
    }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        const auto* sent = reinterpret_cast<CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && sent->hwnd == s_animation &&
            (sent->message == ACM_PLAY || sent->message == ACM_STOP))
            s_requests.push_back({sent->hwnd, sent->message, sent->wParam, sent->lParam, 0, {}});
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline HWND s_animation = nullptr;
    static inline std::vector<MSG> s_requests;
    HHOOK m_hook;
};

// The threads of this process.
std::set<DWORD> Threads() {
    std::set<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            ids.insert(entry.th32ThreadID);
    CloseHandle(snapshot);
    return ids;
}

class SearchForm : public QuarvelStarted {
protected:
    CSearchDlg* Form() const { return frame->GetSearchForm(); }
    HWND Control(int id) const { return GetDlgItem(Form()->m_hWnd, id); }
    bool Checked(int id) const {
        return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != 0; }
    void Click(int id) {
        RECT box;
        GetClientRect(Control(id), &box);
        ui::Click(Control(id), ui::Centre(box));
    }
    // A button pressed without pumping: what the search posts stays queued, so that the test
    // sees the search running.
    void Press(int id) { SendMessageA(Control(id), BM_CLICK, 0, 0); }
    std::string Text(int id) const { return ui::WindowText(Control(id)); }
    bool Playing() const {
        return SendMessageA(Control(IDC_SEARCH_ANIMATION), ACM_ISPLAYING, 0, 0);
    }
    unsigned Counted() const {
        return static_cast<unsigned>(std::atoi(Text(IDC_FOUND_COUNT).c_str()));
    }
    Paths Listed() const {
        CFileListCtrl& list = frame->GetFileList()->GetListCtrl();
        Paths paths;
        for (int row = 0; row < list.GetItemCount(); ++row)
            paths.push_back(list.GetFullPath(row).GetString());
        return paths;
    }
    // Everything the user can change is enabled, or everything disabled, and Stop the opposite.
    void ExpectIdle(bool idle, const AnimationLog& animation) {
        for (int id : kTypeBoxes)
            EXPECT_EQ(Enabled(id), idle) << id;
        for (int id :
             {IDC_ALL_FILES, IDC_LOOK_IN, IDC_BROWSE_LOOK_IN, IDC_INCLUDE_SUBFOLDERS, IDC_FIND})
            EXPECT_EQ(Enabled(id), idle) << id;
        EXPECT_EQ(Enabled(IDC_STOP), !idle);
        EXPECT_EQ(animation.Playing(), !idle);
        EXPECT_EQ(Form()->IsSearching(), !idle);
    }
    // Presets the folder through the frame, with "All files" off, and presses Find.
    void FindTypes(const std::string& folder) {
        frame->SearchInFolder(folder.c_str());
        if (Checked(IDC_ALL_FILES))
            Click(IDC_ALL_FILES);
        Press(IDC_FIND);
    }
    void Check(int id, bool checked) {
        SendMessageA(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    // Searches folder with exactly the boxes `checked` checked (of the six types, "All files" and
    // "Include SubFolders") and answers what the file list shows at the end, sorted.
    Paths SearchWith(const std::string& folder, std::initializer_list<int> checked) {
        frame->SearchInFolder(folder.c_str());
        for (int id : kTypeBoxes)
            Check(id, false);
        Check(IDC_ALL_FILES, false);
        Check(IDC_INCLUDE_SUBFOLDERS, false);
        for (int id : checked)
            Check(id, true);
        Press(IDC_FIND);
        EXPECT_TRUE(ui::PumpUntil([&] { return !Form()->IsSearching(); }, 20000));
        EXPECT_TRUE(Filled());
        Paths listed = Listed();
        std::sort(listed.begin(), listed.end());
        return listed;
    }
    // The six types, "All files" off.
    static SearchFilter EveryType() {
        SearchFilter filter;
        filter.allFiles = false;
        return filter;
    }
};

TEST_F(SearchForm, CheckBoxRulesFindAndTheThreeMessages) {
    ASSERT_TRUE(Start());
    for (int id : kTypeBoxes)
        EXPECT_TRUE(Checked(id)) << id;
    EXPECT_TRUE(Checked(IDC_ALL_FILES));
    EXPECT_TRUE(Checked(IDC_INCLUDE_SUBFOLDERS));
    EXPECT_EQ(Text(IDC_LOOK_IN), "");
    EXPECT_FALSE(Enabled(IDC_FIND));
    EXPECT_FALSE(Enabled(IDC_STOP));
    Browser()->SelectTab(CBrowser::kSearchPage);

    Click(IDC_TYPE_DLL);
    EXPECT_FALSE(Checked(IDC_TYPE_DLL));
    EXPECT_FALSE(Checked(IDC_ALL_FILES));
    Click(IDC_TYPE_DLL);
    EXPECT_TRUE(Checked(IDC_TYPE_DLL));
    EXPECT_FALSE(Checked(IDC_ALL_FILES)); // checking every type does not check "All files"
    Click(IDC_TYPE_EXE);
    Click(IDC_ALL_FILES);
    for (int id : kTypeBoxes)
        EXPECT_TRUE(Checked(id)) << id;
    Click(IDC_ALL_FILES);
    EXPECT_FALSE(Checked(IDC_ALL_FILES));
    EXPECT_TRUE(Checked(IDC_TYPE_EXE));

    SendMessageA(Control(IDC_LOOK_IN), WM_CHAR, 'C', 0);
    EXPECT_TRUE(Enabled(IDC_FIND));
    SetWindowTextA(Control(IDC_LOOK_IN), "");
    EXPECT_FALSE(Enabled(IDC_FIND));

    TestTree tree("quarvel search form");
    const std::string file = tree.AddFile("a.exe");
    const int rows = frame->GetFileList()->GetListCtrl().GetItemCount();
    ui::DialogAnswerer answerer(IDOK);
    Form()->SendMessage(WM_COMMAND, IDC_FIND);
    SetWindowTextA(Control(IDC_LOOK_IN), file.c_str());
    Form()->SendMessage(WM_COMMAND, IDC_FIND);
    SetWindowTextA(Control(IDC_LOOK_IN), tree.root().c_str());
    for (int id : kTypeBoxes)
        Click(id);
    Form()->SendMessage(WM_COMMAND, IDC_FIND);
    const char* caption = "Please select a directory to search!";
    ASSERT_EQ(answerer.Seen().size(), 3u);
    EXPECT_EQ(answerer.Seen()[0].caption, caption);
    EXPECT_NE(answerer.Seen()[0].text.find(caption), std::string::npos);
    EXPECT_NE(answerer.Seen()[1].text.find("The directory [" + file + "] does not exist!"),
              std::string::npos);
    EXPECT_NE(answerer.Seen()[2].text.find("Please select a file type to search!"),
              std::string::npos);
    for (const auto& seen : answerer.Seen())
        EXPECT_EQ(seen.caption, caption);
    EXPECT_FALSE(Form()->IsSearching());
    EXPECT_EQ(frame->GetFileList()->GetListCtrl().GetItemCount(), rows); // nothing was cleared
}

// Each type box alone finds its own type and no other; "Include SubFolders" and "All files" are
// taken as they are checked.
TEST_F(SearchForm, EachChoiceAloneFindsExactlyWhatItNames) {
    ASSERT_TRUE(Start());
    TestTree tree("quarvel search choices");
    const std::map<int, std::string> typed = {
        {IDC_TYPE_EXE, tree.AddFile("a.exe")},       {IDC_TYPE_DLL, tree.AddFile("b.dll")},
        {IDC_TYPE_OCX, tree.AddFile("c.ocx")},       {IDC_TYPE_SCR, tree.AddFile("d.scr")},
        {IDC_TYPE_DRV, tree.AddFile("e.drv")},       {IDC_TYPE_ICO, tree.AddFile("f.ico")},
        {IDC_TYPE_CUR, tree.AddFile("f1.cur", 326)}, {IDC_TYPE_ANI, tree.AddFile("f2.ani")}};
    const std::string image = tree.AddFile("g.bin", 4096, "MZ"); // an image file by its content
    tree.AddFile("h.txt", 4096);
    tree.AddFolder("sub");
    const std::string below = tree.AddFile("sub\\i.exe");
    for (const auto& [id, file] : typed)
        EXPECT_EQ(SearchWith(tree.root(), {id}), Paths{file}) << id;
    EXPECT_EQ(SearchWith(tree.root(), {IDC_TYPE_EXE, IDC_INCLUDE_SUBFOLDERS}),
              (Paths{typed.at(IDC_TYPE_EXE), below}));
    // "All files": an .ico, .cur or .ani whatever it holds, and the files that look like image
    // files.
    EXPECT_EQ(
        SearchWith(tree.root(), {IDC_ALL_FILES}),
        (Paths{typed.at(IDC_TYPE_ICO), typed.at(IDC_TYPE_CUR), typed.at(IDC_TYPE_ANI), image}));
    EXPECT_EQ(Form()->AbandonedRuns(), 0);
}

// Stop, the tree and the frame end a search whether or not one runs: on an idle form that changes
// nothing, neither the choices the user made since nor the labels.
TEST_F(SearchForm, EndSearchWithNoSearchRunningChangesNothing) {
    ASSERT_TRUE(Start());
    Browser()->SelectTab(CBrowser::kSearchPage);
    AnimationLog animation(Control(IDC_SEARCH_ANIMATION));
    Click(IDC_TYPE_DLL);
    ASSERT_FALSE(Checked(IDC_TYPE_DLL));
    const std::string count = Text(IDC_FOUND_COUNT);
    Form()->EndSearch();
    EXPECT_FALSE(Checked(IDC_TYPE_DLL));
    EXPECT_FALSE(Checked(IDC_ALL_FILES));
    EXPECT_EQ(Text(IDC_FOUND_COUNT), count);
    EXPECT_EQ(animation.requests(), 0u);
    EXPECT_FALSE(Enabled(IDC_FIND)); // "Look in" is empty
    EXPECT_FALSE(Enabled(IDC_STOP));
    EXPECT_FALSE(Form()->IsSearching());
}

TEST_F(SearchForm, TheFolderPickerFillsLookInAndCancelLeavesIt) {
    ASSERT_TRUE(Start());
    frame->SearchInFolder("C:\\windows");
    {
        ui::DialogAnswerer answerer(IDOK); // the folder the picker starts on
        Click(IDC_BROWSE_LOOK_IN);
        ASSERT_EQ(answerer.Seen().size(), 1u);
    }
    const std::string picked = Text(IDC_LOOK_IN);
    EXPECT_NE(picked, "C:\\windows");
    const DWORD attributes = GetFileAttributesA(picked.c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        << picked;
    EXPECT_TRUE(Enabled(IDC_FIND));
    {
        ui::DialogAnswerer answerer(IDCANCEL);
        Click(IDC_BROWSE_LOOK_IN);
    }
    EXPECT_EQ(Text(IDC_LOOK_IN), picked);
}

TEST_F(SearchForm, ASearchFillsTheFileListInWalkOrderAndEndsIdle) {
    ASSERT_TRUE(Start());
    TestTree tree("quarvel search fill");
    for (const char* folder : {"one", "two", "two\\three"}) {
        tree.AddFolder(folder);
        for (const char* name : {"p.exe", "Q.DLL", "r.txt", "s.ico", "t.scr"})
            tree.AddFile(std::string(folder) + "\\" + name);
    }
    tree.AddFile("top.ocx");
    FinishedCounter finished;
    AnimationLog animation(Control(IDC_SEARCH_ANIMATION));
    FindTypes(tree.root());
    ExpectIdle(false, animation);
    ASSERT_TRUE(ui::PumpUntil([&] { return !Form()->IsSearching(); }, 20000));
    ASSERT_TRUE(Filled());
    const Paths expected = PlainWalk(tree.root(), EveryType(), true);
    ASSERT_EQ(expected.size(), 13u);
    EXPECT_EQ(Listed(), expected);
    EXPECT_EQ(Text(IDC_FOUND_COUNT), "13");
    EXPECT_EQ(Text(IDC_LAST_FOUND), "");
    EXPECT_EQ(finished.count(), 1);
    ExpectIdle(true, animation);

    // A search that finds nothing ends as well, with a count of 0.
    const std::string empty = tree.AddFolder("empty");
    FindTypes(empty);
    ASSERT_TRUE(ui::PumpUntil([&] { return !Form()->IsSearching(); }, 5000));
    ASSERT_TRUE(Filled());
    EXPECT_EQ(Text(IDC_FOUND_COUNT), "0");
    EXPECT_TRUE(Listed().empty());
    EXPECT_EQ(Form()->AbandonedRuns(), 0);
}

TEST_F(SearchForm, StopInTheMiddleLeavesEveryCountedFileInTheList) {
    ASSERT_TRUE(Start());
    TestTree tree("quarvel search stop");
    for (int folder = 0; folder < 5; ++folder) {
        tree.AddFolder("f" + std::to_string(folder));
        for (int i = 0; i < 60; ++i)
            tree.AddFile("f" + std::to_string(folder) + "\\" + std::to_string(i) + ".exe");
    }
    FinishedCounter finished;
    AnimationLog animation(Control(IDC_SEARCH_ANIMATION));
    FindTypes(tree.root());
    ASSERT_TRUE(ui::PumpEachUntil([&] { return Counted() >= 20; }, 20000));
    Press(IDC_STOP);
    ui::PumpPending(); // whatever the worker posted before it ended
    EXPECT_EQ(finished.count(), 0);
    ExpectIdle(true, animation);
    ASSERT_TRUE(Filled());
    const Paths listed = Listed();
    EXPECT_EQ(listed.size(), Counted());
    EXPECT_LT(listed.size(), 300u);
    const Paths walk = PlainWalk(tree.root(), EveryType(), true);
    EXPECT_EQ(listed, Paths(walk.begin(), walk.begin() + std::min(listed.size(), walk.size())));
    EXPECT_EQ(Form()->AbandonedRuns(), 0);
}

// While a search runs, its messages show the last path found and the count; a late message of the
// search before it (its end or a batch) is dropped.
TEST_F(SearchForm, LateMessagesOfAnEarlierSearchAreDroppedWhileTheRunningOneShowsItsFiles) {
    ASSERT_TRUE(Start());
    TestTree tree("quarvel search late");
    tree.AddFolder("first");
    tree.AddFile("first\\old.exe");
    tree.AddFolder("second");
    for (int i = 0; i < 200; ++i)
        tree.AddFile("second\\" + std::to_string(i) + ".exe");
    FinishedCounter finished;
    FindTypes(tree.root() + "\\first");
    ASSERT_TRUE(ui::PumpUntil([&] { return !Form()->IsSearching(); }, 20000));
    ASSERT_EQ(finished.count(), 1);
    const WPARAM earlier = finished.lastRun();

    FindTypes(tree.root() + "\\second"); // nothing pumped: the worker's posts wait in the queue
    ASSERT_TRUE(Form()->IsSearching());
    Sleep(300); // the worker fills its pending list and waits for room
    const std::string count = Text(IDC_FOUND_COUNT);
    Form()->SendMessage(WM_SEARCH_FINISHED, earlier);
    Form()->SendMessage(WM_SEARCH_RESULTS, earlier);
    EXPECT_TRUE(Form()->IsSearching());
    EXPECT_EQ(Text(IDC_LAST_FOUND), "");
    EXPECT_EQ(Text(IDC_FOUND_COUNT), count);

    Form()->SendMessage(WM_SEARCH_RESULTS, earlier + 1); // the running search's next number
    const Paths walk = PlainWalk(tree.root() + "\\second", EveryType(), true);
    const std::string last = Text(IDC_LAST_FOUND);
    EXPECT_NE(std::find(walk.begin(), walk.end(), last), walk.end()) << last;
    EXPECT_NE(Text(IDC_FOUND_COUNT), count);
    ASSERT_TRUE(ui::PumpUntil([&] { return !Form()->IsSearching(); }, 20000));
    ASSERT_TRUE(Filled());
    EXPECT_EQ(Listed(), walk);
    EXPECT_EQ(Text(IDC_FOUND_COUNT), "200");
    EXPECT_EQ(Text(IDC_LAST_FOUND), "");
    EXPECT_EQ(finished.count(), 2);
}

TEST_F(SearchForm, ClosingTheProgramDuringASearchEndsTheWorker) {
    ASSERT_TRUE(Start());
    TestTree tree("quarvel search close");
    tree.AddFolder("many");
    for (int i = 0; i < 100; ++i)
        tree.AddFile("many\\" + std::to_string(i) + ".exe");
    const std::set<DWORD> before = Threads();
    FindTypes(tree.root());
    ASSERT_TRUE(Form()->IsSearching());
    std::vector<HANDLE> started;
    for (DWORD id : Threads())
        if (!before.count(id))
            if (HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, id))
                started.push_back(thread);
    ASSERT_FALSE(started.empty());
    frame->DestroyWindow();
    frame = nullptr;
    // The worker, left running, would wait for room in its pending list for ever.
    EXPECT_TRUE(ui::PumpUntil([&] {
        for (HANDLE thread : started)
            if (WaitForSingleObject(thread, 0) != WAIT_OBJECT_0)
                return false;
        return true;
    }));
    for (HANDLE thread : started)
        CloseHandle(thread);
}

} // namespace
