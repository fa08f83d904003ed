// Dragging data of the icon panes out to other programs.
#pragma once

#include <windows.h>

#include <oleidl.h>

namespace quarvel {

// Runs the system's drag of the data (offered for copying) until the drop source ends it;
// the effect the drop target chose, DROPEFFECT_NONE when there was no drop.
DWORD DragData(IDataObject* data, IDropSource* source);

} // namespace quarvel
