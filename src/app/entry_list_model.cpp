#include "app/entry_list_model.h"

#include "app/text_edge.h"
#include "transfer/entry_storage.h"

#include <ranges>

namespace netedit {

namespace {
// Above this many separate runs of removed rows, one reset is cheaper than a signal per run.
constexpr std::size_t MaxRunsRemovedOneByOne = 32;
} // namespace

int EntryListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant EntryListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    return ToQString(entries_[static_cast<std::size_t>(index.row())]);
}

// Entries can be picked up: the view starts a drag from them, which the window carries out.
Qt::ItemFlags EntryListModel::flags(const QModelIndex& index) const {
    return QAbstractListModel::flags(index) | Qt::ItemIsDragEnabled;
}

void EntryListModel::append(std::vector<std::string>&& entries) {
    if (entries.empty()) {
        return;
    }
    // Room before the view hears of new rows: running out of memory leaves everything as it was.
    if (!entries_.empty()) {
        entries_.reserve(entries_.size() + entries.size());
    }
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(entries.size()) - 1);
    AppendEntries(entries_, std::move(entries));
    endInsertRows();
}

void EntryListModel::insertAt(std::size_t row, std::vector<std::string>&& entries) {
    if (entries.empty()) {
        return;
    }
    entries_.reserve(entries_.size() + entries.size()); // as in append
    const auto first = static_cast<int>(std::min(row, entries_.size()));
    beginInsertRows({}, first, first + static_cast<int>(entries.size()) - 1);
    InsertEntries(entries_, static_cast<std::size_t>(first), std::move(entries));
    endInsertRows();
}

void EntryListModel::reorder(const std::vector<std::size_t>& order) {
    // One reset, announced as the rows' change, rather than a signal per moved run.
    beginResetModel();
    ReorderItems(entries_, order);
    endResetModel();
}

void EntryListModel::removeAt(const std::vector<std::size_t>& ascendingRows) {
    if (ascendingRows.empty()) {
        return;
    }
    // Runs of consecutive rows, last first so that earlier positions stay valid.
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t row : ascendingRows) {
        if (!runs.empty() && runs.back().second + 1 == row) {
            runs.back().second = row;
        } else {
            runs.emplace_back(row, row);
        }
    }
    if (runs.size() <= MaxRunsRemovedOneByOne) {
        for (const auto& [first, last] : std::views::reverse(runs)) {
            beginRemoveRows({}, static_cast<int>(first), static_cast<int>(last));
            entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(first),
                           entries_.begin() + static_cast<std::ptrdiff_t>(last) + 1);
            endRemoveRows();
        }
        return;
    }
    beginResetModel();
    RemoveAtPositions(entries_, ascendingRows);
    endResetModel();
}

std::vector<std::string> EntryListModel::takeAll() {
    if (entries_.empty()) {
        return {};
    }
    beginResetModel();
    std::vector<std::string> all = std::move(entries_);
    entries_.clear();
    endResetModel();
    return all;
}

} // namespace netedit
