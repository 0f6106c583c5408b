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

// Moves every entry of `from` to the end of `to`, then gives `from` the focus (SetItem with 0).
void MoveAll(EntryList& from, EntryList& to);

// Focuses the list and selects the entry at `index` clamped to the list (-1 counts as 0);
// an empty list gets the focus and no selection.
void SetItem(EntryList& list, int index);

// Puts the left list back as it was loaded and empties the right one, but only while the right
// list holds entries: a left list reordered by moves back and forth keeps its order otherwise.
void RestoreSource(EntryList& source, EntryList& destination, const std::vector<std::string>& snapshot);

} // namespace netedit
