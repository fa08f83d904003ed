// Cell placement of icon pictures.
#include "IconDrawing.h"

namespace quarvel {

CellPlacement PlaceInCell(int iconWidth, int cx, int cy) {
    if (iconWidth < 1 || cx < 1 || cy < 1)
        return {0, 0, 0, 0};
    int width = iconWidth, height = iconWidth;
    if (iconWidth > cx || iconWidth > cy) {
        const double gx = static_cast<double>(iconWidth) / cx;
        const double gy = static_cast<double>(iconWidth) / cy;
        const double g = gx > gy ? gx : gy;
        width = static_cast<int>(iconWidth / g);
        height = static_cast<int>(iconWidth / g);
    }
    return {(cx - width) / 2, (cy - height) / 2, width, height};
}

} // namespace quarvel
