// CSplitterWnd: static panes, layout and dragging of the bars.
#include "Splitter.h"

#include "View.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

BOOL CSplitterWnd::CreateStatic(CWnd* parent, int rows, int cols, DWORD style, UINT id) {
    if (rows < 1 || cols < 1 || rows > 16 || cols > 16)
        return FALSE;
    m_rows.assign(static_cast<size_t>(rows), Track{});
    m_cols.assign(static_cast<size_t>(cols), Track{});
    RECT rect{0, 0, 0, 0};
    if (parent) {
        // Fill the parent's client area from the start; the parent's layout may move it later.
        parent->GetClientRect(&rect);
    }
    if (!Create(nullptr, nullptr, style | WS_CHILD | WS_CLIPCHILDREN, rect, parent, id))
        return FALSE;
    // Nested in another splitter's pane: that splitter places it.
    if (parent && parent->IsKindOf(RUNTIME_CLASS(CSplitterWnd)))
        static_cast<CSplitterWnd*>(parent)->RecalcLayout();
    return TRUE;
}

BOOL CSplitterWnd::CreateView(int row, int col, const CRuntimeClass* viewClass, SIZE size,
                              CCreateContext* context) {
    if (row < 0 || col < 0 || row >= GetRowCount() || col >= GetColumnCount() || GetPane(row, col))
        return FALSE;
    m_cols[static_cast<size_t>(col)].ideal = size.cx;
    m_rows[static_cast<size_t>(row)].ideal = size.cy;
    CObject* object = viewClass ? viewClass->CreateObject() : nullptr;
    if (!object)
        return FALSE;
    auto* view = static_cast<CWnd*>(object);
    RECT empty{0, 0, 0, 0};
    // A view whose window fails deletes itself (PostNcDestroy).
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, empty, this,
                      static_cast<UINT>(IdFromRowCol(row, col)), context))
        return FALSE;
    RecalcLayout();
    return TRUE;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const {
    HWND pane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
    return pane ? CWnd::FromHandle(pane) : nullptr;
}

void CSplitterWnd::SetColumnInfo(int col, int ideal, int minimum) {
    Track& track = m_cols.at(static_cast<size_t>(col));
    track.ideal = std::max(0, ideal);
    track.minimum = std::max(0, minimum);
}

void CSplitterWnd::GetColumnInfo(int col, int& current, int& minimum) const {
    const Track& track = m_cols.at(static_cast<size_t>(col));
    current = track.current;
    minimum = track.minimum;
}

void CSplitterWnd::SetRowInfo(int row, int ideal, int minimum) {
    Track& track = m_rows.at(static_cast<size_t>(row));
    track.ideal = std::max(0, ideal);
    track.minimum = std::max(0, minimum);
}

void CSplitterWnd::GetRowInfo(int row, int& current, int& minimum) const {
    const Track& track = m_rows.at(static_cast<size_t>(row));
    current = track.current;
    minimum = track.minimum;
}

std::vector<int> CSplitterWnd::Layout(std::vector<Track>& tracks, int length, int barSize) {
    std::vector<int> starts(tracks.size());
    int position = 0;
    for (size_t i = 0; i < tracks.size(); ++i) {
        starts[i] = position;
        int left = std::max(0, length - position);
        int size = i + 1 == tracks.size()                ? left
                   : tracks[i].ideal < tracks[i].minimum ? 0
                                                         : std::min(tracks[i].ideal, left);
        tracks[i].current = size;
        position += size + barSize;
    }
    return starts;
}

void CSplitterWnd::RecalcLayout() {
    if (!m_hWnd || m_rows.empty())
        return;
    RECT client;
    GetClientRect(&client);
    m_colStarts = Layout(m_cols, client.right, m_barSize);
    m_rowStarts = Layout(m_rows, client.bottom, m_barSize);
    HDWP batch = BeginDeferWindowPos(GetRowCount() * GetColumnCount());
    for (int row = 0; row < GetRowCount(); ++row) {
        for (int col = 0; col < GetColumnCount(); ++col) {
            HWND pane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
            if (pane && batch)
                batch = DeferWindowPos(
                    batch, pane, nullptr, m_colStarts[static_cast<size_t>(col)],
                    m_rowStarts[static_cast<size_t>(row)], m_cols[static_cast<size_t>(col)].current,
                    m_rows[static_cast<size_t>(row)].current, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (batch)
        EndDeferWindowPos(batch);
    Invalidate();
}

void CSplitterWnd::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    RecalcLayout();
}

BOOL CSplitterWnd::OnEraseBkgnd(HDC dc) {
    RECT client;
    GetClientRect(&client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE)); // the panes clip themselves out
    return TRUE;
}

std::pair<int, int> CSplitterWnd::HitTestBar(POINT point) const {
    auto barAt = [this](const std::vector<Track>& tracks, const std::vector<int>& starts, int at) {
        for (size_t i = 0; i + 1 < tracks.size() && i < starts.size(); ++i) {
            int barStart = starts[i] + tracks[i].current;
            if (at >= barStart && at < barStart + m_barSize)
                return static_cast<int>(i);
        }
        return -1;
    };
    return {barAt(m_cols, m_colStarts, point.x), barAt(m_rows, m_rowStarts, point.y)};
}

BOOL CSplitterWnd::OnSetCursor(HWND wnd, UINT hitTest, UINT message) {
    if (wnd == m_hWnd && hitTest == HTCLIENT) {
        POINT point;
        GetCursorPos(&point);
        ScreenToClient(&point);
        auto bar = HitTestBar(point);
        if (bar.first >= 0 || bar.second >= 0) {
            SetCursor(LoadCursor(nullptr, bar.first >= 0 ? IDC_SIZEWE : IDC_SIZENS));
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(wnd, hitTest, message);
}

void CSplitterWnd::OnLButtonDown(UINT, POINT point) {
    auto bar = HitTestBar(point);
    m_trackCol = bar.first;
    m_trackRow = bar.first >= 0 ? -1 : bar.second;
    if (m_trackCol >= 0 || m_trackRow >= 0)
        SetCapture();
}

void CSplitterWnd::OnMouseMove(UINT, POINT point) {
    if (m_trackCol >= 0) {
        size_t col = static_cast<size_t>(m_trackCol);
        m_cols[col].ideal = std::max(0, static_cast<int>(point.x) - m_colStarts[col]);
        RecalcLayout();
    } else if (m_trackRow >= 0) {
        size_t row = static_cast<size_t>(m_trackRow);
        m_rows[row].ideal = std::max(0, static_cast<int>(point.y) - m_rowStarts[row]);
        RecalcLayout();
    }
}

void CSplitterWnd::OnLButtonUp(UINT, POINT) {
    if (m_trackCol >= 0 || m_trackRow >= 0)
        ReleaseCapture();
    m_trackCol = m_trackRow = -1;
}

void CSplitterWnd::OnCaptureChanged(HWND newCapture) {
    // Another window took the mouse: the drag is over where it stands.
    if (newCapture != m_hWnd)
        m_trackCol = m_trackRow = -1;
    CWnd::OnCaptureChanged(newCapture);
}
