// The search worker under Wine: the hand-over in small batches and in order, the stop of a
// waiting worker, and the forced end of one that does not stop.
#include "FakeFolders.h"
#include "Filters.h"
#include "SearchWorker.h"
#include "UiHarness.h"

#include <gtest/gtest.h>

namespace quarvel::search {
namespace {

using test::FakeFolders;
using test::OnlyTypes;
using Paths = std::vector<std::string>;

// A window that receives the worker's messages and, when asked to, takes the pending paths.
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

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<Receiver*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self && message == WM_SEARCH_FINISHED)
            ++self->finished;
        // Takes a batch when told, and the rest at the end, as the search form does.
        if (self && (message == WM_SEARCH_RESULTS || message == WM_SEARCH_FINISHED) &&
            self->takes) {
            const Paths batch = self->m_worker.TakePending();
            self->largestBatch = std::max(self->largestBatch, batch.size());
            for (const std::string& path : batch) {
                self->taken.push_back(path);
                Sleep(1); // the file list takes its time over each file
            }
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    SearchWorker& m_worker;
};

FakeFolders ManyFiles(int folders, int filesEach, Paths& expected) {
    FakeFolders tree;
    for (int f = 0; f < folders; ++f) {
        const std::string folder = "C:\\t\\f" + std::to_string(f);
        tree.AddFolder("C:\\t", "f" + std::to_string(f));
        for (int i = 0; i < filesEach; ++i) {
            tree.AddFile(folder, std::to_string(i) + ".exe");
            expected.push_back(folder + "\\" + std::to_string(i) + ".exe");
        }
    }
    return tree;
}

TEST(SearchWorker, HandsEveryFileOverInOrderInSmallBatchesAndFinishesOnce) {
    Paths expected;
    FakeFolders tree = ManyFiles(3, 100, expected);
    SearchWorker worker(&tree);
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
    EXPECT_EQ(worker.ForcedEnds(), 0);
}

TEST(SearchWorker, AStopEndsAWorkerThatWaitsForRoomAtOnceAndNoFinishedFollows) {
    Paths expected;
    FakeFolders tree = ManyFiles(2, 50, expected);
    SearchWorker worker(&tree);
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
    EXPECT_EQ(worker.ForcedEnds(), 0);
}

// A file system that hangs in the next listing until the process ends.
class HangingFolders : public FakeFolders {
public:
    bool ListFolder(const std::string& folder,
                    const std::function<bool(const FolderEntry&)>& visit) override {
        if (hangNext) {
            hangNext = false;
            SetEvent(entered);
            WaitForSingleObject(never, INFINITE);
        }
        return FakeFolders::ListFolder(folder, visit);
    }
    bool hangNext = true;
    HANDLE entered = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE never = CreateEventA(nullptr, TRUE, FALSE, nullptr);
};

TEST(SearchWorker, AWorkerThatDoesNotStopIsEndedAndTheNextSearchStartsClean) {
    HangingFolders tree;
    for (const char* name : {"a.exe", "b.exe", "c.exe"})
        tree.AddFile("C:\\t", name);
    SearchWorker worker(&tree, 300);
    Receiver receiver(worker);
    ASSERT_TRUE(worker.Start(receiver.window, "C:\\t", OnlyTypes(true), true));
    ASSERT_EQ(WaitForSingleObject(tree.entered, 5000), WAIT_OBJECT_0);
    worker.StopWorker();
    EXPECT_EQ(worker.ForcedEnds(), 1);
    EXPECT_FALSE(worker.HasWorker());
    receiver.DrainQueue();
    EXPECT_EQ(receiver.finished, 0);

    ASSERT_TRUE(worker.Start(receiver.window, "C:\\t", OnlyTypes(true), true));
    EXPECT_TRUE(ui::PumpUntil([&] { return receiver.finished > 0; }, 5000));
    EXPECT_EQ(receiver.taken, (Paths{"C:\\t\\a.exe", "C:\\t\\b.exe", "C:\\t\\c.exe"}));
}

} // namespace
} // namespace quarvel::search
