#pragma once

#include "editor/window_description.h"

#include <string>
#include <windows.h>

namespace netedit::win32 {

// The font of `role` at the given pixel height: the first of its families that is installed
// (with Japanese glyphs where the role needs them), else the first named, for the system to
// substitute. The caller deletes it.
HFONT MakeFont(const FontRole& role, int pixelHeight);
// Paints a button's caption centred in `room` in `font`, grey while the button is disabled, in
// the system's colours (high-contrast themes too); "&" is drawn as it is.
void DrawCaption(HDC dc, const std::wstring& caption, RECT room, HFONT font, bool enabled);

} // namespace netedit::win32
