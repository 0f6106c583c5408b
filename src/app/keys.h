#pragma once

#include "editor/keyboard.h"

#include <QKeyEvent>

namespace netedit {

// A key as the core's keyboard rules name it, and the modifiers held with it.
Key KeyOf(const QKeyEvent& event);
KeyModifiers ModifiersOf(const QKeyEvent& event);

} // namespace netedit
