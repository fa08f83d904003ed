// The search form in the started application: its rules and messages, a search from Find to the
// filled file list, Stop in the middle, and closing the program during a search.
#include "AppFixture.h"
#include "SearchTrees.h"

#include <tlhelp32.h>

#include <cstdlib>
#include <functional>
#include <set>

namespace {

using quarvel::search::SearchFilter;
using quarvel::search::WM_SEARCH_FINISHED;
using quarvel::search::test::PlainWalk;
using quarvel::search::test::TestTree;
using Paths = std::vector<std::string>;

constexpr int kTypeBoxes[] = {IDC_TYPE_EXE, IDC_TYPE_DLL, IDC_TYPE_OCX,
                              IDC_TYPE_SCR, IDC_TYPE_DRV, IDC_TYPE_ICO};

// Counts the WM_SEARCH_FINISHED messages this thread takes from its queue while alive.
class FinishedCounter {
public:
    FinishedCounter() {
        s_count = 0;
        m_hook = SetWindowsHookExA(WH_GETMESSAGE, Hook, nullptr, GetCurrentThreadId());
    }
    ~FinishedCounter() { UnhookWindowsHookEx(m_hook); }
    int count() const { return s_count; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        const auto* msg = reinterpret_cast<MSG*>(lParam);
        if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_SEARCH_FINISHED)
            ++s_count;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline int s_count = 0;
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
