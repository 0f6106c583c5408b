#pragma once

#include "transfer/entry_list.h"

#include <string>
#include <vector>

namespace netedit {

// The enabled state of the save button and the four transfer buttons. It depends on how many
// entries each list holds, never on the selection.
struct ButtonStates {
    bool save = false;
    bool include = false;    // ">"
    bool includeAll = false; // ">>"
    bool exclude = false;    // "<"
    bool excludeAll = false; // "<<"

    friend bool operator==(const ButtonStates&, const ButtonStates&) = default;
};

ButtonStates EnablingRule(std::size_t sourceCount, std::size_t destinationCount);

// Moves the selected entries of `from` to the end of `to`, in their order in `from` (by
// position, whatever order they were selected in). Nothing selected: nothing changes.
void MoveSelected(EntryList& from, EntryList& to);

// Moves the entries at the ascending `positions` of `from` before the entry at `row` of `to` (at
// its end for a row past the last), in their order; they arrive unselected and nothing stays
// selected in `from`. No position: nothing changes.
void MoveEntries(EntryList& from, const std::vector<std::size_t>& positions, EntryList& to, std::size_t row);

// The order of a list of `count` entries (`order[i]` is the old position of the entry that stands
// at i) in which the entries at the ascending `chosen` positions, their order kept, stand before
// the entry at `row` (at the end for `count`); the others keep their order around them.
std::vector<std::size_t> OrderChosenAt(std::size_t count, const std::vector<std::size_t>& chosen,
                                       std::size_t row);
// The order in which each chosen entry has passed the nearest unchosen entry above it (`step` -1)
// or below it (+1); entries already at that edge, or behind chosen ones that are, stay.
std::vector<std::size_t> OrderChosenStepped(std::size_t count, const std::vector<std::size_t>& chosen,
                                            int step);

// The selected entries of `list` moved within it before the entry at `row`, or one row up or
// down; they stay selected. Whether anything moved.
bool MoveSelectedWithin(EntryList& list, std::size_t row);
bool StepSelected(EntryList& list, int step);

// Moves every entry of `from` to the end of `to`, then gives `from` the focus (SetItem with 0).
void MoveAll(EntryList& from, EntryList& to);

// Focuses the list and selects the entry at `index` clamped to the list (-1 counts as 0);
// an empty list gets the focus and no selection.
void SetItem(EntryList& list, int index);

// Puts the left list back as it was loaded and empties the right one, but only while the right
// list holds entries: a left list reordered by moves back and forth keeps its order otherwise.
void RestoreSource(EntryList& source, EntryList& destination, const std::vector<std::string>& snapshot);

} // namespace netedit
