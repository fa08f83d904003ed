// The context menu of both icon panes (menu resource 177): "&Copy to Clipboard", "Select &All"
// and "Save Icon As", each enabled or greyed by the pane's update handlers.
#pragma once

#include "Framework.h"

namespace quarvel {

// Shows the menu at a screen point (from the keyboard, (-1, -1): at the owner's top left
// corner), tracking the right button; the chosen command goes to owner.
void ShowIconMenu(CWnd* owner, POINT at);

} // namespace quarvel
