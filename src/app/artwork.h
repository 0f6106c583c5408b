#pragma once

#include "editor/window_description.h"

#include <QIcon>

class QPainter;

namespace netedit {

// The program's own pictures, drawn in code so that no image file can go missing. They are
// drawn afresh for every size and screen resolution, so they stay sharp at any scale.
// A push button's picture: the system's for the kinds it has, the program's own for the others.
QIcon PictureIcon(Picture picture);
QIcon ProgramIcon(); // 32 x 32: a lightning bolt shaped as an N, then "et", over two dark panes
// The program icon's drawing in its 32 units, for painters that keep shapes, such as a vector file.
void PaintProgramIcon(QPainter& painter);

} // namespace netedit
