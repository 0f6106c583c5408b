#pragma once

#include "transfer/entry_list.h"
#include "transfer/entry_storage.h"

#include <algorithm>
#include <new>
#include <string>
#include <utility>
#include <vector>

namespace netedit::testing {

// An in-memory list of entries with a selection flag per entry, as a list box would keep them.
class VectorEntryList : public EntryList {
public:
    VectorEntryList() = default;
    explicit VectorEntryList(std::vector<std::string> entries)
        : entries_(std::move(entries)), selected_(entries_.size(), false) {}

    std::size_t count() const override { return entries_.size(); }
    const std::string& entryAt(std::size_t position) const override { return entries_.at(position); }
    std::vector<std::size_t> selectedPositions() const override {
        std::vector<std::size_t> positions;
        for (std::size_t i = 0; i < selected_.size(); ++i) {
            if (selected_[i]) {
                positions.push_back(i);
            }
        }
        return positions;
    }
    void append(std::vector<std::string>&& entries) override {
        if (failAppend && !entries_.empty()) {
            throw std::bad_alloc(); // an empty list takes the entries whole, without memory
        }
        selected_.resize(selected_.size() + entries.size(), false);
        AppendEntries(entries_, std::move(entries));
    }
    void insertAt(std::size_t position, std::vector<std::string>&& entries) override {
        if (failAppend) {
            throw std::bad_alloc();
        }
        selected_.insert(selected_.begin() + static_cast<std::ptrdiff_t>(position), entries.size(), false);
        InsertEntries(entries_, position, std::move(entries));
    }
    void removeAt(const std::vector<std::size_t>& positions) override {
        RemoveAtPositions(entries_, positions);
        selected_.assign(entries_.size(), false);
    }
    void reorder(const std::vector<std::size_t>& order) override {
        ReorderItems(entries_, order);
        ReorderItems(selected_, order);
        ++reorderCount;
    }
    std::vector<std::string> takeAll() override {
        selected_.clear();
        return std::exchange(entries_, {});
    }
    void selectAt(std::size_t position) override { selected_.at(position) = true; }
    void focus() override { ++focusCount; }

    const std::vector<std::string>& entries() const { return entries_; }
    // Selects exactly the given positions, in the order given (as a user's clicks would).
    void select(const std::vector<std::size_t>& positions) {
        std::fill(selected_.begin(), selected_.end(), false);
        for (std::size_t position : positions) {
            selected_.at(position) = true;
        }
    }

    int focusCount = 0;
    int reorderCount = 0;
    bool failAppend = false; // appending runs out of memory

private:
    std::vector<std::string> entries_;
    std::vector<bool> selected_;
};

} // namespace netedit::testing
