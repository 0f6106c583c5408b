#pragma once

class QApplication;

namespace netedit {

// What the whole program shares, set up once before the window exists: the style with its
// tooltip timing, the program's name and icon.
void SetUpProgram(QApplication& app);

} // namespace netedit
