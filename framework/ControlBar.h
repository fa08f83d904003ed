// Control bars docked to the sides of a frame: CToolBar (flat buttons with gripper, tooltips
// and fly-by prompts from the string table) and CStatusBar (the message pane and key indicators).
#pragma once

#include "CmdUI.h"
#include "Wnd.h"

#include <vector>

class CFrameWnd;

// Bar styles (kept by the bar, not passed to the window).
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000;
constexpr DWORD CBRS_LEFT = CBRS_ALIGN_LEFT;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP;
constexpr DWORD CBRS_RIGHT = CBRS_ALIGN_RIGHT;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM;
constexpr DWORD CBRS_TOOLTIPS = 0x0010;
constexpr DWORD CBRS_FLYBY = 0x0020;
constexpr DWORD CBRS_GRIPPER = 0x00400000;
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0040;

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    DWORD GetBarStyle() const { return m_dwStyle; }
    virtual void SetBarStyle(DWORD style) { m_dwStyle = style; }
    void EnableDocking(DWORD sides) { m_dwDockStyle = sides; }
    DWORD GetDockingSides() const { return m_dwDockStyle; }
    bool IsHorizontal() const { return (m_dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) == 0; }
    // The size the bar wants along its side (length for the whole side, thickness its own).
    virtual SIZE CalcFixedLayout(int sideLength) = 0;
    // Asks target to update each command item of the bar.
    virtual void OnUpdateCmdUI(CFrameWnd* target, bool disableIfNoHandler) = 0;

protected:
    CControlBar() = default;
    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM);
    DWORD m_dwStyle = 0;
    DWORD m_dwDockStyle = 0;
    CFrameWnd* m_pDockFrame = nullptr;
    DECLARE_MESSAGE_MAP()
};

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

protected:
    void OnPaint();
    void OnLButtonDown(UINT flags, POINT point);
    void OnLButtonUp(UINT flags, POINT point);
    BOOL OnSetCursor(HWND wnd, UINT hitTest, UINT message);
    void OnToolTipTextA(NMHDR* header, LRESULT* result);
    void OnToolTipTextW(NMHDR* header, LRESULT* result);
    BOOL OnHotItemChange(NMHDR* header, LRESULT* result);
    bool InGripper(POINT point) const;
    static constexpr int kGripperSize = 8;
    DECLARE_MESSAGE_MAP()

private:
    bool m_bDragging = false;
};

class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_BOTTOM, UINT id = 59393);
    // Pane 0 (ID_SEPARATOR) is the message pane; the others show their id's string when enabled.
    BOOL SetIndicators(const UINT* ids, int count);
    int GetCount() const { return static_cast<int>(m_indicators.size()); }
    UINT GetItemID(int index) const { return m_indicators.at(static_cast<size_t>(index)).id; }
    BOOL SetPaneText(int index, const char* text);
    CString GetPaneText(int index) const;
    SIZE CalcFixedLayout(int sideLength) override;
    void OnUpdateCmdUI(CFrameWnd* target, bool disableIfNoHandler) override;

protected:
    void OnSize(UINT type, int cx, int cy);
    void UpdatePartWidths();
    DECLARE_MESSAGE_MAP()

private:
    struct Indicator {
        UINT id;
        CString text;
        int width;
    };
    std::vector<Indicator> m_indicators;
};
