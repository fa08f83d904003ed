// The drop source's answers.
#include "DropSource.h"

#include <new>

IDropSource* CDropSource::Create() {
    return new (std::nothrow) CDropSource();
}

HRESULT CDropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState) {
    if (escapePressed)
        return DRAGDROP_S_CANCEL;
    // Pressing the other button as well cancels, as in Explorer.
    const DWORD buttons = keyState & (MK_LBUTTON | MK_RBUTTON);
    if (buttons == (MK_LBUTTON | MK_RBUTTON))
        return DRAGDROP_S_CANCEL;
    return buttons == 0 ? DRAGDROP_S_DROP : S_OK;
}

HRESULT CDropSource::GiveFeedback(DWORD) {
    return DRAGDROP_S_USEDEFAULTCURSORS;
}
