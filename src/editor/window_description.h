#pragma once

#include "editor/dialog_controls.h"
#include "editor/ui_texts.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

// What the dialog's window is, the same on every system: its size and, for every control, what
// it is, where it stands at 96 dpi, what it says and how it starts. Both windows build their
// controls by one loop over it, scaled to the screen's dpi.
namespace netedit {

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect&) const = default;
};

// Where a window of outer size `width` x `height` stands, centred on `area` (the work area of
// its monitor, the task bar and panels left out): where it is larger, at the area's top left.
constexpr PixelRect CentredIn(const PixelRect& area, int width, int height) {
    return {area.left + std::max(0, (area.width - width) / 2),
            area.top + std::max(0, (area.height - height) / 2), width, height};
}

inline constexpr int ClientWidth = 587;
inline constexpr int ClientHeight = 461;

// Hints come after the pointer has rested half a second and go again after 2.5 seconds.
inline constexpr int HintDelayMs = 500;
inline constexpr int HintShownMs = 2500;

// A font by its role: the families in order of preference (UTF-8; the system's own sans-serif
// after them, and the first named where none of them is installed), its height in pixels at
// 96 dpi, its weight, and whether it must carry Japanese glyphs.
struct FontRole {
    std::span<const char* const> families;
    int pixels;
    bool bold;
    bool japanese;
};
// Named explicitly: which family a generic Japanese request resolves to depends on what is installed.
inline constexpr std::array<const char*, 8> JapaneseFamilies{
    "ＭＳ Ｐゴシック", "MS PGothic", "MS UI Gothic", "Meiryo UI",
    "Yu Gothic UI",    "IPAPGothic", "IPAGothic",    "Noto Sans CJK JP"};
// Scalable faces: a bitmap one turns jagged at 150 % and 200 %.
inline constexpr std::array<const char*, 2> FlatButtonFamilies{"Microsoft Sans Serif", "DejaVu Sans"};
inline constexpr FontRole WindowFont{JapaneseFamilies, 13, false, true};
// The transfer buttons' captions.
inline constexpr FontRole FlatButtonFont{FlatButtonFamilies, 20, true, false};
// 9 points.
inline constexpr FontRole BoxFont{JapaneseFamilies, 12, false, true};

enum class ControlKind {
    Label, // text that takes "&" as a mnemonic marker
    List,  // a list of entries with extended selection
    Flat,  // a flat button that never takes the focus
    Push,  // a push button with a picture
};

// A label's or push button's text as the user sees it, the name a screen reader reads: each "&"
// marks the character after it and is not shown ("&&" shows one "&"); a last lone "&" stays.
// The same for UTF-8 and code page 932, where "&" is never part of a longer character.
inline std::string ShownText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
        }
        shown += text[i];
    }
    return shown;
}

// The push buttons' pictures: the program's own folder and door, and the kinds of the system.
enum class Picture { None, Folder, Tick, Cross, Door, Question };

// The picture's side at 96 dpi: 16 for the program's own pictures, 18 for the system's kinds.
constexpr int PictureSide(Picture picture) {
    return picture == Picture::Folder || picture == Picture::Door ? 16 : 18;
}

struct ControlRow {
    Control control;
    ControlKind kind;
    int left, top, width, height;
    const char* caption; // UTF-8; a list's is its name for assistive technology
    const char* hint;    // nullptr: none
    const char*
        description; // what a flat button or a list's keys move, for assistive technology; nullptr: none
    Picture picture;
    bool startsEnabled;
};

// In the order the controls are made: the push buttons in their tab order.
inline constexpr std::array<ControlRow, 15> WindowControls{{
    // clang-format off
    {Control::SrcLabel, ControlKind::Label, 14, 14, 245, 27, ui::SourceCaption, nullptr, nullptr, Picture::None, true},
    {Control::DstLabel, ControlKind::Label, 325, 14, 245, 27, ui::DestinationCaption, nullptr, nullptr, Picture::None, true},
    {Control::Label1, ControlKind::Label, 18, 48, 243, 22, "", nullptr, nullptr, Picture::None, true},
    {Control::Label2, ControlKind::Label, 325, 48, 244, 22, "", nullptr, nullptr, Picture::None, true},
    {Control::SrcList, ControlKind::List, 18, 81, 244, 313, ui::SourceCaption, nullptr, ui::ListDescription, Picture::None, true},
    {Control::DstList, ControlKind::List, 325, 81, 244, 313, ui::DestinationCaption, nullptr, ui::ListDescription, Picture::None, true},
    {Control::IncludeBtn, ControlKind::Flat, 274, 94, 40, 41, ">", nullptr, ui::IncludeDescription, Picture::None, true},
    {Control::IncAllBtn, ControlKind::Flat, 274, 148, 40, 41, ">>", nullptr, ui::IncludeAllDescription, Picture::None, true},
    {Control::ExcludeBtn, ControlKind::Flat, 274, 202, 40, 41, "<", nullptr, ui::ExcludeDescription, Picture::None, false},
    {Control::ExAllBtn, ControlKind::Flat, 274, 257, 40, 40, "<<", nullptr, ui::ExcludeAllDescription, Picture::None, false},
    {Control::BitBtn1, ControlKind::Push, 42, 412, 80, 32, ui::OpenCaption, ui::OpenHint, nullptr, Picture::Folder, true},
    {Control::OKBtn, ControlKind::Push, 149, 412, 80, 32, ui::SaveCaption, ui::SaveHint, nullptr, Picture::Tick, true},
    {Control::CancelBtn, ControlKind::Push, 255, 412, 80, 32, ui::RevertCaption, ui::RevertHint, nullptr, Picture::Cross, true},
    {Control::CloseBtn, ControlKind::Push, 362, 412, 80, 32, ui::CloseCaption, ui::CloseHint, nullptr, Picture::Door, true},
    {Control::BitBtn2, ControlKind::Push, 468, 412, 80, 32, ui::HelpCaption, nullptr, nullptr, Picture::Question, true},
    // clang-format on
}};

// The row of `control`; nullptr for None.
constexpr const ControlRow* RowOf(Control control) {
    for (const ControlRow& row : WindowControls) {
        if (row.control == control) {
            return &row;
        }
    }
    return nullptr;
}

// A control's place in a table indexed by Control.
constexpr std::size_t IndexOf(Control control) {
    return static_cast<std::size_t>(control);
}
inline constexpr std::size_t ControlCount = IndexOf(Control::DstLabel) + 1;

} // namespace netedit
