// CPictureList: the icon list's pictures, a bounded cache in an image list of fixed slots. Each
// slot holds the picture of one item; once every slot is taken, a new picture takes the slot of the
// one least recently shown. The image list's room starts at a third of the bound (the icon list's
// bound is three screens of cells) and doubles up to it, so that a short list takes little and the
// pictures already in it are copied only at each doubling.
#pragma once

#include "Framework.h"

#include <cstdint>
#include <vector>

namespace quarvel {
class CIconItem;
}

class CPictureList {
public:
    // Cells of cx by cy in the display's colours, without mask, for at most `bound` pictures;
    // any list held before goes.
    bool Create(int cx, int cy, int bound);
    operator HIMAGELIST() const { return m_images.GetSafeHandle(); }
    HIMAGELIST GetSafeHandle() const { return m_images.GetSafeHandle(); }
    // Hands the image list on (empty when none was made); this object then holds none.
    CImageList Detach();

    // Stores a copy of the bitmap as the picture of `owner`: its slot, or -1. When the cache is
    // full the least recently shown picture makes way, and its owner is marked as having none.
    int Add(HBITMAP picture, quarvel::CIconItem& owner);
    // The picture in `slot` was shown now: it is the last to make way.
    void Touch(int slot);
    // Pictures held (the image list's own count includes its empty room).
    int GetCount() const { return static_cast<int>(m_owners.size()); }
    int GetBound() const { return m_bound; }
    // Raises the bound (a larger window shows more cells); a lower one is kept until the next
    // Create, so that no picture on screen has to go.
    void RaiseBound(int bound);

private:
    int LeastRecentlyShown() const;

    CImageList m_images;
    std::vector<quarvel::CIconItem*> m_owners; // by slot
    std::vector<std::uint64_t> m_shownAt;      // by slot, from m_clock
    std::uint64_t m_clock = 0;
    int m_room = 0;
    int m_bound = 0;
};
