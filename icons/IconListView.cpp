// CIconListView: creation, layout and the commands of the icon list.
#include "IconListView.h"

#include "IconMenu.h"
#include "SaveNameDialog.h"
#include "resource.h"

using namespace quarvel;

IMPLEMENT_DYNCREATE(CIconListView, CSingleCtrlView)

BEGIN_MESSAGE_MAP(CIconListView, CSingleCtrlView)
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
// Until the batch save arrives, several icons cannot be saved in one go.
const char kBatchSaveMissing[] = "Saving several icons at once is not available yet.\n"
                                 "Select one icon to save it.";
const char kSaveCaption[] = "Save Icon As";
} // namespace

bool CIconListView::CreateControl() {
    // The list shares its picture list: the control object owns it.
    return m_wndList.Create(kListStyle, RECT{0, 0, 0, 0}, this, IDC_ICON_LIST) != FALSE;
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
    MessageBox(kBatchSaveMissing, kSaveCaption, MB_OK | MB_ICONINFORMATION);
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
    ShowIconMenu(this, at);
}
