// "Copy Icon Location" of the icon panes: an icon's location string on the clipboard as text.
#pragma once

#include "Framework.h"

namespace quarvel {

class CIconItem;

// Puts the icon's location (engine/IconLocation.h) on the clipboard; false without an icon,
// when it has no location or the clipboard cannot be opened.
bool CopyIconLocation(HWND owner, const CIconItem* item);
// Whether Windows has a syntax for the item's location: not for a group cursor (the menu item
// is then greyed).
bool HasIconLocationSyntax(const CIconItem* item);

} // namespace quarvel
