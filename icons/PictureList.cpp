// The icon list's pictures: free slots first, in room doubled up to the bound, then the slot of
// the least recently shown picture.
#include "PictureList.h"

#include "engine/IconItem.h"

#include <algorithm>
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
    return m_images.Create(cx, cy, ILC_COLORDDB, 0, kFirstRoom) != FALSE;
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
