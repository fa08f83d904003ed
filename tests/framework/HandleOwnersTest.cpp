// Handle owners: each handle is given back exactly once on every path, and moves hand it on;
// a started process leaves no handle of it open.
#include "Handles.h"
#include "ImageList.h"
#include "StartProcess.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

bool IsGdiObject(HGDIOBJ object) {
    return GetObjectType(object) != 0;
}

HBITMAP NewBitmap() {
    const ScopedWindowDC screen;
    return CreateCompatibleBitmap(screen.Get(), 4, 4);
}

// A COM object that counts its references.
class CountedUnknown : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    ULONG references = 1;
};

} // namespace

TEST(HandleOwners, EveryPathDeletesTheHandleOnceAndMovesHandItOn) {
    HBITMAP first = NewBitmap(), second = NewBitmap(), third = NewBitmap();
    {
        ScopedBitmap owner(first);
        owner.Reset(first); // the same handle again: kept, not deleted
        EXPECT_TRUE(IsGdiObject(first));
        ScopedBitmap moved(std::move(owner));
        EXPECT_FALSE(owner);
        EXPECT_EQ(moved.Get(), first);
        ScopedBitmap other(second);
        other = std::move(moved); // the target's own handle goes
        EXPECT_FALSE(IsGdiObject(second));
        EXPECT_TRUE(IsGdiObject(first));
        other = std::move(other);
        EXPECT_EQ(other.Get(), first);
        ScopedBitmap kept(third);
        EXPECT_EQ(kept.Detach(), third);
        *kept.Out() = NewBitmap(); // a handle received through Out is owned as well
        EXPECT_TRUE(IsGdiObject(kept.Get()));
        second = kept.Get();
    }
    EXPECT_FALSE(IsGdiObject(first));
    EXPECT_FALSE(IsGdiObject(second));
    EXPECT_TRUE(IsGdiObject(third)) << "a detached handle stays";
    DeleteObject(third);

    HDC memory = CreateCompatibleDC(nullptr);
    ScopedMemoryDC(memory).Reset();
    EXPECT_EQ(GetObjectType(memory), 0u);
    ICONINFO info{};
    HICON icon = CopyIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(32512)));
    { const ScopedIcon owner(icon); }
    EXPECT_FALSE(GetIconInfo(icon, &info)) << "the icon is destroyed";

    CountedUnknown object;
    {
        object.AddRef();
        ScopedComPtr<IUnknown> one(&object), two;
        two = std::move(one);
        EXPECT_EQ(object.references, 2u);
        *two.Out() = &object; // the old reference goes before the new one arrives
        EXPECT_EQ(object.references, 1u);
        object.AddRef();
    }
    EXPECT_EQ(object.references, 1u);
}

TEST(HandleOwners, SelectionsAndCanvasesPutBackWhatTheyReplaced) {
    const ScopedWindowDC screen;
    ASSERT_TRUE(screen);
    const ScopedMemoryDC dc(CreateCompatibleDC(screen.Get()));
    const HGDIOBJ original = GetCurrentObject(dc.Get(), OBJ_BITMAP);
    const ScopedBitmap bitmap(NewBitmap());
    {
        ScopedSelect select(dc.Get(), bitmap.Get());
        EXPECT_TRUE(select);
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BITMAP), bitmap.Get());
        select.Restore();
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BITMAP), original);
        EXPECT_FALSE(ScopedSelect(dc.Get(), nullptr)) << "nothing to select, nothing to undo";
    }
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BITMAP), original);

    // A canvas's bitmap has the screen's format (a memory context alone would make it
    // monochrome) and leaves the canvas free to be selected elsewhere.
    ScopedBitmap taken;
    HDC canvasDC = nullptr;
    {
        MemoryCanvas canvas(nullptr, 5, 3);
        ASSERT_TRUE(canvas);
        canvasDC = canvas.DC();
        taken = canvas.TakeBitmap();
        EXPECT_FALSE(canvas.TakeBitmap());
    }
    EXPECT_EQ(GetObjectType(canvasDC), 0u);
    BITMAP bm{};
    ASSERT_TRUE(GetObjectA(taken.Get(), sizeof bm, &bm));
    EXPECT_EQ(bm.bmWidth, 5);
    EXPECT_EQ(bm.bmHeight, 3);
    EXPECT_EQ(bm.bmBitsPixel, GetDeviceCaps(screen.Get(), BITSPIXEL));
    EXPECT_TRUE(ScopedSelect(dc.Get(), taken.Get())) << "no longer selected in the canvas";
    EXPECT_FALSE(MemoryCanvas(nullptr, 0, 3));
}

