// The icon list's pictures: adding into room made ahead, doubled when it runs out.
#include "PictureList.h"

#include <algorithm>
#include <utility>

namespace {
constexpr int kFirstRoom = 64;
}

bool CPictureList::Create(int cx, int cy) {
    m_images.DeleteImageList();
    m_count = m_room = 0;
    return m_images.Create(cx, cy, ILC_COLORDDB, 0, kFirstRoom) != FALSE;
}

CImageList CPictureList::Detach() {
    m_count = m_room = 0;
    return std::move(m_images);
}

int CPictureList::Add(HBITMAP picture) {
    if (!m_images.GetSafeHandle() || picture == nullptr)
        return -1;
    if (m_count == m_room) {
        const int room = std::max(kFirstRoom, 2 * m_room);
        if (!ImageList_SetImageCount(m_images, static_cast<UINT>(room)))
            return -1;
        m_room = room;
    }
    if (!ImageList_Replace(m_images, m_count, picture, nullptr))
        return -1;
    return m_count++;
}
