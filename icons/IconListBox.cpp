// The sub-icon view's list box: adding rows, measuring, drawing and freeing them.
#include "IconListBox.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <utility>

BEGIN_MESSAGE_MAP(CIconListBox, CListBox)
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

namespace {
// At 96 DPI; scaled to the list's DPI.
constexpr int kRowPadding = 2;  // a pixel above and below the picture
constexpr int kPictureLeft = 2; // the picture's gap to the left edge
constexpr int kMinPictureSide = 16;
constexpr int kHotSpotArm = 3; // the hot spot's cross reaches this far each way
// In pixels at any DPI.
constexpr int kMaxRowHeight = 255; // list boxes cut taller owner-drawn rows
} // namespace

CString CIconListBox::MakeLabel(int width, int height, int bitCount) {
    if (width == 0)
        width = 256;
    if (height == 0)
        height = 256;
    CString label;
    if (bitCount <= 8)
        label.Format("%dx%dx%d", width, height, 1 << (bitCount < 0 ? 0 : bitCount));
    else
        label.Format("%dx%dx%dbit", width, height, bitCount);
    return label;
}

CIconListBox::~CIconListBox() {
    // The rows' icons go with the window, while this object can still free them.
    if (m_hWnd && IsWindow(m_hWnd))
        DestroyWindow();
}

int CIconListBox::AddImage(ScopedIcon icon, int width, int height, int directoryIndex,
                           const char* label, const POINT* hotSpot) {
    if (!icon)
        return -1;
    return AppendRow(std::move(icon), width, height, directoryIndex, label, hotSpot);
}

int CIconListBox::AddDamagedImage(int directoryIndex, const char* label) {
    if (label == nullptr || *label == '\0')
        return -1;
    // As high as a small icon: the directory's size of a damaged image is not to be trusted.
    const int side = AfxGetSystemMetricForDpi(SM_CXSMICON, m_nDpi);
    return AppendRow(ScopedIcon(), side, side, directoryIndex, CString(label) + " (damaged)");
}

int CIconListBox::AppendRow(ScopedIcon icon, int width, int height, int directoryIndex,
                            const char* label, const POINT* hotSpot) {
    if (label == nullptr || *label == '\0')
        return -1;
    auto* item =
        new (std::nothrow) IconListBoxItem{std::move(icon), width, height, directoryIndex, {}};
    if (item == nullptr)
        return -1;
    std::snprintf(item->label, sizeof item->label, "%s", label);
    if (hotSpot) {
        item->hasHotSpot = true;
        item->hotSpot = *hotSpot;
    }
    const int index = static_cast<int>(
        SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item)));
    if (index < 0) {
        delete item;
        return -1;
    }
    SetItemDataPtr(index, item);
    return index;
}

const IconListBoxItem* CIconListBox::GetRow(int index) const {
    if (index < 0 || index >= GetCount())
        return nullptr;
    void* data = GetItemDataPtr(index);
    return data == reinterpret_cast<void*>(LB_ERR) ? nullptr
                                                   : static_cast<const IconListBoxItem*>(data);
}

int CIconListBox::GetCaretRow() const {
    const int caret = GetCaretIndex();
    return caret >= 0 && caret < GetCount() ? caret : -1;
}

void CIconListBox::SelectAll() {
    const int count = GetCount();
    for (int i = 0; i < count; ++i)
        SetSel(i, TRUE);
}

