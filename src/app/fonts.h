#pragma once

#include <QFont>

namespace netedit {

// A Japanese font of the system at the given pixel height, for the window and its controls.
QFont WindowFont(int pixelHeight);
// The transfer buttons' bold caption font, at the given pixel height.
QFont FlatButtonFont(int pixelHeight);

} // namespace netedit
