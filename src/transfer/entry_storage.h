#pragma once

#include <cstddef>
#include <iterator>
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
