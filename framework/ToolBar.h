// CToolBar: flat buttons from a toolbar resource, with a gripper to drag the bar to another side
// of the frame, tooltips and fly-by prompts from the string table.
#pragma once

#include "ControlBar.h"

class CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    BOOL CreateEx(CWnd* parent, DWORD controlStyle = TBSTYLE_FLAT,
                  DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, UINT id = 59392);
    // Loads the buttons of a toolbar resource (and its bitmap, when the resources have one).
    BOOL LoadToolBar(UINT resourceId);
    BOOL SetButtons(const UINT* ids, int count);
    int GetCount() const { return static_cast<int>(SendMessage(TB_BUTTONCOUNT)); }
    UINT GetItemID(int index) const;
    void SetBarStyle(DWORD style) override;
    SIZE CalcFixedLayout(int sideLength) override;
    void OnUpdateCmdUI(CFrameWnd* target, bool disableIfNoHandler) override;
    // The tooltip of a command: its string table entry after "\n" (empty when none).
    static CString GetTipText(UINT id);

    static constexpr int kGripperSize = 8; // at 96 DPI
    // The gripper's thickness in pixels, kGripperSize until set (a frame scales it to its DPI).
    void SetGripperSize(int size);

protected:
    // The gripper lies outside the client area: left of the buttons, or above them when the bar
    // stands on the left or right side. It answers hit tests with HTBORDER.
    void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);
    void OnNcPaint();
    LRESULT OnNcHitTest(POINT screen);
    void OnNcLButtonDown(UINT hitTest, POINT screen);
    void OnLButtonUp(UINT flags, POINT point);
    void OnCaptureChanged(HWND newCapture);
    BOOL OnSetCursor(HWND wnd, UINT hitTest, UINT message);
    void OnToolTipTextA(NMHDR* header, LRESULT* result);
    void OnToolTipTextW(NMHDR* header, LRESULT* result);
    BOOL OnHotItemChange(NMHDR* header, LRESULT* result);
    // The gripper in window coordinates; empty without CBRS_GRIPPER.
    RECT GripperRect() const;
    bool CanBeDragged() const;
    DECLARE_MESSAGE_MAP()

private:
    bool m_bDragging = false;
    int m_gripperSize = kGripperSize;
};
