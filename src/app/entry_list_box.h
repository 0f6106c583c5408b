#pragma once

#include "app/entry_list_model.h"
#include "transfer/entry_list.h"

#include <QListView>
#include <functional>
#include <optional>

namespace netedit {

// A list box of entry texts with extended selection, as the moves see it.
class EntryListBox : public QListView, public EntryList {
    Q_OBJECT
public:
    explicit EntryListBox(QWidget* parent = nullptr);

    std::size_t count() const override;
    const std::string& entryAt(std::size_t position) const override;
    std::vector<std::size_t> selectedPositions() const override;
    void append(std::vector<std::string>&& entries) override;
    void insertAt(std::size_t position, std::vector<std::string>&& entries) override;
    void removeAt(const std::vector<std::size_t>& positions) override;
    void reorder(const std::vector<std::size_t>& order) override;
    std::vector<std::string> takeAll() override;
    void selectAt(std::size_t position) override;
    void focus() override;

    const std::vector<std::string>& entries() const { return model_.entries(); }
    // Selects the given rows at once, as a user's Ctrl-clicks would.
    void selectPositions(const std::vector<std::size_t>& positions);
    // Shows the line where dragged entries would land, `top` pixels below the rows' top; hides it
    // for nullopt.
    void showDropLine(std::optional<int> top);
    const QWidget& dropLine() const { return dropLine_; }

signals:
    // The user changed the selection, by mouse or keyboard (not a move or a load).
    void selectionChangedByUser();
    // The user began to drag the chosen entries.
    void dragStarted();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The window carries the drag, inside itself: nothing is offered to other programs.
    void startDrag(Qt::DropActions supportedActions) override;

private:
    void changedByUser(const std::function<void()>& userInput);

    EntryListModel model_;
    QWidget dropLine_;
    bool userInput_ = false;
};

} // namespace netedit
