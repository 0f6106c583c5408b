#pragma once

#include <cstddef>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// How every list keeps its entries, whatever draws them: the texts in one vector, appended and
// removed in bulk, so that a hundred thousand entries move at once.
namespace netedit {

// Appends `entries` at the end of `texts`, taking them out of `entries`. Room is made first, so
// that running out of memory leaves both as they were; an empty `texts` takes `entries` whole,
// which needs no memory and so cannot fail.
inline void AppendEntries(std::vector<std::string>& texts, std::vector<std::string>&& entries) {
    if (texts.empty()) {
        texts.swap(entries);
    } else {
        texts.reserve(texts.size() + entries.size());
        texts.insert(texts.end(), std::make_move_iterator(entries.begin()),
                     std::make_move_iterator(entries.end()));
    }
    entries.clear();
}

// Inserts `entries` before the item at `position` of `texts`, taking them out of `entries`; like
// AppendEntries, running out of memory leaves both as they were.
inline void InsertEntries(std::vector<std::string>& texts, std::size_t position,
                          std::vector<std::string>&& entries) {
    if (position >= texts.size()) {
        AppendEntries(texts, std::move(entries));
        return;
    }
    texts.reserve(texts.size() + entries.size());
    texts.insert(texts.begin() + static_cast<std::ptrdiff_t>(position),
                 std::make_move_iterator(entries.begin()), std::make_move_iterator(entries.end()));
    entries.clear();
}

// The items put in `order`: `order[i]` is the old position of the item that stands at i afterwards.
template <typename Items> void ReorderItems(Items& items, const std::vector<std::size_t>& order) {
    Items reordered;
    reordered.reserve(items.size());
    for (std::size_t from : order) {
        reordered.push_back(std::move(items[from]));
    }
    items.swap(reordered);
}

// Where the item that stood at `old` stands after `order`; nullopt if it is not in it.
inline std::optional<std::size_t> NewPositionOf(const std::vector<std::size_t>& order, std::size_t old) {
    for (std::size_t position = 0; position < order.size(); ++position) {
        if (order[position] == old) {
            return position;
        }
    }
    return std::nullopt;
}

// The positions that `ascending` old positions take after `order`, ascending.
inline std::vector<std::size_t> NewPositionsOf(const std::vector<std::size_t>& order,
                                               const std::vector<std::size_t>& ascending) {
    std::vector<bool> was(order.size(), false);
    for (std::size_t old : ascending) {
        was[old] = true;
    }
    std::vector<std::size_t> positions;
    positions.reserve(ascending.size());
    for (std::size_t position = 0; position < order.size(); ++position) {
        if (was[order[position]]) {
            positions.push_back(position);
        }
    }
    return positions;
}

// Calls `each(first, last)` for every run of consecutive positions in the ascending `positions`.
template <typename Each> void ForEachRun(const std::vector<std::size_t>& positions, Each each) {
    for (std::size_t first = 0; first < positions.size();) {
        std::size_t last = first;
        while (last + 1 < positions.size() && positions[last + 1] == positions[last] + 1) {
            ++last;
        }
        each(positions[first], positions[last]);
        first = last + 1;
    }
}

// Removes the items at the ascending `positions`; the others close up in place, so nothing here
// needs memory.
template <typename Items> void RemoveAtPositions(Items& items, const std::vector<std::size_t>& positions) {
    auto next = positions.begin();
    std::size_t kept = 0;
    for (std::size_t position = 0; position < items.size(); ++position) {
        if (next != positions.end() && *next == position) {
            ++next;
        } else {
            if (kept != position) { // a string moved onto itself would be emptied
                items[kept] = std::move(items[position]);
            }
            ++kept;
        }
    }
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(kept), items.end());
}

} // namespace netedit
