// The search worker under Wine: the hand-over in small batches and in order, files found slowly,
// the stop of a waiting worker, and a run left behind when its worker is stuck in the file system.
#include "FakeFolders.h"
#include "Filters.h"
#include "SearchWorker.h"
#include "UiHarness.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace quarvel::search {
namespace {

using test::FakeFolders;
using test::OnlyTypes;
using Paths = std::vector<std::string>;

// A window that receives the worker's messages and, when asked to, takes the pending paths for
// the messages of the current run, as the search form does.
class Receiver {
public:
    explicit Receiver(SearchWorker& worker) : m_worker(worker) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QuarvelSearchReceiver";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                 nullptr, windowClass.hInstance, nullptr);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Receiver() { DestroyWindow(window); }

    // Dispatches what is queued already (the worker's posts, once it has been reaped).
    void DrainQueue() {
        MSG msg;
        while (PeekMessageA(&msg, window, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }

    HWND window = nullptr;
    bool takes = true;
    int finished = 0;
    std::size_t largestBatch = 0;
    Paths taken;
    std::vector<unsigned> runs; // the run number of every message received

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<Receiver*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (!self || (message != WM_SEARCH_RESULTS && message != WM_SEARCH_FINISHED))
            return DefWindowProcA(window, message, wParam, lParam);
        self->runs.push_back(static_cast<unsigned>(wParam));
        if (wParam != self->m_worker.RunNumber())
            return 0;
        if (message == WM_SEARCH_FINISHED)
            ++self->finished;
        // Takes a batch when told, and the rest at the end.
        if (self->takes) {
            const Paths batch = self->m_worker.TakePending();
            self->largestBatch = std::max(self->largestBatch, batch.size());
            for (const std::string& path : batch) {
                self->taken.push_back(path);
                Sleep(1); // the file list takes its time over each file
            }
        }
        return 0;
    }
    SearchWorker& m_worker;
};

std::shared_ptr<FakeFolders> ManyFiles(int folders, int filesEach, Paths& expected) {
    auto tree = std::make_shared<FakeFolders>();
    for (int f = 0; f < folders; ++f) {
        const std::string folder = "C:\\t\\f" + std::to_string(f);
        tree->AddFolder("C:\\t", "f" + std::to_string(f));
        for (int i = 0; i < filesEach; ++i) {
            tree->AddFile(folder, std::to_string(i) + ".exe");
            expected.push_back(folder + "\\" + std::to_string(i) + ".exe");
        }
    }
    return tree;
}

TEST(SearchWorker, HandsEveryFileOverInOrderInSmallBatchesAndFinishesOnce) {
    Paths expected;
    SearchWorker worker(ManyFiles(3, 100, expected));
    Receiver receiver(worker);
    ASSERT_TRUE(worker.Start(receiver.window, "C:\\t", OnlyTypes(true), true));
    EXPECT_TRUE(ui::PumpUntil([&] { return receiver.finished > 0; }, 20000));
    worker.StopWorker();
    receiver.DrainQueue();
    EXPECT_EQ(receiver.finished, 1);
    EXPECT_EQ(receiver.taken, expected);
    EXPECT_EQ(worker.FoundCount(), 300u);
    EXPECT_EQ(worker.LastFound(), expected.back());
    EXPECT_LE(receiver.largestBatch, SearchWorker::kMaxPending + 1);
    // Far fewer messages than files, every one of them from this run.
    EXPECT_LT(receiver.runs.size(), expected.size() / 4);
    EXPECT_EQ(receiver.runs, std::vector<unsigned>(receiver.runs.size(), 1u));
    EXPECT_EQ(worker.AbandonedRuns(), 0);
}

TEST(SearchWorker, AStopEndsAWorkerThatWaitsForRoomAtOnceAndNoFinishedFollows) {
    Paths expected;
    SearchWorker worker(ManyFiles(2, 50, expected));
    Receiver receiver(worker);
    receiver.takes = false; // the window is busy: the worker fills the pending list and waits
    ASSERT_TRUE(worker.Start(receiver.window, "C:\\t", OnlyTypes(true), true));
    ASSERT_TRUE(ui::PumpUntil([&] { return worker.FoundCount() > SearchWorker::kMaxPending; }));
    const DWORD asked = GetTickCount();
    worker.StopWorker();
    EXPECT_LT(GetTickCount() - asked, 1000u);
    EXPECT_FALSE(worker.HasWorker());
    receiver.DrainQueue();
    EXPECT_EQ(receiver.finished, 0);
    // Every file counted is still there to be handed over.
    const Paths pending = worker.TakePending();
    EXPECT_EQ(pending.size(), worker.FoundCount());
    EXPECT_EQ(pending, Paths(expected.begin(), expected.begin() + pending.size()));
    EXPECT_EQ(worker.AbandonedRuns(), 0);
}

// A file system whose listing of one folder blocks until released, 10 s at most; every other
// listing takes `entryMs` per entry.
class BlockingFolders : public FakeFolders {
public:
    explicit BlockingFolders(std::string blocked = {}) : m_blocked(std::move(blocked)) {}

