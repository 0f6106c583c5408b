#include "transfer/moves.h"

#include <algorithm>

namespace netedit {

ButtonStates EnablingRule(std::size_t sourceCount, std::size_t destinationCount) {
    const bool hasSource = sourceCount > 0;
    const bool hasDestination = destinationCount > 0;
    return {hasDestination, hasSource, hasSource, hasDestination, hasDestination};
}

void MoveSelected(EntryList& from, EntryList& to) {
    const std::vector<std::size_t> selected = from.selectedPositions();
    if (selected.empty()) {
        return;
    }
    std::vector<std::string> moving;
    moving.reserve(selected.size());
    for (std::size_t position : selected) {
        moving.push_back(from.entryAt(position));
    }
    // Appending first: should it fail, the source still holds every entry.
    to.append(std::move(moving));
    from.removeAt(selected);
}

void MoveAll(EntryList& from, EntryList& to) {
    if (from.count() > 0) {
        // The texts change lists without being copied. Should the destination run out of
        // memory, they go back whole into the emptied source, which cannot fail.
        std::vector<std::string> all = from.takeAll();
        try {
            to.append(std::move(all));
        } catch (...) {
            from.append(std::move(all));
            throw;
        }
    }
    SetItem(from, 0);
}

void SetItem(EntryList& list, int index) {
    list.focus();
    if (list.count() == 0) {
        return;
    }
    const auto last = static_cast<long long>(list.count()) - 1;
    const long long position = std::clamp<long long>(index, 0, last);
    list.selectAt(static_cast<std::size_t>(position));
}

void RestoreSource(EntryList& source, EntryList& destination, const std::vector<std::string>& snapshot) {
    if (destination.count() > 0) {
        // Copying the snapshot is the one step that needs memory: it comes before any change.
        std::vector<std::string> restored(snapshot);
        source.takeAll();
        source.append(std::move(restored));
    }
    destination.takeAll();
}

} // namespace netedit
