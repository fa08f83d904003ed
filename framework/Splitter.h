// CSplitterWnd: a static splitter, a grid of panes with draggable bars between them. Each
// row and column has an ideal and a minimum size. Layout rule: every column but the last gets
// its ideal width (none when the ideal is below the minimum, and never more than is left), and
// the last column takes the rest; rows likewise. Dragging a bar sets the ideal size of the pane
// before it, so resizing the splitter changes only the last pane.
#pragma once

#include "FwIds.h"
#include "Wnd.h"

#include <vector>

struct CCreateContext;

class CSplitterWnd : public CWnd {
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    static constexpr int kBarSize = 6; // at 96 DPI

    BOOL CreateStatic(CWnd* parent, int rows, int cols, DWORD style = WS_CHILD | WS_VISIBLE,
                      UINT id = AFX_IDW_PANE_FIRST);
    // Creates the pane's view from its class; size gives the ideal width of its column and
    // ideal height of its row.
    virtual BOOL CreateView(int row, int col, const CRuntimeClass* viewClass, SIZE size,
                            CCreateContext* context);
    int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }
    CWnd* GetPane(int row, int col) const;
    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    int GetColumnCount() const { return static_cast<int>(m_cols.size()); }
    void SetColumnInfo(int col, int ideal, int minimum);
    void GetColumnInfo(int col, int& current, int& minimum) const;
    void SetRowInfo(int row, int ideal, int minimum);
    void GetRowInfo(int row, int& current, int& minimum) const;
    // The bars' thickness in pixels, kBarSize until set (a frame scales it to its DPI).
    void SetBarSize(int size) { m_barSize = size; }
    int GetBarSize() const { return m_barSize; }
    virtual void RecalcLayout();

protected:
    struct Track {
        int ideal = 0;
        int minimum = 0;
        int current = 0;
    };
    // Places the tracks along a length, bars of barSize between them; returns each track's start.
    static std::vector<int> Layout(std::vector<Track>& tracks, int length, int barSize);
    // The bar under a point: {column bar index, row bar index}, -1 where none.
    std::pair<int, int> HitTestBar(POINT point) const;

    void OnSize(UINT type, int cx, int cy);
    BOOL OnEraseBkgnd(HDC dc);
    BOOL OnSetCursor(HWND wnd, UINT hitTest, UINT message);
    void OnLButtonDown(UINT flags, POINT point);
    void OnMouseMove(UINT flags, POINT point);
    void OnLButtonUp(UINT flags, POINT point);
    void OnCaptureChanged(HWND newCapture);
    DECLARE_MESSAGE_MAP()

private:
    std::vector<Track> m_rows, m_cols;
    std::vector<int> m_rowStarts, m_colStarts;
    int m_trackCol = -1, m_trackRow = -1; // the bar being dragged
    int m_barSize = kBarSize;
};
