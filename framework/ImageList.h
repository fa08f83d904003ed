// CImageList: owns an image list handle unless detached; the one owner of image lists.
#pragma once

#include <windows.h>
#include <commctrl.h>

class CImageList {
public:
    CImageList() = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    // A move hands the list on; the list the target held goes.
    CImageList(CImageList&& other) noexcept : m_hImageList(other.Detach()) {}
    CImageList& operator=(CImageList&& other) noexcept {
        Attach(other.Detach());
        return *this;
    }

    HIMAGELIST m_hImageList = nullptr;
    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // Images cut from a bitmap resource, each cx wide; mask: the transparent colour.
    BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
    BOOL DeleteImageList();
    BOOL Attach(HIMAGELIST list);
    HIMAGELIST Detach();
    int Add(HICON icon) { return ImageList_AddIcon(m_hImageList, icon); }
    int Add(HBITMAP bitmap, COLORREF mask) {
        return ImageList_AddMasked(m_hImageList, bitmap, mask);
    }
    BOOL Replace(int index, HICON icon) {
        return ImageList_ReplaceIcon(m_hImageList, index, icon) >= 0;
    }
    BOOL Remove(int index) { return ImageList_Remove(m_hImageList, index); }
    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    COLORREF SetBkColor(COLORREF colour) { return ImageList_SetBkColor(m_hImageList, colour); }
    BOOL Draw(HDC dc, int index, POINT at, UINT style) const {
        return ImageList_Draw(m_hImageList, index, dc, at.x, at.y, style);
    }
    HICON ExtractIcon(int index) const {
        return ImageList_GetIcon(m_hImageList, index, ILD_NORMAL);
    }
};
