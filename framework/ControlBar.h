// CControlBar: a bar docked to a side of a frame (toolbar, status bar), updated when idle.
#pragma once

#include "CmdUI.h"
#include "Wnd.h"

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
