#pragma once

#include <QIcon>

class QPainter;

namespace netedit {

// The program's own pictures, drawn in code so that no image file can go missing. They are
// drawn afresh for every size and screen resolution, so they stay sharp at any scale.
QIcon FolderPicture(); // open yellow folder, 16 x 16
QIcon DoorPicture();   // open door, 16 x 16
QIcon ProgramIcon();   // 32 x 32: a lightning bolt shaped as an N, then "et", over two dark panes
// The program icon's drawing in its 32 units, for painters that keep shapes, such as a vector file.
void PaintProgramIcon(QPainter& painter);

} // namespace netedit
