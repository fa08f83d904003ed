// CFrameWnd: a top-level window with a menu, accelerators, control bars around a client pane,
// an active view, and the command routing active view -> frame -> application. It updates
// menu items when a menu opens and its bars when the application goes idle, shows command
// prompts in its status bar, and moves the focus between panes with F6 and Shift+F6.
#pragma once

#include "FwIds.h"
#include "Wnd.h"

#include <vector>

class CView;
class CDocument;
class CControlBar;
class CStatusBar;
struct CCreateContext;

// Frame style flag (kept by the frame, never passed to the window): the caption shows the
// document's title, " - " and the frame's own title.
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd() = default;

    // Creates the window with the menu, accelerators, icon and title of resource id.
    virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* parent = nullptr, CCreateContext* context = nullptr);
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    // ---- Views
    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* view, BOOL notify = TRUE);
    CDocument* GetActiveDocument() const;
    CWnd* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);
    void InitialUpdateFrame(BOOL makeVisible);

    // ---- Title: the caption is "<document title> - <frame title>" with FWS_ADDTOTITLE.
    void SetTitle(const char* title) { m_strTitle = title; }
    const CString& GetTitle() const { return m_strTitle; }
    virtual void OnUpdateFrameTitle(BOOL addToTitle);

    // ---- Control bars and layout
    virtual void RecalcLayout();
    void EnableDocking(DWORD dockStyle) { m_dwDockStyle = dockStyle; }
    DWORD GetDockingSides() const { return m_dwDockStyle; }
    // Docks the bar on a side (CBRS_ALIGN_TOP, ..._BOTTOM, ..._LEFT, ..._RIGHT; 0: its current
    // one).
    void DockControlBar(CControlBar* bar, DWORD side = 0);
    CControlBar* GetControlBar(UINT id) const;
    void ShowControlBar(CControlBar* bar, BOOL show);
    void AddControlBar(CControlBar* bar);
    void RemoveControlBar(CControlBar* bar);
    // The status bar's message pane.
    void SetMessageText(const char* text);
    void SetMessageText(UINT stringId);
    // The prompt of a command: its string table entry up to "\n".
    virtual void GetMessageString(UINT id, CString& message) const;

    bool OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    // The views F6 cycles through: visible, enabled, non-empty views without such views inside,
    // in pane order (children by control id, so splitter panes row by row, depth first).
    std::vector<CView*> GetPaneViews() const;

    HACCEL m_hAccelTable = nullptr;

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context);
    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    void OnClose();
    void OnSize(UINT type, int cx, int cy);
    void OnSetFocus(HWND old);
    void OnInitMenuPopup(HMENU menu, UINT index, BOOL sysMenu);
    void OnMenuSelect(UINT item, UINT flags, HMENU menu);
    LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM);
    BOOL OnBarCheck(UINT id);
    void OnUpdateControlBarMenu(CCmdUI* cmdUI);
    void OnUpdateKeyIndicator(CCmdUI* cmdUI);
    void OnNextPane();
    void OnPrevPane();
    void ActivateNextPane(bool previous);
    void PostNcDestroy() override { delete this; }

    CString m_strTitle;
    DWORD m_dwFrameStyle = 0;
    DECLARE_MESSAGE_MAP()

private:
    CView* m_pViewActive = nullptr;
    DWORD m_dwDockStyle = 0;
    std::vector<CControlBar*> m_controlBars;
    bool m_bInRecalcLayout = false;
};
