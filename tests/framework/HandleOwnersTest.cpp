// Handle owners: each handle is given back exactly once on every path, and moves hand it on.
#include "Handles.h"

#include <gtest/gtest.h>

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