    bool ListFolder(const std::string& folder,
                    const std::function<bool(const FolderEntry&)>& visit) override {
        if (folder == m_blocked) {
            std::unique_lock<std::mutex> hold(m_lock);
            m_entered = true;
            m_change.notify_all();
            m_change.wait_for(hold, std::chrono::seconds(10), [this] { return m_released; });
        }
        return FakeFolders::ListFolder(folder, [&](const FolderEntry& entry) {
            Sleep(entryMs);
            return visit(entry);
        });
    }
    bool WaitUntilBlocked() {
        std::unique_lock<std::mutex> hold(m_lock);
        return m_change.wait_for(hold, std::chrono::seconds(5), [this] { return m_entered; });
    }
    void Release() {
        std::lock_guard<std::mutex> hold(m_lock);
        m_released = true;
        m_change.notify_all();
    }

    DWORD entryMs = 0;

private:
    const std::string m_blocked;
    std::mutex m_lock;
    std::condition_variable m_change;
    bool m_entered = false;
    bool m_released = false;
};

TEST(SearchWorker, FilesFoundSlowlyAreHandedOverBeforeTheWalkEnds) {
    auto tree = std::make_shared<BlockingFolders>();
    tree->entryMs = 20;
    tree->AddFile("C:\\t", "a.exe");
    for (int i = 0; i < 40; ++i)
        tree->AddFile("C:\\t", std::to_string(i) + ".txt");
    SearchWorker worker(tree);
    Receiver receiver(worker);
    ASSERT_TRUE(worker.Start(receiver.window, "C:\\t", OnlyTypes(true), true));
    // One file, far from a full batch, and a walk that goes on for 800 ms without finding more.
    EXPECT_TRUE(ui::PumpUntil([&] { return !receiver.taken.empty(); }, 5000));
    EXPECT_EQ(receiver.finished, 0);
    EXPECT_EQ(receiver.taken, Paths{"C:\\t\\a.exe"});
    EXPECT_TRUE(ui::PumpUntil([&] { return receiver.finished > 0; }, 5000));
}

TEST(SearchWorker, AStuckRunIsLeftBehindTheNextSearchRunsAndTheStuckOneEndsOnItsOwn) {
    auto tree = std::make_shared<BlockingFolders>("C:\\stuck");
    for (const char* name : {"a.exe", "b.exe"})
        tree->AddFile("C:\\stuck", name);
    for (const char* name : {"c.exe", "d.exe", "e.exe"})
        tree->AddFile("C:\\t", name);
    {
        SearchWorker worker(tree, 200);
        Receiver receiver(worker);
        ASSERT_TRUE(worker.Start(receiver.window, "C:\\stuck", OnlyTypes(true), true));
        ASSERT_TRUE(tree->WaitUntilBlocked());
        const DWORD asked = GetTickCount();
        worker.StopWorker();
        EXPECT_LT(GetTickCount() - asked, 2000u);
        EXPECT_EQ(worker.AbandonedRuns(), 1);
        EXPECT_FALSE(worker.HasWorker());

        ASSERT_TRUE(worker.Start(receiver.window, "C:\\t", OnlyTypes(true), true));
        EXPECT_TRUE(ui::PumpUntil([&] { return receiver.finished > 0; }, 5000));
        EXPECT_EQ(receiver.taken, (Paths{"C:\\t\\c.exe", "C:\\t\\d.exe", "C:\\t\\e.exe"}));

        // Released, the stuck run sees its stop: it finds and posts nothing, and frees its run
        // (with its share of the file system).
        const long shares = tree.use_count();
        tree->Release();
        EXPECT_TRUE(ui::PumpUntil([&] { return tree.use_count() == shares - 1; }, 5000));
        receiver.DrainQueue();
        EXPECT_EQ(receiver.runs, std::vector<unsigned>(receiver.runs.size(), 2u));
        EXPECT_EQ(receiver.finished, 1);
        EXPECT_TRUE(worker.TakePending().empty());
        EXPECT_EQ(worker.FoundCount(), 3u);
        EXPECT_EQ(worker.AbandonedRuns(), 1);
    }
    EXPECT_EQ(tree.use_count(), 1);
}

// A program closed during a stuck search still exits: the worker's end waits no longer than its
// stop wait, and the thread left behind, still stuck, ends with the process or on its own.
TEST(SearchWorker, AWorkerGoesWithoutWaitingForItsStuckRun) {
    auto tree = std::make_shared<BlockingFolders>("C:\\stuck");
    tree->AddFile("C:\\stuck", "a.exe");
    const DWORD start = GetTickCount();
    {
        auto worker = std::make_unique<SearchWorker>(tree, 200);
        Receiver receiver(*worker);
        ASSERT_TRUE(worker->Start(receiver.window, "C:\\stuck", OnlyTypes(true), true));
        ASSERT_TRUE(tree->WaitUntilBlocked());
        worker.reset();
    }
    EXPECT_LT(GetTickCount() - start, 2000u);
    EXPECT_EQ(tree.use_count(), 2); // the stuck thread's run holds the only other share
}

} // namespace
} // namespace quarvel::search
