// CMenu: loading and popup menus.
#include "Menu.h"

#include "CmdUI.h"

#include "WinApp.h"
#include "Wnd.h"

BOOL CMenu::LoadMenu(UINT resourceId) {
    if (m_hMenu && m_owned)
        DestroyMenu(m_hMenu);
    m_hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(resourceId));
    m_owned = m_hMenu != nullptr;
    return m_owned;
}

BOOL CMenu::TrackPopupMenu(int position, UINT flags, int x, int y, CWnd* owner) const {
    HMENU popup = GetSubMenu(position);
    if (!popup || !owner)
        return FALSE;
    AfxUpdateMenuItems(popup, owner);
    return ::TrackPopupMenu(popup, flags, x, y, 0, owner->m_hWnd, nullptr);
}
