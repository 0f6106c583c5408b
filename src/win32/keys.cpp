#include "win32/keys.h"

namespace netedit::win32 {

Key KeyOf(WPARAM virtualKey, bool shift) {
    switch (virtualKey) {
    case VK_RETURN:
        return Key::Enter;
    case VK_ESCAPE:
        return Key::Escape;
    case VK_TAB:
        return shift ? Key::BackTab : Key::Tab;
    case VK_LEFT:
        return Key::Left;
    case VK_RIGHT:
        return Key::Right;
    case VK_UP:
        return Key::Up;
    case VK_DOWN:
        return Key::Down;
    default:
        return Key::Other;
    }
}

KeyModifiers HeldModifiers() {
    return {.shift = Held(VK_SHIFT), .control = Held(VK_CONTROL), .alt = Held(VK_MENU)};
}

bool Held(int virtualKey) {
    return (::GetKeyState(virtualKey) & 0x8000) != 0;
}

} // namespace netedit::win32
