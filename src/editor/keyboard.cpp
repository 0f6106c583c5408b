#include "editor/keyboard.h"

#include "editor/window_description.h"

#include <algorithm>
#include <optional>

namespace netedit {

namespace {

// The next enabled control from `focused` in tab order; with the focus nowhere, forward starts
// before the first control and backward after the last.
KeyAction Walk(Control focused, int step, const std::function<bool(Control)>& isEnabled) {
    const auto count = static_cast<int>(TabOrder.size());
    const auto* found = std::find(TabOrder.begin(), TabOrder.end(), focused);
    int position =
        found != TabOrder.end() ? static_cast<int>(found - TabOrder.begin()) : (step > 0 ? -1 : count);
    for (int tried = 0; tried < count; ++tried) {
        position = ((position + step) % count + count) % count;
        const Control candidate = TabOrder.at(static_cast<std::size_t>(position));
        if (isEnabled(candidate)) {
            return {KeyAction::Focus, candidate};
        }
    }
    return {KeyAction::Swallow, Control::None};
}

// What a move's key does: it presses the move's button while that is enabled, and nothing else.
// Ctrl with Alt and an arrow is no move's key: it belongs to the desktop.
std::optional<KeyAction> MoveKeyAction(Key key, KeyModifiers modifiers,
                                       const std::function<bool(Control)>& isEnabled) {
    const auto* move = std::find_if(MoveKeys.begin(), MoveKeys.end(), [&](const MoveKey& candidate) {
        return candidate.arrow == key && candidate.shift == modifiers.shift;
    });
    if (!modifiers.alt || modifiers.control || move == MoveKeys.end()) {
        return std::nullopt;
    }
    return isEnabled(move->button) ? KeyAction{KeyAction::Press, move->button}
                                   : KeyAction{KeyAction::Swallow};
}

// What the window description says the control is.
bool IsPushButton(Control control) {
    const ControlRow* row = RowOf(control);
    return row != nullptr && row->kind == ControlKind::Push;
}

// Alt with Up or Down on a list moves its chosen entries a row.
std::optional<KeyAction> StepKeyAction(Key key, KeyModifiers modifiers, Control focused) {
    const bool altOnly = modifiers.alt && !modifiers.shift && !modifiers.control;
    const bool onList = focused == Control::SrcList || focused == Control::DstList;
    if (!altOnly || !onList || (key != Key::Up && key != Key::Down)) {
        return std::nullopt;
    }
    return KeyAction{key == Key::Up ? KeyAction::RaiseChosen : KeyAction::LowerChosen, focused};
}

// Alt with an arrow: a move's key, or a step of a list's chosen entries.
std::optional<KeyAction> AltArrowAction(Key key, KeyModifiers modifiers, Control focused,
                                        const std::function<bool(Control)>& isEnabled) {
    if (std::optional<KeyAction> move = MoveKeyAction(key, modifiers, isEnabled)) {
        return move;
    }
    return StepKeyAction(key, modifiers, focused);
}

} // namespace

const MoveKey* MoveKeyOf(Control button) {
    const auto* move = std::ranges::find(MoveKeys, button, &MoveKey::button);
    return move != MoveKeys.end() ? move : nullptr;
}

KeyAction DecideKey(Key key, KeyModifiers modifiers, Control focused,
                    const std::function<bool(Control)>& isEnabled) {
    const bool plain = !modifiers.shift && !modifiers.control && !modifiers.alt;
    const bool onButton = IsPushButton(focused);
    if (const std::optional<KeyAction> withAlt = AltArrowAction(key, modifiers, focused, isEnabled)) {
        return *withAlt;
    }
    switch (key) {
    case Key::Escape:
        return plain ? KeyAction{KeyAction::Press, Control::CancelBtn} : KeyAction{KeyAction::Swallow};
    case Key::Enter:
        if (!plain) {
            return {KeyAction::Swallow};
        }
        for (Control control : {onButton ? focused : Control::None, Control::OKBtn, Control::BitBtn1}) {
            if (control != Control::None && isEnabled(control)) {
                return {KeyAction::Press, control};
            }
        }
        return {KeyAction::Swallow};
    case Key::Tab:
        if (modifiers.control || modifiers.alt) {
            return {KeyAction::PassOn};
        }
        return Walk(focused, modifiers.shift ? -1 : 1, isEnabled);
    case Key::BackTab:
        return Walk(focused, -1, isEnabled);
    case Key::Right:
    case Key::Down:
        return onButton ? Walk(focused, 1, isEnabled) : KeyAction{KeyAction::PassOn};
    case Key::Left:
    case Key::Up:
        return onButton ? Walk(focused, -1, isEnabled) : KeyAction{KeyAction::PassOn};
    case Key::Other:
        break;
    }
    return {KeyAction::PassOn};
}

} // namespace netedit
