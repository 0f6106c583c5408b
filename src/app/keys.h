#pragma once

#include "editor/keyboard.h"

#include <QKeyEvent>
#include <QString>

namespace netedit {

// A key as the core's keyboard rules name it, and the modifiers held with it.
Key KeyOf(const QKeyEvent& event);
KeyModifiers ModifiersOf(const QKeyEvent& event);
// The key of a move's button as screen readers tell it, such as "Alt+Shift+Right" (empty for
// a button without one).
QString MoveKeyText(Control button);

} // namespace netedit
