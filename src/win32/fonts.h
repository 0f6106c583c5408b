#pragma once

#include "editor/window_description.h"

#include <windows.h>

namespace netedit::win32 {

// The font of `role` at the given pixel height: the first of its families that is installed
// (with Japanese glyphs where the role needs them), else the first named, for the system to
// substitute. The caller deletes it.
HFONT MakeFont(const FontRole& role, int pixelHeight);

} // namespace netedit::win32
