#pragma once

#include <QAbstractListModel>
#include <string>
#include <vector>

namespace netedit {

// The entries of one list as code page 932 texts; they are decoded only to be drawn.
class EntryListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    const std::vector<std::string>& entries() const { return entries_; }
    void append(std::vector<std::string>&& entries);
    void insertAt(std::size_t row, std::vector<std::string>&& entries);
    void removeAt(const std::vector<std::size_t>& ascendingRows);
    // `order[i]` is the old row of the entry that stands at row i afterwards.
    void reorder(const std::vector<std::size_t>& order);
    std::vector<std::string> takeAll();

private:
    std::vector<std::string> entries_;
};

} // namespace netedit