int CIconListBox::LineHeight() const {
    const ScopedWindowDC dc(m_hWnd);
    TEXTMETRICA metrics;
    const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
    const ScopedSelect selected(dc.Get(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
    return dc && GetTextMetricsA(dc.Get(), &metrics) ? metrics.tmHeight : 16;
}

int CIconListBox::PictureSide(const IconListBoxItem& item) const {
    // The width without the scroll bar, whether it shows or not, so that measuring the rows
    // again never adds or takes away the bar that changed the width.
    RECT window;
    GetWindowRect(&window);
    const int fitsWidth = window.right - window.left -
                          AfxGetSystemMetricForDpi(SM_CXVSCROLL, m_nDpi) - 2 * Scaled(kPictureLeft);
    if (item.width <= fitsWidth && item.height + Scaled(kRowPadding) <= kMaxRowHeight)
        return item.width;
    const int fitsHeight = kMaxRowHeight - Scaled(kRowPadding) - LineHeight();
    return std::max(Scaled(kMinPictureSide), std::min({item.width, fitsWidth, fitsHeight}));
}

int CIconListBox::RowHeight(const IconListBoxItem* item) const {
    const int padding = Scaled(kRowPadding);
    if (!item)
        return AfxGetSystemMetricForDpi(SM_CYICON, m_nDpi) + padding;
    const int side = PictureSide(*item);
    // A scaled picture takes the row's width; its label goes under it. Beside a small picture
    // the label needs a line's height, which large fonts make taller than the picture.
    if (side == item->width)
        return std::max(item->height, LineHeight()) + padding;
    return side + padding + LineHeight();
}

void CIconListBox::MeasureItem(LPMEASUREITEMSTRUCT measure) {
    measure->itemHeight =
        static_cast<UINT>(RowHeight(reinterpret_cast<const IconListBoxItem*>(measure->itemData)));
}

void CIconListBox::OnSize(UINT type, int cx, int cy) {
    CListBox::OnSize(type, cx, cy);
    MeasureRowsAgain();
}

void CIconListBox::SetDpi(int dpi) {
    m_nDpi = dpi;
    if (m_hWnd)
        MeasureRowsAgain();
}

void CIconListBox::MeasureRowsAgain() {
    bool changed = false;
    for (int row = 0; row < GetCount(); ++row) {
        const int height = RowHeight(GetRow(row));
        if (height != GetItemHeight(row)) {
            SetItemHeight(row, static_cast<UINT>(height));
            changed = true;
        }
    }
    if (changed)
        Invalidate();
}

void CIconListBox::DeleteItem(LPDELETEITEMSTRUCT deleted) {
    auto* item = reinterpret_cast<IconListBoxItem*>(deleted->itemData);
    if (item == nullptr)
        return;
    delete item;
}

void CIconListBox::DrawHotSpot(HDC dc, const IconListBoxItem& item, int left, int top,
                               int side) const {
    if (!item.hasHotSpot || item.width <= 0)
        return;
    // The hot spot scaled with the picture, kept on it when the file puts it outside.
    const auto place = [&](LONG at) {
        const int inside = std::clamp(static_cast<int>(at), 0, item.width - 1);
        return (2 * inside + 1) * side / (2 * item.width);
    };
    const int x = left + place(item.hotSpot.x), y = top + place(item.hotSpot.y);
    const int arm = Scaled(kHotSpotArm), thick = std::max(1, Scaled(1));
    // Red on a white outline, seen on any picture.
    const RECT outline[] = {
        {x - arm - 1, y - thick / 2 - 1, x + arm + 2, y - thick / 2 + thick + 1},
        {x - thick / 2 - 1, y - arm - 1, x - thick / 2 + thick + 1, y + arm + 2}};
    const RECT cross[] = {{x - arm, y - thick / 2, x + arm + 1, y - thick / 2 + thick},
                          {x - thick / 2, y - arm, x - thick / 2 + thick, y + arm + 1}};
    const ScopedBrush red(CreateSolidBrush(RGB(255, 0, 0)));
    for (const RECT& bar : outline)
        FillRect(dc, &bar, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    for (const RECT& bar : cross)
        FillRect(dc, &bar, red.Get());
}

void CIconListBox::DrawItem(LPDRAWITEMSTRUCT draw) {
    HDC dc = draw->hDC;
    RECT rect = draw->rcItem;
    if (draw->itemAction == ODA_FOCUS && static_cast<int>(draw->itemID) == -1) {
        // An empty list getting or losing the focus.
        FillRect(dc, &rect, GetSysColorBrush(COLOR_WINDOW));
        if (draw->itemState & ODS_FOCUS) {
            InflateRect(&rect, -2, -2);
            DrawFocusRect(dc, &rect);
        }
        return;
    }
    const auto* item = reinterpret_cast<const IconListBoxItem*>(draw->itemData);
    if (static_cast<int>(draw->itemID) == -1 || item == nullptr)
        return;

    SetBkMode(dc, TRANSPARENT);
    const bool selected = (draw->itemState & ODS_SELECTED) != 0;
    COLORREF oldText = 0;
    if (selected) {
        FillRect(dc, &rect, GetSysColorBrush(COLOR_HIGHLIGHT));
        oldText = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        FillRect(dc, &rect, GetSysColorBrush(COLOR_WINDOW));
    }
    const int side = PictureSide(*item);
    const int left = Scaled(kPictureLeft), padding = Scaled(kRowPadding);
    if (item->icon) {
        DrawIconEx(dc, rect.left + left, rect.top + padding / 2, item->icon.Get(), side, side, 0,
                   nullptr, DI_NORMAL);
        DrawHotSpot(dc, *item, rect.left + left, rect.top + padding / 2, side);
    }
    if (side == item->width) {
        // The label keeps a character's width from the picture, in the font the list draws with.
        TEXTMETRICA metrics;
        const int gap = GetTextMetricsA(dc, &metrics) ? metrics.tmAveCharWidth : 8;
        rect.left += item->width + gap + left;
        DrawTextA(dc, item->label, -1, &rect, DT_SINGLELINE | DT_VCENTER);
    } else {
        RECT below = rect;
        below.left += left;
        below.top += side + padding;
        DrawTextA(dc, item->label, -1, &below, DT_SINGLELINE | DT_TOP);
    }
    if (selected)
        SetTextColor(dc, oldText);
    if (draw->itemState & ODS_FOCUS) {
        InflateRect(&rect, -1, -2);
        OffsetRect(&rect, -1, 0);
        DrawFocusRect(dc, &rect);
    }
}

void CIconListBox::OnLButtonDown(UINT flags, POINT at) {
    // A press on a selected row (no Shift or Ctrl) that moves away drags the selection as it is;
    // one that does not is a click.
    const LRESULT hit = SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(at.x, at.y));
    const int row = HIWORD(hit) == 0 ? static_cast<int>(LOWORD(hit)) : -1;
    if (m_dragStart && row >= 0 && GetSel(row) > 0 && !(flags & (MK_SHIFT | MK_CONTROL))) {
        POINT screen = at;
        ::ClientToScreen(m_hWnd, &screen);
        if (DragDetect(m_hWnd, screen)) {
            m_dragStart();
            return;
        }
        // The release was taken while watching for a drag: the list box gets both.
        Default();
        SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        return;
    }
    Default();
}
