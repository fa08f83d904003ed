// CCmdUI for menu items and the update protocol.
#include "CmdUI.h"

#include "CmdTarget.h"

void CCmdUI::Enable(BOOL bOn) {
    if (m_hMenu)
        EnableMenuItem(m_hMenu, m_nIndex,
                       MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    m_bEnableChanged = true;
}

void CCmdUI::SetCheck(int nCheck) {
    if (m_hMenu)
        CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
}

void CCmdUI::SetRadio(BOOL bOn) {
    if (m_hMenu) {
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE;
        if (GetMenuItemInfoA(m_hMenu, m_nIndex, TRUE, &item) && !(item.fType & MFT_RADIOCHECK)) {
            item.fType |= MFT_RADIOCHECK;
            SetMenuItemInfoA(m_hMenu, m_nIndex, TRUE, &item);
        }
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(const char* text) {
    if (!m_hMenu)
        return;
    UINT state =
        GetMenuState(m_hMenu, m_nIndex, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
    ModifyMenuA(m_hMenu, m_nIndex, MF_BYPOSITION | MF_STRING | state, m_nID, text);
}

bool CCmdUI::DoUpdate(CCmdTarget* target, bool disableIfNoHandler) {
    m_bEnableChanged = false;
    bool handled = target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (!handled && disableIfNoHandler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info{nullptr};
        Enable(target->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return handled;
}

void AfxUpdateMenuItems(HMENU menu, CCmdTarget* target) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const UINT id = GetMenuItemID(menu, i);
        if (id == 0 || id == static_cast<UINT>(-1))
            continue; // separators and submenus
        CCmdUI item;
        item.m_nID = id;
        item.m_nIndex = static_cast<UINT>(i);
        item.m_hMenu = menu;
        item.DoUpdate(target, true);
    }
}
