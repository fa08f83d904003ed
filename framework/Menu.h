// CMenu: a menu handle loaded from the resources (owned) or borrowed from a window.
#pragma once

#include <windows.h>

class CWnd;

class CMenu {
public:
    CMenu() = default;
    ~CMenu() {
        if (m_hMenu && m_owned)
            DestroyMenu(m_hMenu);
    }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    operator HMENU() const { return m_hMenu; }

    BOOL LoadMenu(UINT resourceId);
    // A popup of this menu (borrowed: valid while this menu lives).
    HMENU GetSubMenu(int position) const { return ::GetSubMenu(m_hMenu, position); }
    // Shows a popup of this menu at a screen point, its items enabled or greyed by the update
    // handlers on owner's route; its commands go to owner as WM_COMMAND.
    BOOL TrackPopupMenu(int position, UINT flags, int x, int y, CWnd* owner) const;

private:
    bool m_owned = false;
};
