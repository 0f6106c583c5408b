#pragma once

#include "editor/dialog_controls.h"

#include <cstddef>
#include <optional>

// Where dragged entries land and how a list shows it, the same in every window: rows of one
// height, the upper half of a row meaning before it and the lower half after it.
namespace netedit {

// The pointer during a drag, as the window sees it.
struct ListPointer {
    Control list = Control::None; // the list under the pointer; None outside both lists
    int y = 0;                    // from the top of the list's rows area
    int firstRowTop = 0;          // where the first row's top stands; negative once scrolled
    int rowHeight = 0;
    int height = 0; // of the rows area
};

// The line that shows where the entries will land, in pixels at the screen's scale.
inline constexpr int DropLineThickness = 2;

// How often a list scrolls by a row while the pointer rests near its edge.
inline constexpr int DragScrollMs = 60;

// The row the entries go before (`count`: after the last) for a pointer over a list of `count`.
std::size_t DropRow(const ListPointer& pointer, std::size_t count);
// The row under the pointer, if it is over one.
std::optional<std::size_t> RowUnder(const ListPointer& pointer, std::size_t count);
// The top of the line drawn before `row`, kept inside the rows area.
int DropLineTop(const ListPointer& pointer, std::size_t row);
// Rows to scroll the list by while the pointer rests within a row of its top (-1) or bottom (1).
int AutoScrollStep(const ListPointer& pointer);

// What the window shows while entries are dragged.
struct DragFeedback {
    bool canDrop = false;             // otherwise the pointer shows "no drop"
    Control lineList = Control::None; // the list that shows the line; None: no line
    int lineTop = 0;
    int scroll = 0; // see AutoScrollStep
};

} // namespace netedit
