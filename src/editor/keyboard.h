#pragma once

#include "editor/dialog_controls.h"

#include <array>
#include <functional>

namespace netedit {

// The keys whose meaning the dialog decides; the window passes the others on to its controls.
enum class Key { Enter, Escape, Tab, BackTab, Left, Right, Up, Down, Other };

struct KeyModifiers {
    bool shift = false;
    bool control = false;
    bool alt = false;
};

// The push buttons and lists that take the focus, in tab order.
inline constexpr std::array<Control, 7> TabOrder{Control::BitBtn1,  Control::OKBtn,   Control::CancelBtn,
                                                 Control::CloseBtn, Control::SrcList, Control::DstList,
                                                 Control::BitBtn2};

// The keys of the four moves, pressed from anywhere in the window: Alt with the arrow that points
// where the entries go, Shift as well for all of them. Its name is the one screen readers tell.
struct MoveKey {
    Control button;
    Key arrow;
    bool shift;
    const char* name;
};
inline constexpr std::array<MoveKey, 4> MoveKeys{{{Control::IncludeBtn, Key::Right, false, "Alt+Right"},
                                                  {Control::IncAllBtn, Key::Right, true, "Alt+Shift+Right"},
                                                  {Control::ExcludeBtn, Key::Left, false, "Alt+Left"},
                                                  {Control::ExAllBtn, Key::Left, true, "Alt+Shift+Left"}}};
// The move key of `button`; none for a button that has none.
const MoveKey* MoveKeyOf(Control button);

// What a key does in the window.
struct KeyAction {
    enum Kind {
        Swallow,     // nothing, and no control sees the key
        Press,       // presses `control`
        Focus,       // gives `control` the focus
        PassOn,      // the focused control handles the key as it always does
        RaiseChosen, // moves the chosen entries of the list `control` one row up
        LowerChosen, // and one row down
    };
    Kind kind = PassOn;
    Control control = Control::None;
};

// Escape presses the revert button and never closes the window; Enter presses the focused push
// button, else the save button while enabled, else the open button; a move's key presses its
// button while enabled and does nothing else; Alt+Up and Alt+Down on a list move its chosen
// entries a row up or down; Tab, Shift+Tab and, on a push button, the arrow
// keys walk the tab order over the enabled controls, wrapping around.
KeyAction DecideKey(Key key, KeyModifiers modifiers, Control focused,
                    const std::function<bool(Control)>& isEnabled);

} // namespace netedit
