#include "win32/artwork.h"

#include "editor/pictures.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace netedit::win32 {

namespace {

COLORREF ColourRef(Colour colour) {
    return RGB(colour.red, colour.green, colour.blue);
}

} // namespace

void DrawPicture(HDC dc, Picture picture, int left, int top, int side, bool enabled) {
    const double scale = static_cast<double>(side) / PictureSide(picture);
    const COLORREF grey = ::GetSysColor(COLOR_GRAYTEXT);
    for (const Shape& shape : ShapesOf(picture)) {
        std::vector<POINT> corners;
        for (const GridPoint& corner : shape.corners) {
            corners.push_back({left + static_cast<LONG>(std::lround(corner.x * scale)),
                               top + static_cast<LONG>(std::lround(corner.y * scale))});
        }
        HBRUSH brush = ::CreateSolidBrush(enabled ? ColourRef(shape.fill) : ::GetSysColor(COLOR_BTNFACE));
        HPEN pen = ::CreatePen(PS_SOLID, std::max(1, side / 16), enabled ? ColourRef(shape.line) : grey);
        HGDIOBJ oldBrush = ::SelectObject(dc, brush);
        HGDIOBJ oldPen = ::SelectObject(dc, pen);
        ::Polygon(dc, corners.data(), static_cast<int>(corners.size()));
        ::SelectObject(dc, oldBrush);
        ::SelectObject(dc, oldPen);
        ::DeleteObject(brush);
        ::DeleteObject(pen);
    }
}

} // namespace netedit::win32
