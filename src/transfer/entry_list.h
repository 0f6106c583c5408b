#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace netedit {

// What the moves need of a list of entries. The operations are bulk ones so that a list of a
// hundred thousand entries moves in one step, not one entry at a time.
class EntryList {
public:
    virtual ~EntryList() = default;

    virtual std::size_t count() const = 0;
    virtual const std::string& entryAt(std::size_t position) const = 0;
    // Positions of the selected entries, ascending.
    virtual std::vector<std::size_t> selectedPositions() const = 0;
    // Appends at the end, taking the texts out of `entries`; the new entries are not selected.
    // Should memory run out, `entries` and the list stay as they were. An empty list takes
    // `entries` whole, which needs no memory and so cannot fail.
    virtual void append(std::vector<std::string>&& entries) = 0;
    // Inserts before the entry at `position` (at the end for count()), as `append` does; the
    // entries already there keep their selection.
    virtual void insertAt(std::size_t position, std::vector<std::string>&& entries) = 0;
    // Removes the entries at the given ascending positions; nothing stays selected.
    virtual void removeAt(const std::vector<std::size_t>& positions) = 0;
    // Puts the entries in a new order: `order[i]` is the old position of the entry that stands at
    // i afterwards. The selection and the focused entry go with their entries, which stays in view.
    virtual void reorder(const std::vector<std::size_t>& order) = 0;
    // Removes every entry and gives them back in order.
    virtual std::vector<std::string> takeAll() = 0;
    // Selects one entry, leaving the selection of the others alone.
    virtual void selectAt(std::size_t position) = 0;
    virtual void focus() = 0;
};

} // namespace netedit
