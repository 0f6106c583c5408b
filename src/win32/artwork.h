#pragma once

#include <windows.h>

namespace netedit::win32 {

// The pictures of the push buttons: our own, drawn as shapes so that they stay sharp at any dpi.
enum class Picture { Folder, Tick, Cross, Door, Question };

// The picture's side at 96 dpi: 16 for the program's own pictures, 18 for the stock kinds.
int PictureSide(Picture picture);
// Draws `picture` into the square at `left`, `top` of `side` pixels; grey when disabled.
void DrawPicture(HDC dc, Picture picture, int left, int top, int side, bool enabled);

} // namespace netedit::win32
