// The sub-icon view's list box: adding rows, measuring, drawing and freeing them.
#include "IconListBox.h"

#include <cstdio>
#include <new>
#include <utility>

int CIconListBox::s_averageCharWidth = 0;

BEGIN_MESSAGE_MAP(CIconListBox, CListBox)
END_MESSAGE_MAP()

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
                           const char* label) {
    if (!icon)
        return -1;
    return AppendRow(std::move(icon), width, height, directoryIndex, label);
}

int CIconListBox::AddDamagedImage(int directoryIndex, const char* label) {
    if (label == nullptr || *label == '\0')
        return -1;
    // As high as a small icon: the directory's size of a damaged image is not to be trusted.
    const int side = GetSystemMetrics(SM_CXSMICON);
    return AppendRow(ScopedIcon(), side, side, directoryIndex, CString(label) + " (damaged)");
}

int CIconListBox::AppendRow(ScopedIcon icon, int width, int height, int directoryIndex,
                            const char* label) {
    if (label == nullptr || *label == '\0')
        return -1;
    auto* item =
        new (std::nothrow) IconListBoxItem{std::move(icon), width, height, directoryIndex, {}};
    if (item == nullptr)
        return -1;
    std::snprintf(item->label, sizeof item->label, "%s", label);
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

void CIconListBox::MeasureItem(LPMEASUREITEMSTRUCT measure) {
    const auto* item = reinterpret_cast<const IconListBoxItem*>(measure->itemData);
    measure->itemHeight =
        static_cast<UINT>((item ? item->height : GetSystemMetrics(SM_CYICON)) + 2);
}

void CIconListBox::DeleteItem(LPDELETEITEMSTRUCT deleted) {
    auto* item = reinterpret_cast<IconListBoxItem*>(deleted->itemData);
    if (item == nullptr)
        return;
    delete item;
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
    if (s_averageCharWidth == 0) {
        TEXTMETRICA metrics;
        if (GetTextMetricsA(dc, &metrics))
            s_averageCharWidth = metrics.tmAveCharWidth;
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
    if (item->icon)
        DrawIconEx(dc, rect.left + 2, rect.top + 1, item->icon.Get(), item->width, item->width, 0,
                   nullptr, DI_NORMAL);
    rect.left += item->width + (s_averageCharWidth ? s_averageCharWidth : 8) + 2;
    DrawTextA(dc, item->label, -1, &rect, DT_SINGLELINE | DT_VCENTER);
    if (selected)
        SetTextColor(dc, oldText);
    if (draw->itemState & ODS_FOCUS) {
        InflateRect(&rect, -1, -2);
        OffsetRect(&rect, -1, 0);
        DrawFocusRect(dc, &rect);
    }
}