namespace {
// Whether a named kernel object still exists, that is, whether some handle still holds it.
bool EventExists(const char* name) {
    const ScopedKernelHandle event(OpenEventA(SYNCHRONIZE, FALSE, name));
    return static_cast<bool>(event);
}

std::string TempPath(const char* name) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

// Opens the file for writing, sharing nothing: it opens only once no other handle holds it.
ScopedFile OpenAlone(const std::string& path) {
    return ScopedFile(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}
} // namespace

TEST(HandleOwners, KernelFileFindAndImageListOwnersCloseWhatTheyHoldAndMove) {
    const char kEvent[] = "QuarvelHandleOwnersTestEvent";
    {
        ScopedKernelHandle owner(CreateEventA(nullptr, TRUE, FALSE, kEvent));
        ASSERT_TRUE(owner);
        ScopedKernelHandle moved(std::move(owner));
        EXPECT_FALSE(owner);
        EXPECT_TRUE(EventExists(kEvent));
    }
    EXPECT_FALSE(EventExists(kEvent));

    // File and find handles fail as INVALID_HANDLE_VALUE: an owner of that holds nothing.
    EXPECT_FALSE(ScopedFile());
    EXPECT_EQ(ScopedFile().Get(), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(ScopedFile(CreateFileA("C:\\no such folder\\file", GENERIC_READ, 0, nullptr,
                                        OPEN_EXISTING, 0, nullptr)));
    EXPECT_EQ(ScopedFind().Get(), INVALID_HANDLE_VALUE);
    const std::string path = TempPath("quarvel owned file.bin");
    {
        ScopedFile first = OpenAlone(path);
        ASSERT_TRUE(first);
        EXPECT_FALSE(OpenAlone(path)) << "held";
        ScopedFile second;
        second = std::move(first);
        EXPECT_EQ(first.Get(), INVALID_HANDLE_VALUE);
        EXPECT_FALSE(OpenAlone(path)) << "still held, by the owner it moved to";
    }
    EXPECT_TRUE(OpenAlone(path)) << "closed";
    WIN32_FIND_DATAA found;
    ScopedFind search(FindFirstFileA(path.c_str(), &found));
    EXPECT_TRUE(search);
    EXPECT_STREQ(found.cFileName, "quarvel owned file.bin");
    search.Reset();
    EXPECT_FALSE(search);
    DeleteFileA(path.c_str());

    CImageList list;
    ASSERT_TRUE(list.Create(16, 16, ILC_COLOR32, 0, 4));
    const HIMAGELIST handle = list;
    CImageList moved(std::move(list));
    EXPECT_EQ(list.GetSafeHandle(), nullptr);
    EXPECT_EQ(moved.GetSafeHandle(), handle);
    CImageList target;
    target.Create(8, 8, ILC_COLOR32, 0, 4);
    target = std::move(moved); // the target's own list goes
    EXPECT_EQ(target.GetSafeHandle(), handle);
    EXPECT_EQ(moved.GetSafeHandle(), nullptr);
    EXPECT_EQ(target.GetImageCount(), 0);
}

namespace {
// Stands in for CreateProcessA: records the launch and hands back two events of its own as the
// process and its thread, which the caller must close.
struct FakeStart {
    std::string program, commandLine, directory, title;
    DWORD flags = 0;
    BOOL answer = TRUE;
} fakeStart;
const char kProcessEvent[] = "QuarvelStartProcessTestProcess";
const char kThreadEvent[] = "QuarvelStartProcessTestThread";

BOOL WINAPI StartFake(LPCSTR program, LPSTR commandLine, LPSECURITY_ATTRIBUTES,
                      LPSECURITY_ATTRIBUTES, BOOL, DWORD flags, LPVOID, LPCSTR directory,
                      LPSTARTUPINFOA startup, LPPROCESS_INFORMATION info) {
    fakeStart.program = program ? program : "(null)";
    fakeStart.commandLine = commandLine ? commandLine : "(null)";
    commandLine[0] = '!'; // CreateProcess may write into the command line
    fakeStart.directory = directory ? directory : "(null)";
    fakeStart.title = startup->lpTitle ? startup->lpTitle : "(null)";
    fakeStart.flags = flags;
    if (!fakeStart.answer)
        return FALSE;
    info->hProcess = CreateEventA(nullptr, TRUE, FALSE, kProcessEvent);
    info->hThread = CreateEventA(nullptr, TRUE, FALSE, kThreadEvent);
    return TRUE;
}
} // namespace

TEST(StartProcess, HandsTheLaunchOnAndClosesTheProcessAndThreadHandles) {
    const std::string commandLine = "\"C:\\tools\\prog.exe\" -x";
    ProcessLaunch launch;
    launch.program = "C:\\tools\\prog.exe";
    launch.commandLine = commandLine.c_str();
    launch.directory = "C:\\work\\";
    launch.title = "C:\\work\\";
    launch.flags = CREATE_NEW_CONSOLE;
    fakeStart = FakeStart{};
    EXPECT_TRUE(StartProcess(launch, &StartFake));
    EXPECT_EQ(fakeStart.program, "C:\\tools\\prog.exe");
    EXPECT_EQ(fakeStart.commandLine, commandLine);
    EXPECT_EQ(commandLine, "\"C:\\tools\\prog.exe\" -x") << "written into a copy";
    EXPECT_EQ(fakeStart.directory, "C:\\work\\");
    EXPECT_EQ(fakeStart.title, "C:\\work\\");
    EXPECT_EQ(fakeStart.flags, static_cast<DWORD>(CREATE_NEW_CONSOLE));
    EXPECT_FALSE(EventExists(kProcessEvent)) << "the process handle is closed";
    EXPECT_FALSE(EventExists(kThreadEvent)) << "the thread handle is closed";

    fakeStart = FakeStart{};
    fakeStart.answer = FALSE;
    EXPECT_FALSE(StartProcess(launch, &StartFake));
    launch.program = nullptr;
    fakeStart.program.clear();
    EXPECT_FALSE(StartProcess(launch, &StartFake));
    EXPECT_EQ(fakeStart.program, "") << "nothing to start: not asked";
}
