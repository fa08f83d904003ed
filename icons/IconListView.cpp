// CIconListView: creation, layout and the commands of the icon list.
#include "IconListView.h"

#include "IconBatchSaveDlg.h"
#include "IconLocationCopy.h"
#include "IconMenu.h"
#include "Handles.h"
#include "SaveNameDialog.h"
#include "resource.h"

#include <algorithm>

using namespace quarvel;

IMPLEMENT_DYNCREATE(CIconListView, CSingleCtrlView)

BEGIN_MESSAGE_MAP(CIconListView, CSingleCtrlView)
    ON_WM_CONTEXTMENU()
    ON_WM_SIZE()
    ON_EN_CHANGE(IDC_ICON_FILTER, OnFilterChanged)
    ON_COMMAND(ID_SAVE_ICON_AS, OnSaveIconAs)
    ON_UPDATE_COMMAND_UI(ID_SAVE_ICON_AS, OnUpdateSaveIconAs)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateEditSelectAll)
    ON_COMMAND(ID_COPY_ICON_LOCATION, OnCopyIconLocation)
    ON_UPDATE_COMMAND_UI(ID_COPY_ICON_LOCATION, OnUpdateCopyIconLocation)
END_MESSAGE_MAP()

namespace {
constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_ICON | LVS_AUTOARRANGE |
                             LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS;
} // namespace

bool CIconListView::CreateControl() {
    // The list shares its picture list: the control object owns it.
    if (!m_wndList.Create(kListStyle, RECT{0, 0, 0, 0}, this, IDC_ICON_LIST) ||
        !m_wndFilter.Create(RECT{0, 0, 0, 0}, this, IDC_ICON_FILTER))
        return false;
    m_wndFilter.SetList(&m_wndList);
    return true;
}

void CIconListView::SetDpi(int dpi) {
    CSingleCtrlView::SetDpi(dpi);
    m_wndList.SetDpi(dpi);
    m_wndFilter.SetFont(AfxGetMessageFont(dpi), TRUE);
    RECT client;
    GetClientRect(&client);
    Layout(client.right, client.bottom);
}

void CIconListView::OnSize(UINT type, int cx, int cy) {
    CView::OnSize(type, cx, cy);
    Layout(cx, cy);
}

void CIconListView::Layout(int cx, int cy) {
    if (!m_wndFilter.m_hWnd || !m_wndList.m_hWnd)
        return;
    // A line of the message font, with room for the border and a little space.
    TEXTMETRICA metrics{};
    {
        const ScopedWindowDC dc(m_wndFilter.m_hWnd);
        const ScopedSelect font(dc.Get(), AfxGetMessageFont(GetDpi()));
        GetTextMetricsA(dc.Get(), &metrics);
    }
    const int height =
        std::min(cy, static_cast<int>(metrics.tmHeight) + AfxScaleToDpi(8, GetDpi()));
    m_wndFilter.MoveWindow(0, 0, cx, height, TRUE);
    m_wndList.MoveWindow(0, height, cx, std::max(0, cy - height), TRUE);
}

void CIconListView::FocusFilter() {
    m_wndFilter.SetFocus();
    m_wndFilter.SetSel(0, -1);
}

void CIconListView::OnFilterChanged() {
    m_wndList.SetFilter(m_wndFilter.GetWindowText());
}

void CIconListView::OnSaveIconAs() {
    const UINT selected = m_wndList.GetSelectedCount();
    if (selected == 0)
        return;
    if (selected == 1) {
        // Asked here rather than by SaveIcon, so that a cancel is told apart from a failure.
        const int index = m_wndList.GetNextItem(-1, LVNI_SELECTED);
        CString path;
        int format = kSaveAsIco;
        if (m_wndList.AskSaveName(index, path, format) &&
            !m_wndList.SaveIcon(index, false, path, true, format))
            ShowSaveFailed(*this, path);
        return;
    }
    CIconBatchSaveDlg(m_wndList, m_wndList.GetSaveFolderSetting(), this).DoModal();
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

void CIconListView::OnCopyIconLocation() {
    CopyIconLocation(m_hWnd, m_wndList.GetIconItem(m_wndList.GetNextItem(-1, LVNI_FOCUSED)));
}

void CIconListView::OnUpdateCopyIconLocation(CCmdUI* cmdUI) {
    cmdUI->Enable(
        HasIconLocationSyntax(m_wndList.GetIconItem(m_wndList.GetNextItem(-1, LVNI_FOCUSED))));
}

void CIconListView::OnContextMenu(HWND, POINT at) {
    ShowIconMenu(this, at);
}
