// CIconListView: creation, layout and the commands of the icon list.
#include "IconListView.h"

#include "IconBatchSaveDlg.h"
#include "IconMenu.h"
#include "SaveNameDialog.h"
#include "resource.h"

using namespace quarvel;

IMPLEMENT_DYNCREATE(CIconListView, CView)

BEGIN_MESSAGE_MAP(CIconListView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_CONTEXTMENU()
    ON_COMMAND(ID_SAVE_ICON_AS, OnSaveIconAs)
    ON_UPDATE_COMMAND_UI(ID_SAVE_ICON_AS, OnUpdateSaveIconAs)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateEditSelectAll)
END_MESSAGE_MAP()

namespace {
constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_ICON | LVS_AUTOARRANGE |
                             LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS;
} // namespace

int CIconListView::OnCreate(LPCREATESTRUCT cs) {
    if (CView::OnCreate(cs) == -1)
        return -1;
    // The list shares its picture list: the control object owns it.
    return m_wndList.Create(kListStyle, RECT{0, 0, 0, 0}, this, IDC_ICON_LIST) ? 0 : -1;
}

void CIconListView::OnSize(UINT type, int cx, int cy) {
    CView::OnSize(type, cx, cy);
    if (m_wndList.m_hWnd)
        m_wndList.MoveWindow(0, 0, cx, cy, TRUE);
}

void CIconListView::OnSetFocus(HWND old) {
    CView::OnSetFocus(old);
    if (m_wndList.m_hWnd)
        m_wndList.SetFocus();
}

void CIconListView::OnSaveIconAs() {
    const UINT selected = m_wndList.GetSelectedCount();
    if (selected == 0)
        return;
    if (selected == 1) {
        m_wndList.SaveIcon(m_wndList.GetNextItem(-1, LVNI_SELECTED), true, nullptr, false,
                           kSaveAsIco);
        return;
    }
    CIconBatchSaveDlg(m_wndList, m_saveFolder, this).DoModal();
}

void CIconListView::OnUpdateSaveIconAs(CCmdUI* cmdUI) {
    cmdUI->Enable(m_wndList.GetSelectedCount() > 0);
}

void CIconListView::OnUpdateEditCopy(CCmdUI* cmdUI) {
    cmdUI->Enable(m_wndList.FirstSelectedHasPicture());
}

void CIconListView::OnUpdateEditSelectAll(CCmdUI* cmdUI) {
    cmdUI->Enable(m_wndList.GetItemCount() > 0);
}

void CIconListView::OnContextMenu(HWND, POINT at) {
    ShowIconMenu(this, at,
                 IconMenuState{m_wndList.FirstSelectedHasPicture(), m_wndList.GetItemCount() > 0,
                               m_wndList.GetSelectedCount() > 0});
}
