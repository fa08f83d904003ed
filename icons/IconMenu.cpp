// The icon panes' context menu.
#include "IconMenu.h"

#include "resource.h"

namespace quarvel {

void ShowIconMenu(CWnd* owner, POINT at) {
    CMenu menu;
    if (!owner || !menu.LoadMenu(IDR_ICON_POPUP))
        return;
    if (at.x == -1 && at.y == -1) {
        at = POINT{0, 0};
        owner->ClientToScreen(&at);
    }
    menu.TrackPopupMenu(0, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, owner);
}

} // namespace quarvel
