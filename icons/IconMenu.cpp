// The icon panes' context menu.
#include "IconMenu.h"

#include "resource.h"

namespace quarvel {

namespace {
void EnableItem(HMENU popup, UINT id, bool enabled) {
    EnableMenuItem(popup, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
}
} // namespace

void ShowIconMenu(CWnd* owner, POINT at, const IconMenuState& state) {
    CMenu menu;
    if (!owner || !menu.LoadMenu(IDR_ICON_POPUP))
        return;
    HMENU popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    EnableItem(popup, ID_EDIT_COPY, state.canCopy);
    EnableItem(popup, ID_EDIT_SELECT_ALL, state.canSelectAll);
    EnableItem(popup, ID_SAVE_ICON_AS, state.canSave);
    if (at.x == -1 && at.y == -1) {
        at = POINT{0, 0};
        owner->ClientToScreen(&at);
    }
    menu.TrackPopupMenu(0, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, owner);
}

} // namespace quarvel
