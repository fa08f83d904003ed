// CPictureList: the icon list's pictures, an image list whose room doubles when it is full, so
// that the pictures already in it are copied only when their count reaches a power of two (an
// image list growing by a fixed step copies all of them at every step).
#pragma once

#include "Framework.h"

class CPictureList {
public:
    // Cells of cx by cy in the display's colours, without mask; any list held before goes.
    bool Create(int cx, int cy);
    operator HIMAGELIST() const { return m_images.GetSafeHandle(); }
    HIMAGELIST GetSafeHandle() const { return m_images.GetSafeHandle(); }
    // Hands the image list on (empty when none was made); this object then holds none.
    CImageList Detach();

    // Appends a copy of the bitmap; its index, or -1.
    int Add(HBITMAP picture);
    // The pictures added (the image list's own count includes its empty room).
    int GetCount() const { return m_count; }

private:
    CImageList m_images;
    int m_count = 0;
    int m_room = 0;
};
