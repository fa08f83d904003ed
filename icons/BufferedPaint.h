// Painting a control through an off-screen DIB section, so that what it draws per item stays in
// memory and the window receives the whole update in one copy.
#pragma once

#include <windows.h>

namespace quarvel {

// Answers the control's WM_PAINT: the update rectangle is painted (background and client, through
// WM_PRINTCLIENT) into a DIB section and copied to the window; when no DIB section can be made,
// the control paints the window directly. The control's WM_ERASEBKGND must then do nothing, as
// the background is painted here.
//
// A list view draws each picture through a scratch bitmap compatible with the device context it
// paints on; on a window's device context that bitmap is a device-dependent one, which costs a
// trip to the display driver per picture, where one compatible with a DIB section stays in memory.
void PaintThroughDib(HWND control);

} // namespace quarvel
