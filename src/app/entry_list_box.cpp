#include "app/entry_list_box.h"

#include "app/accessible.h"
#include "editor/dragging.h"
#include "transfer/entry_storage.h"

#include <QItemSelection>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <algorithm>
#include <functional>

namespace netedit {

namespace {

// Removing rows under a large selection costs a selection update per row, and announcing the
// cleared selection costs one per selected run: drop it silently and redraw once.
void DropSelection(QListView& list) {
    if (list.selectionModel()->hasSelection()) {
        list.selectionModel()->reset();
        list.viewport()->update();
    }
}

} // namespace

EntryListBox::EntryListBox(QWidget* parent) : QListView(parent), dropLine_(viewport()) {
    PresentEntryLists();
    setModel(&model_);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setUniformItemSizes(true); // with 100,000 entries only one row is ever measured
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setDragEnabled(true); // see startDrag
    setAcceptDrops(false);
    dropLine_.setAutoFillBackground(true);
    dropLine_.setBackgroundRole(QPalette::Text); // the text's colour shows in every theme
    dropLine_.hide();
    setFocusPolicy(Qt::StrongFocus);
    setLayoutMode(QListView::SinglePass);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (userInput_) {
            emit selectionChangedByUser();
        }
    });
}

std::size_t EntryListBox::count() const {
    return model_.entries().size();
}

const std::string& EntryListBox::entryAt(std::size_t position) const {
    return model_.entries().at(position);
}

std::vector<std::size_t> EntryListBox::selectedPositions() const {
    std::vector<std::size_t> positions;
    // Ranges, not selectedRows(): the latter is quadratic on many disjoint rows.
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            positions.push_back(static_cast<std::size_t>(row));
        }
    }
    // Ranges come in the order they were selected; a selection made top-down needs no sort.
    if (std::adjacent_find(positions.begin(), positions.end(), std::greater_equal<>()) != positions.end()) {
        std::sort(positions.begin(), positions.end());
        positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    }
    return positions;
}

void EntryListBox::append(std::vector<std::string>&& entries) {
    model_.append(std::move(entries));
}

void EntryListBox::insertAt(std::size_t position, std::vector<std::string>&& entries) {
    model_.insertAt(position, std::move(entries));
}

void EntryListBox::reorder(const std::vector<std::size_t>& order) {
    const std::vector<std::size_t> selected = selectedPositions();
    const QModelIndex current = currentIndex();
    DropSelection(*this);
    model_.reorder(order);
    {
        // The same entries stay selected: the view redraws once instead of working out the
        // region of every selected run, which takes long over tens of thousands of them.
        const QSignalBlocker quiet(selectionModel());
        selectPositions(NewPositionsOf(order, selected));
    }
    viewport()->update();
    if (current.isValid()) {
        if (const std::optional<std::size_t> row =
                NewPositionOf(order, static_cast<std::size_t>(current.row()))) {
            const QModelIndex moved = model_.index(static_cast<int>(*row));
            selectionModel()->setCurrentIndex(moved, QItemSelectionModel::NoUpdate);
            scrollTo(moved);
        }
    }
}

void EntryListBox::removeAt(const std::vector<std::size_t>& positions) {
    DropSelection(*this);
    model_.removeAt(positions);
}

std::vector<std::string> EntryListBox::takeAll() {
    DropSelection(*this);
    return model_.takeAll();
}

void EntryListBox::selectAt(std::size_t position) {
    selectionModel()->select(model_.index(static_cast<int>(position)), QItemSelectionModel::Select);
}

void EntryListBox::focus() {
    setFocus(Qt::OtherFocusReason);
}

void EntryListBox::selectPositions(const std::vector<std::size_t>& positions) {
    // One range per run of consecutive rows.
    QItemSelection selection;
    ForEachRun(positions, [&](std::size_t first, std::size_t last) {
        selection.select(model_.index(static_cast<int>(first)), model_.index(static_cast<int>(last)));
    });
    selectionModel()->select(selection, QItemSelectionModel::Select);
}

void EntryListBox::showDropLine(std::optional<int> top) {
    if (top) {
        dropLine_.setGeometry(0, *top, viewport()->width(), DropLineThickness);
        dropLine_.show();
        dropLine_.raise();
    } else {
        dropLine_.hide();
    }
}

void EntryListBox::startDrag(Qt::DropActions /*supportedActions*/) {
    emit dragStarted();
}

void EntryListBox::changedByUser(const std::function<void()>& userInput) {
    userInput_ = true;
    userInput();
    userInput_ = false;
}

void EntryListBox::mousePressEvent(QMouseEvent* event) {
    changedByUser([&] { QListView::mousePressEvent(event); });
}

void EntryListBox::mouseReleaseEvent(QMouseEvent* event) {
    changedByUser([&] { QListView::mouseReleaseEvent(event); });
}

void EntryListBox::mouseMoveEvent(QMouseEvent* event) {
    changedByUser([&] { QListView::mouseMoveEvent(event); });
}

void EntryListBox::keyPressEvent(QKeyEvent* event) {
    changedByUser([&] { QListView::keyPressEvent(event); });
}

} // namespace netedit
