// CMainFrame: the commands that help find an icon among thousands (the filter box, the order
// and the hiding of duplicates) and the status bar's count of the icons shown.
#include "MainFrm.h"

#include "Settings.h"
#include "resource.h"

using quarvel::IconOrder;

namespace {
static_assert(ID_VIEW_SORT_ICONS_LARGEST - ID_VIEW_SORT_ICONS_FILE ==
                  static_cast<int>(IconOrder::LargestImage),
              "one command per icon order, in order");
IconOrder OrderOfCommand(UINT command) {
    return static_cast<IconOrder>(command - ID_VIEW_SORT_ICONS_FILE);
}
} // namespace

void CMainFrame::SetUpIconFinding() {
    CIconListCtrl& icons = m_pIconList->GetListCtrl();
    icons.SetOrder(LoadIconOrder());
    icons.SetHideDuplicates(LoadHideDuplicates());
    icons.SetShownChanged([this] {
        if (m_bStatusNarrowed || (m_pIconList && m_pIconList->GetListCtrl().IsNarrowed()))
            ShowStatusWithShown();
    });
}

void CMainFrame::ShowStatusWithShown() {
    CIconListCtrl* icons = m_pIconList ? &m_pIconList->GetListCtrl() : nullptr;
    m_bStatusNarrowed = icons && icons->IsNarrowed();
    if (!m_bStatusNarrowed) {
        if (m_strListingStatus.IsEmpty())
            SetMessageText(AFX_IDS_IDLEMESSAGE);
        else
            SetMessageText(m_strListingStatus);
        return;
    }
    const std::string shown = "shown " + Grouped(icons->ShownCount()) + " of " +
                              Grouped(icons->OwnedItemCount()) + " icons";
    SetMessageText(m_strListingStatus.IsEmpty() ? CString(shown.c_str())
                                                : m_strListingStatus + " - " + shown.c_str());
}

void CMainFrame::OnFindIcon() {
    if (m_pIconList)
        m_pIconList->FocusFilter();
}

void CMainFrame::OnSortIcons(UINT command) {
    if (!m_pIconList)
        return;
    m_pIconList->GetListCtrl().SetOrder(OrderOfCommand(command));
    StoreIconOrder(OrderOfCommand(command));
}

void CMainFrame::OnUpdateSortIcons(CCmdUI* cmdUI) {
    cmdUI->SetRadio(m_pIconList &&
                    m_pIconList->GetListCtrl().GetOrder() == OrderOfCommand(cmdUI->m_nID));
}

void CMainFrame::OnHideDuplicates() {
    if (!m_pIconList)
        return;
    const bool hide = !m_pIconList->GetListCtrl().GetHideDuplicates();
    m_pIconList->GetListCtrl().SetHideDuplicates(hide);
    StoreHideDuplicates(hide);
}

void CMainFrame::OnUpdateHideDuplicates(CCmdUI* cmdUI) {
    cmdUI->SetCheck(m_pIconList && m_pIconList->GetListCtrl().GetHideDuplicates());
}
