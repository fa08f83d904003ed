// CControlBar: registration with the frame and idle updates.
#include "ControlBar.h"

#include "Frame.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

int CControlBar::OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    CWnd* parent = CWnd::FromHandlePermanent(cs->hwndParent);
    if (parent && parent->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        m_pDockFrame = static_cast<CFrameWnd*>(parent);
        m_pDockFrame->AddControlBar(this);
    }
    return 0;
}

void CControlBar::OnDestroy() {
    if (m_pDockFrame)
        m_pDockFrame->RemoveControlBar(this);
    m_pDockFrame = nullptr;
    CWnd::OnDestroy();
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
    // Bars in a frame are updated by the frame; a bar elsewhere updates itself from its parent.
    if (!m_pDockFrame && IsWindowVisible())
        if (CFrameWnd* frame = GetParentFrame())
            OnUpdateCmdUI(frame, wParam != 0);
    return 0;
}
