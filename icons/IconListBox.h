// CIconListBox: the owner-drawn list box of the sub-icon view. Each row is one image of an
// icon: the image drawn at its own size and a label of its size and colour depth (a cursor's
// hot spot drawn on it as a small cross); an image wider than the list is drawn scaled down to
// its width, with the label under it.
#pragma once

#include "Framework.h"

#include <functional>
#include <utility>

// One row, kept as the row's item data; the row owns the icon.
struct IconListBoxItem {
    ScopedIcon icon; // none on the row of a damaged image
    int width;
    int height;
    // The image's place in the icon's directory (rows may skip images missing from the file).
    int directoryIndex;
    char label[128];
    // A cursor image's hot spot, in the image's pixels, drawn as a small cross.
    bool hasHotSpot = false;
    POINT hotSpot{};
};

class CIconListBox : public CListBox {
public:
    static constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP |
                                    LBS_OWNERDRAWVARIABLE | LBS_NOINTEGRALHEIGHT | LBS_EXTENDEDSEL;

    ~CIconListBox() override;

    // "%dx%dx%d" with 2 to the power of the depth up to 8 bits per pixel, else "%dx%dx%dbit".
    // A width or height of 0 stands for 256, as in icon directories.
    static CString MakeLabel(int width, int height, int bitCount);

    // Appends a row, which takes the icon; answers its index, or -1 for a null icon, an empty
    // label or a refusal (the icon is then destroyed). A cursor's image has a hot spot.
    int AddImage(ScopedIcon icon, int width, int height, int directoryIndex, const char* label,
                 const POINT* hotSpot = nullptr);
    // Appends the row of an image that no icon may be built from: no picture, the label with
    // " (damaged)" after it. Its index, or -1.
    int AddDamagedImage(int directoryIndex, const char* label);
    // The row's item, or null.
    const IconListBoxItem* GetRow(int index) const;
    // The caret row (the row with the focus rectangle) when the list has rows, else -1.
    int GetCaretRow() const;
    bool HasSelection() const { return GetSelCount() > 0; }
    bool HasRows() const { return GetCount() > 0; }
    void SelectAll();
    // Paddings and the rows of damaged images at dpi; every row is measured again. The font is
    // the view's to set.
    void SetDpi(int dpi);
    // What a press on a selected row that moves away runs (a drag of the selection).
    void SetDragStart(std::function<void()> start) { m_dragStart = std::move(start); }

    void DrawItem(LPDRAWITEMSTRUCT draw) override;
    void MeasureItem(LPMEASUREITEMSTRUCT measure) override;
    void DeleteItem(LPDELETEITEMSTRUCT deleted) override;

protected:
    // A new width changes which pictures must be scaled, so every row is measured again.
    void OnSize(UINT type, int cx, int cy);
    void OnLButtonDown(UINT flags, POINT at);
    DECLARE_MESSAGE_MAP()
    void MeasureRowsAgain();
    int Scaled(int size) const { return AfxScaleToDpi(size, m_nDpi); }

private:
    // The side at which a row's picture is drawn: its own width, or less to fit the list's
    // width (and the tallest row a list box keeps).
    int PictureSide(const IconListBoxItem& item) const;
    int RowHeight(const IconListBoxItem* item) const;
    int LineHeight() const;
    int AppendRow(ScopedIcon icon, int width, int height, int directoryIndex, const char* label,
                  const POINT* hotSpot = nullptr);
    // The hot spot's cross over a picture drawn at `side` pixels from (left, top).
    void DrawHotSpot(HDC dc, const IconListBoxItem& item, int left, int top, int side) const;

    int m_nDpi = kDesignDpi;
    std::function<void()> m_dragStart;
};
