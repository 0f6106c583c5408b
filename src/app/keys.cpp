#include "app/keys.h"

namespace netedit {

Key KeyOf(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Escape:
        return Key::Escape;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Key::Enter;
    case Qt::Key_Tab:
        return Key::Tab;
    case Qt::Key_Backtab:
        return Key::BackTab;
    case Qt::Key_Left:
        return Key::Left;
    case Qt::Key_Right:
        return Key::Right;
    case Qt::Key_Up:
        return Key::Up;
    case Qt::Key_Down:
        return Key::Down;
    default:
        return Key::Other;
    }
}

KeyModifiers ModifiersOf(const QKeyEvent& event) {
    const Qt::KeyboardModifiers held = event.modifiers();
    return {.shift = held.testFlag(Qt::ShiftModifier),
            .control = held.testFlag(Qt::ControlModifier),
            .alt = held.testFlag(Qt::AltModifier)};
}

QString MoveKeyText(Control button) {
    const MoveKey* move = MoveKeyOf(button);
    return move != nullptr ? QString::fromUtf8(move->name) : QString();
}

} // namespace netedit
