#pragma once

#include "editor/window_description.h"

#include <windows.h>

namespace netedit::win32 {

// The pictures of the push buttons, drawn as shapes so that they stay sharp at any dpi.
// Draws `picture` into the square at `left`, `top` of `side` pixels; grey when disabled.
void DrawPicture(HDC dc, Picture picture, int left, int top, int side, bool enabled);

} // namespace netedit::win32
