// The drag loop.
#include "IconDrag.h"

namespace quarvel {

DWORD DragData(IDataObject* data, IDropSource* source) {
    DWORD effect = DROPEFFECT_NONE;
    if (!data || !source || DoDragDrop(data, source, DROPEFFECT_COPY, &effect) != DRAGDROP_S_DROP)
        return DROPEFFECT_NONE;
    return effect;
}

} // namespace quarvel
