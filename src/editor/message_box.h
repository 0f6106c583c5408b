#pragma once

#include "editor/keyboard.h"
#include "editor/user_dialogs.h"
#include "editor/window_description.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// What a message box shows and where, the same on every window system: its buttons, which of
// them Enter and Escape press, its caption, and its layout in dialog units.
namespace netedit {

struct BoxButton {
    unsigned bit;
    const char* caption; // UTF-8, "&" before the letter that presses it
    int result;          // 0: the button does not close the box (help)
    const char* name;
};

// The buttons of `buttonSet`, left to right.
std::vector<BoxButton> ButtonsOf(unsigned buttonSet);
// The button Enter presses and the one Escape (or the close box's road) stands for: 0 for none.
unsigned DefaultButtonOf(unsigned buttonSet);
unsigned CancelButtonOf(unsigned buttonSet);
// What a key does in a box, as in the system's own message boxes.
struct BoxKeyAction {
    enum Kind {
        PassOn,  // the box's toolkit handles the key as it always does
        Press,   // presses the button at `button`
        Focus,   // gives the button at `button` the focus
        Swallow, // nothing
    };
    Kind kind = PassOn;
    std::size_t button = 0; // a position in ButtonsOf(buttonSet)
};
inline constexpr std::size_t NoButton = static_cast<std::size_t>(-1);

// For a box of `buttonSet` whose button at `focused` (or NoButton) holds the focus: Escape
// presses the cancel button, Enter the focused button, else the default one; Tab and the arrow
// keys walk the buttons, wrapping around; a button's underlined letter (`letter`, in capitals,
// for a key of Key::Other) presses it, with Alt or without. Nothing else is decided while Alt
// is held, nothing at all while Control is.
BoxKeyAction DecideBoxKey(Key key, KeyModifiers modifiers, char letter, unsigned buttonSet,
                          std::size_t focused);

// A box of every kind but Custom shows the system's icon of its kind.
constexpr bool HasIcon(MsgKind kind) {
    return kind != MsgKind::Custom;
}
// The caption of a box of `kind` (UTF-8): the kind's own, or for Custom (which has no icon)
// the program's title, which the error box and the other boxes of the program bear too.
std::string BoxCaption(MsgKind kind);
// A box's fixed text (UTF-8) with `path` (code page 932) in place of its "%s".
std::string TextWithPath(std::string_view fixed, const std::string& path);
// The boxes' texts for a help file (by its own name) that is not there, and for one that the
// desktop could not be asked to show.
std::string HelpMissingText(const std::string& help);
std::string HelpNotShownText(const std::string& help);
// The same for help that could not be written out or handed to its viewer, `path` in UTF-8: the
// page's folder may bear a name that code page 932 cannot hold.
std::string HelpNotOpenedText(std::string_view path);
// The error box's text: the failure's message and a full stop, always.
std::string FailureText(const Failure& failure);

// The lines a box shows `text` (UTF-8) in, none wider than `maxWidth` as `widthOf` measures a
// piece of it: each of the text's own lines breaks after the last space that fits, else after
// the last "\\" or "/" that fits, else after the last character that fits (at least one), so that
// a long path never makes a box wider than its screen.
using TextWidth = std::function<int(std::string_view utf8)>;
std::vector<std::string> WrapBoxText(std::string_view text, int maxWidth, const TextWidth& widthOf);

// The font the boxes measure themselves in, in pixels.
struct FontMeasure {
    int averageWidth = 0; // of "A".."Z" "a".."z", integer division by 52
    int lineHeight = 0;
};

// Where everything of a message box stands, in client pixels.
struct MessageLayout {
    int clientWidth = 0;
    int clientHeight = 0;
    PixelRect icon; // all zero without an icon
    PixelRect message;
    std::vector<PixelRect> buttons; // left to right
};

inline constexpr int MessageIconSize = 32;

// Lays a box out in dialog units (a quarter of the average width across, an eighth of the line
// height down): margins 8, icon-text and text-button spacing 10, buttons 50 x 14 with gaps of 4.
// The icon is `iconSize` pixels square: 32, or 32 scaled for a window that counts device pixels.
MessageLayout LayoutMessage(FontMeasure font, int textWidth, int textHeight, bool hasIcon, int buttonCount,
                            int iconSize = MessageIconSize);

} // namespace netedit
