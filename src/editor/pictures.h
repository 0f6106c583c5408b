#pragma once

#include "editor/window_description.h"

#include <span>

// The program's own pictures as shapes on their square grid (PictureSide units), so that every
// window draws them sharp at any scale, in the same colours.
namespace netedit {

struct Colour {
    unsigned char red, green, blue;
};

struct GridPoint {
    int x, y;
};

// A closed polygon, filled and outlined; drawn in order, later shapes over earlier ones.
struct Shape {
    Colour fill;
    Colour line;
    std::span<const GridPoint> corners;
};

// The shapes of `picture`, empty for None.
std::span<const Shape> ShapesOf(Picture picture);

} // namespace netedit
