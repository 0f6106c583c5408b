#include "win32/artwork.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

namespace netedit::win32 {

namespace {

struct Shape {
    COLORREF fill;
    COLORREF line;
    std::vector<POINT> corners; // on the picture's own grid
};

std::vector<Shape> ShapesOf(Picture picture) {
    switch (picture) {
    case Picture::None:
        break;
    case Picture::Folder:
        return {{RGB(230, 190, 40), RGB(120, 90, 0), {{1, 3}, {6, 3}, {7, 5}, {13, 5}, {13, 13}, {1, 13}}},
                {RGB(255, 225, 90), RGB(120, 90, 0), {{3, 7}, {15, 7}, {13, 13}, {1, 13}}}};
    case Picture::Door:
        return {{RGB(40, 40, 40), RGB(60, 40, 20), {{3, 1}, {13, 1}, {13, 15}, {3, 15}}},
                {RGB(170, 110, 50), RGB(60, 40, 20), {{3, 1}, {9, 3}, {9, 15}, {3, 15}}},
                {RGB(240, 210, 80), RGB(240, 210, 80), {{7, 8}, {8, 8}, {8, 10}, {7, 10}}}};
    case Picture::Tick:
        return {{RGB(0, 150, 40), RGB(0, 100, 20), {{1, 9}, {4, 6}, {7, 10}, {15, 2}, {17, 5}, {7, 16}}}};
    case Picture::Cross:
        return {{RGB(210, 30, 30),
                 RGB(140, 0, 0),
                 {{2, 4},
                  {4, 2},
                  {9, 7},
                  {14, 2},
                  {16, 4},
                  {11, 9},
                  {16, 14},
                  {14, 16},
                  {9, 11},
                  {4, 16},
                  {2, 14},
                  {7, 9}}}};
    case Picture::Question:
        return {{RGB(30, 80, 200),
                 RGB(10, 40, 140),
                 {{4, 6},
                  {5, 3},
                  {9, 1},
                  {13, 3},
                  {14, 6},
                  {12, 9},
                  {10, 10},
                  {10, 12},
                  {8, 12},
                  {8, 9},
                  {11, 7},
                  {11, 5},
                  {9, 4},
                  {7, 5},
                  {7, 7}}},
                {RGB(30, 80, 200), RGB(10, 40, 140), {{8, 14}, {10, 14}, {10, 16}, {8, 16}}}};
    }
    return {};
}

} // namespace

void DrawPicture(HDC dc, Picture picture, int left, int top, int side, bool enabled) {
    const double scale = static_cast<double>(side) / PictureSide(picture);
    const COLORREF grey = ::GetSysColor(COLOR_GRAYTEXT);
    for (const Shape& shape : ShapesOf(picture)) {
        std::vector<POINT> corners;
        for (const POINT& corner : shape.corners) {
            corners.push_back({left + static_cast<LONG>(std::lround(corner.x * scale)),
                               top + static_cast<LONG>(std::lround(corner.y * scale))});
        }
        HBRUSH brush = ::CreateSolidBrush(enabled ? shape.fill : ::GetSysColor(COLOR_BTNFACE));
        HPEN pen = ::CreatePen(PS_SOLID, std::max(1, side / 16), enabled ? shape.line : grey);
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
