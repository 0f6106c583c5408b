#include "transfer/moves.h"

#include <algorithm>

namespace netedit {

ButtonStates EnablingRule(std::size_t sourceCount, std::size_t destinationCount) {
    const bool hasSource = sourceCount > 0;
    const bool hasDestination = destinationCount > 0;
    return {hasDestination, hasSource, hasSource, hasDestination, hasDestination};
}

namespace {

// Applies `order` unless it leaves every entry where it stands.
bool Reorder(EntryList& list, const std::vector<std::size_t>& order) {
    for (std::size_t position = 0; position < order.size(); ++position) {
        if (order[position] != position) {
            list.reorder(order);
            return true;
        }
    }
    return false;
}

} // namespace

void MoveSelected(EntryList& from, EntryList& to) {
    MoveEntries(from, from.selectedPositions(), to, to.count());
}

void MoveEntries(EntryList& from, const std::vector<std::size_t>& positions, EntryList& to, std::size_t row) {
    if (positions.empty()) {
        return;
    }
    std::vector<std::string> moving;
    moving.reserve(positions.size());
    for (std::size_t position : positions) {
        moving.push_back(from.entryAt(position));
    }
    // Adding first: should it fail, the source still holds every entry.
    if (row >= to.count()) {
        to.append(std::move(moving));
    } else {
        to.insertAt(row, std::move(moving));
    }
    from.removeAt(positions);
}

std::vector<std::size_t> OrderChosenAt(std::size_t count, const std::vector<std::size_t>& chosen,
                                       std::size_t row) {
    std::vector<bool> isChosen(count, false);
    for (std::size_t position : chosen) {
        isChosen[position] = true;
    }
    std::vector<std::size_t> order;
    order.reserve(count);
    const std::size_t gap = std::min(row, count);
    for (std::size_t position = 0; position < gap; ++position) {
        if (!isChosen[position]) {
            order.push_back(position);
        }
    }
    order.insert(order.end(), chosen.begin(), chosen.end());
    for (std::size_t position = gap; position < count; ++position) {
        if (!isChosen[position]) {
            order.push_back(position);
        }
    }
    return order;
}

std::vector<std::size_t> OrderChosenStepped(std::size_t count, const std::vector<std::size_t>& chosen,
                                            int step) {
    std::vector<std::size_t> order(count);
    std::vector<bool> isChosen(count, false);
    for (std::size_t position = 0; position < count; ++position) {
        order[position] = position;
    }
    for (std::size_t position : chosen) {
        isChosen[position] = true;
    }
    // Walking towards the far edge, each chosen entry swaps with an unchosen neighbour on the near
    // side: a run of chosen entries moves as one and the passed entry ends up behind it.
    auto pass = [&](std::size_t position, std::size_t neighbour) {
        if (isChosen[position] && !isChosen[neighbour]) {
            std::swap(order[position], order[neighbour]);
            isChosen[position] = false;
            isChosen[neighbour] = true;
        }
    };
    if (step < 0) {
        for (std::size_t position = 1; position < count; ++position) {
            pass(position, position - 1);
        }
    } else if (step > 0) {
        for (std::size_t position = count; position-- > 1;) {
            pass(position - 1, position);
        }
    }
    return order;
}

bool MoveSelectedWithin(EntryList& list, std::size_t row) {
    const std::vector<std::size_t> selected = list.selectedPositions();
    return !selected.empty() && Reorder(list, OrderChosenAt(list.count(), selected, row));
}

bool StepSelected(EntryList& list, int step) {
    const std::vector<std::size_t> selected = list.selectedPositions();
    return !selected.empty() && Reorder(list, OrderChosenStepped(list.count(), selected, step));
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
