#pragma once

#include "editor/keyboard.h"

#include <windows.h>

namespace netedit::win32 {

// A key down as the core's keyboard rules name it, and the modifiers held with it now.
Key KeyOf(WPARAM virtualKey, bool shift);
KeyModifiers HeldModifiers();
bool Held(int virtualKey);

} // namespace netedit::win32
