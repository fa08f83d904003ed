// CSortListCtrl: header-click sorting, column building and off-screen painting.
#include "SortListCtrl.h"

#include "ColumnSorter.h"

IMPLEMENT_DYNAMIC(CSortListCtrl, CListCtrl)
IMPLEMENT_DYNAMIC(CTextSortListCtrl, CSortListCtrl)

BEGIN_MESSAGE_MAP(CSortListCtrl, CListCtrl)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

bool CSortListCtrl::SortByColumn(int, bool) {
    return true;
}

void CSortListCtrl::AddExtendedStyle(DWORD style) {
    SetExtendedStyle(GetExtendedStyle() | style);
}

int CSortListCtrl::AppendColumn(const char* heading, int width, int format) {
    HWND header = GetHeaderCtrl();
    int index = header ? Header_GetItemCount(header) : 0;
    if (index < 0)
        index = 0;
    if (width == -1) {
        HDITEMA last{};
        last.mask = HDI_WIDTH;
        width = header && index > 0 && Header_GetItem(header, index - 1, &last) ? last.cxy : 0;
    }
    return InsertColumn(index, heading, format, width, index);
}

void CSortListCtrl::ScaleColumnWidths(int fromDpi, int toDpi) {
    const HWND header = GetHeaderCtrl();
    const int count = header ? Header_GetItemCount(header) : 0;
    if (fromDpi <= 0 || fromDpi == toDpi)
        return;
    for (int column = 0; column < count; ++column)
        SetColumnWidth(column, MulDiv(GetColumnWidth(column), toDpi, fromDpi));
}

BOOL CSortListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == HDN_ITEMCLICKA || header->code == HDN_ITEMCLICKW) {
        auto* click = reinterpret_cast<NMHEADERA*>(lParam);
        if (click->iButton == 0) {
            m_bAscending = click->iItem == m_nSortedColumn ? !m_bAscending : true;
            m_nSortedColumn = click->iItem;
            SortByColumn(m_nSortedColumn, m_bAscending);
        }
    }
    // The list view's own handling runs as well.
    return CListCtrl::OnNotify(wParam, lParam, pResult);
}

void CSortListCtrl::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    RECT clip;
    GetClipBox(dc, &clip);
    RECT client;
    GetClientRect(&client);

    // The header paints itself; never paint over it.
    HWND header = ::GetDlgItem(m_hWnd, 0);
    if (header && ::IsWindowVisible(header)) {
        RECT headerRect;
        ::GetClientRect(header, &headerRect);
        ExcludeClipRect(dc, headerRect.left, headerRect.top, headerRect.right, headerRect.bottom);
    }

    // Compose the whole client area off-screen, then copy only the invalid box.
    MemoryCanvas canvas(dc, client.right - client.left, client.bottom - client.top);
    if (canvas) {
        FillRect(canvas.DC(), &client, GetSysColorBrush(COLOR_WINDOW));
        DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(canvas.DC()), 0);
        BitBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, canvas.DC(),
               clip.left, clip.top, SRCCOPY);
    } else {
        // Out of GDI resources: paint straight on the screen rather than not at all.
        DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
    EndPaint(m_hWnd, &ps);
}

BOOL CSortListCtrl::OnEraseBkgnd(HDC) {
    return TRUE;
} // painting covers the whole area

bool CTextSortListCtrl::SortByColumn(int column, bool ascending) {
    CColumnSorter sorter(this, column);
    sorter.Sort(ascending, ByText);
    return true;
}
