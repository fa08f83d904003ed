// CShellTreeCtrl: the context menu (114) and what its commands act on, and the custom drawing of
// compressed and encrypted folders and of network items.
#include "ShellTreeCtrl.h"

namespace {
// The picture drawn over a network item, by its display type.
int NetworkImage(DWORD displayType) {
    switch (displayType) {
    case RESOURCEDISPLAYTYPE_DOMAIN:
        return 0;
    case RESOURCEDISPLAYTYPE_SERVER:
        return 3;
    case RESOURCEDISPLAYTYPE_ROOT:
        return 2;
    default:
        return 1;
    }
}
} // namespace

// ---- Menu

void CShellTreeCtrl::OnRClick(NMHDR*, LRESULT* result) {
    POINT at;
    GetCursorPos(&at);
    TVHITTESTINFO hit{};
    hit.pt = at;
    ScreenToClient(&hit.pt);
    SelectItem(HitTest(&hit));
    m_menu.Show(at);
    // Handled: the control sends no context-menu message after it, so the menu shows once.
    *result = 1;
}

void CShellTreeCtrl::OnContextMenu(HWND, POINT at) {
    if (at.x == -1 && at.y == -1) {
        // From the keyboard: at the middle of the selected item's label.
        RECT label{};
        if (!GetItemRect(GetSelectedItem(), &label, TRUE))
            GetClientRect(&label);
        at = POINT{(label.left + label.right) / 2, (label.top + label.bottom) / 2};
        ClientToScreen(&at);
    }
    m_menu.Show(at);
}

bool CShellTreeCtrl::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    return m_menu.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) ||
           CTreeCtrl::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CShellTreeCtrl::SetListing(ListingRequests* listing) {
    m_pListing = listing;
    m_menu.SetListing(listing);
}

FolderPopupTarget CShellTreeCtrl::MenuTarget() const {
    // Of the network, only servers and shares are places the shell can open.
    const ItemInfo* info = GetItemInfo(GetSelectedItem());
    const DWORD networkType =
        info && info->netResource ? info->netResource->DisplayType() : RESOURCEDISPLAYTYPE_GENERIC;
    const bool shellItem =
        info && (!info->networkNode || networkType == RESOURCEDISPLAYTYPE_SERVER ||
                 networkType == RESOURCEDISPLAYTYPE_SHARE);
    const CString path = SelectedPath();
    return FolderPopupTarget{path, shellItem, true, IsFolder(path)};
}

// ---- Drawing

void CShellTreeCtrl::OnCustomDraw(NMHDR* header, LRESULT* result) {
    auto* draw = reinterpret_cast<NMTVCUSTOMDRAW*>(header);
    *result = CDRF_DODEFAULT;
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        *result = CDRF_NOTIFYITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT: {
        const auto item = reinterpret_cast<HTREEITEM>(draw->nmcd.dwItemSpec);
        if (!(draw->nmcd.uItemState & CDIS_SELECTED)) {
            const CString path = ItemToPath(item);
            if (IsCompressed(path))
                draw->clrText = kCompressedColour;
            else if (IsEncrypted(path))
                draw->clrText = kEncryptedColour;
        }
        *result = CDRF_NOTIFYPOSTPAINT;
        break;
    }
    case CDDS_ITEMPOSTPAINT: {
        const auto item = reinterpret_cast<HTREEITEM>(draw->nmcd.dwItemSpec);
        const ItemInfo* info = GetItemInfo(item);
        if (!info || !info->netResource ||
            info->netResource->DisplayType() == RESOURCEDISPLAYTYPE_SHARE ||
            !m_networkImages.GetSafeHandle())
            break;
        RECT row{};
        if (!GetItemRect(item, &row, FALSE))
            break;
        // The icon sits left of the label: find it by hit-testing rightwards along the row.
        TVHITTESTINFO hit{};
        for (hit.pt = POINT{row.left, row.top + 2}; hit.pt.x < row.right; ++hit.pt.x) {
            HitTest(&hit);
            if (hit.flags & TVHT_ONITEMICON)
                break;
        }
        if (!(hit.flags & TVHT_ONITEMICON))
            break;
        int side = 0, height = 0;
        ImageList_GetIconSize(m_networkImages, &side, &height);
        RECT square{hit.pt.x, row.top, hit.pt.x + side, row.top + height};
        FillRect(draw->nmcd.hdc, &square, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ImageList_Draw(m_networkImages, NetworkImage(info->netResource->DisplayType()),
                       draw->nmcd.hdc, hit.pt.x, row.top, ILD_TRANSPARENT);
        break;
    }
    default:
        break;
    }
}
