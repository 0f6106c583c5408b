#pragma once

#include "editor/window_description.h"

#include <QFont>

namespace netedit {

// The font of `role` at the given pixel height.
QFont FontOf(const FontRole& role, int pixelHeight);

} // namespace netedit
