// The icon list's pictures: free slots first, in room doubled up to the bound, then the slot of
// the least recently shown picture.
#include "PictureList.h"

#include "engine/IconItem.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {
constexpr int kFirstRoom = 16;
}

bool CPictureList::Create(int cx, int cy, int bound) {
    m_images.DeleteImageList();
    m_owners.clear();
    m_shownAt.clear();
    m_room = 0;
    m_bound = std::max(1, bound);
    return m_images.Create(cx, cy, ILC_COLOR32, 0, kFirstRoom) != FALSE;
}

CImageList CPictureList::Detach() {
    m_owners.clear();
    m_shownAt.clear();
    m_room = 0;
    return std::move(m_images);
}

void CPictureList::RaiseBound(int bound) {
    m_bound = std::max(m_bound, bound);
}

int CPictureList::LeastRecentlyShown() const {
    return static_cast<int>(std::min_element(m_shownAt.begin(), m_shownAt.end()) -
                            m_shownAt.begin());
}

int CPictureList::Add(HBITMAP picture, quarvel::CIconItem& owner) {
    if (!m_images.GetSafeHandle() || picture == nullptr)
        return -1;
    const int count = GetCount();
    int slot = count;
    if (count == m_bound) {
        slot = LeastRecentlyShown();
    } else if (count == m_room) {
        // A first screen of pictures fits in the first room: growing copies every picture.
        const int room = std::min(m_bound, std::max({kFirstRoom, m_bound / 3, 2 * m_room}));
        if (!ImageList_SetImageCount(m_images, static_cast<UINT>(room)))
            return -1;
        m_room = room;
    }
    if (!ImageList_Replace(m_images, slot, picture, nullptr))
        return -1;
    if (slot == count) {
        m_owners.push_back(&owner);
        m_shownAt.push_back(0);
    } else {
        m_owners[slot]->SetImageIndex(quarvel::CIconItem::kImageNotMade);
        m_owners[slot] = &owner;
    }
    Touch(slot);
    return slot;
}

void CPictureList::Touch(int slot) {
    if (slot >= 0 && slot < GetCount())
        m_shownAt[slot] = ++m_clock;
}

bool CPictureList::CopyTo(int slot, HDC dc, int x, int y) const {
    IMAGEINFO info{};
    DIBSECTION dib{};
    if (slot < 0 || slot >= GetCount() || !ImageList_GetImageInfo(m_images, slot, &info) ||
        GetObjectA(info.hbmImage, sizeof dib, &dib) != sizeof dib || !dib.dsBm.bmBits ||
        dib.dsBmih.biBitCount != 32)
        return false;
    BITMAPINFO header{};
    header.bmiHeader = dib.dsBmih;
    const RECT& at = info.rcImage;
    const int height = std::abs(static_cast<int>(dib.dsBmih.biHeight));
    // The source's origin is its bottom row for a bottom-up bitmap.
    const int sourceY = dib.dsBmih.biHeight > 0 ? height - at.bottom : at.top;
    GdiFlush();
    return SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(at.right - at.left),
                             static_cast<DWORD>(at.bottom - at.top), at.left, sourceY, 0,
                             static_cast<UINT>(height), dib.dsBm.bmBits, &header,
                             DIB_RGB_COLORS) != 0;
}
