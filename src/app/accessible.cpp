#include "app/accessible.h"

#include "app/entry_list_box.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QPointer>
#include <map>
#include <mutex>

namespace netedit {

namespace {

constexpr const char* RoleProperty = "neteditAccessibleRole";
constexpr const char* KeyProperty = "neteditAccessibleKey";

// A button that gives its key where a screen reader asks for one.
class KeyedButton : public QAccessibleWidget {
public:
    KeyedButton(QAbstractButton* button, QString key)
        : QAccessibleWidget(button, QAccessible::Button), key_(std::move(key)) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name) {
            return static_cast<QAbstractButton*>(widget())->text();
        }
        return kind == QAccessible::Accelerator ? key_ : QAccessibleWidget::text(kind);
    }
    // Named even while the button is disabled, so that the key is known before it works.
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction()) {
            static_cast<QAbstractButton*>(widget())->click();
        }
    }
    QStringList keyBindingsForAction(const QString& action) const override {
        return action == pressAction() ? QStringList{key_} : QStringList{};
    }

private:
    QString key_;
};

// One entry of a list, read as the row it stands in: what it says and whether it is selected.
class EntryRow : public QAccessibleInterface {
public:
    EntryRow(EntryListBox* list, int row) : list_(list), row_(row) {}

    int row() const { return row_; }
    bool isValid() const override { return !list_.isNull() && row_ < list_->model()->rowCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return list_.isNull() ? nullptr : list_->window()->windowHandle(); }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(list_); }
    QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
    QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name && isValid() ? index().data().toString() : QString();
    }
    void setText(QAccessible::Text /*kind*/, const QString& /*text*/) override {}
    QRect rect() const override {
        return isValid() ? list_->visualRect(index()).translated(list_->viewport()->mapToGlobal(QPoint()))
                         : QRect();
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.selectable = true;
        state.focusable = true;
        state.selected = list_->selectionModel()->isSelected(index());
        state.focused = list_->hasFocus() && list_->currentIndex() == index();
        state.invisible = !list_->viewport()->rect().intersects(list_->visualRect(index()));
        return state;
    }

private:
    QModelIndex index() const { return list_->model()->index(row_, 0); }

    QPointer<EntryListBox> list_;
    int row_;
};

// The toolkit reads a list without saying that many of its entries may be chosen at once.
class EntryListAccessible : public QAccessibleWidget {
public:
    explicit EntryListAccessible(EntryListBox* list) : QAccessibleWidget(list, QAccessible::List) {}
    ~EntryListAccessible() override {
        for (const auto& [row, id] : rows_) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }
    EntryListAccessible(const EntryListAccessible&) = delete;
    EntryListAccessible& operator=(const EntryListAccessible&) = delete;
    EntryListAccessible(EntryListAccessible&&) = delete;
    EntryListAccessible& operator=(EntryListAccessible&&) = delete;

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.multiSelectable = true;
        return state;
    }
    int childCount() const override { return list()->model()->rowCount(); }
    // Rows are made when first asked for, and kept: a row's number is what it stands for.
    QAccessibleInterface* child(int row) const override {
        if (row < 0 || row >= childCount()) {
            return nullptr;
        }
        QAccessible::Id& id = rows_[row];
        if (id == 0) {
            // The registry owns the row from here on.
            id = QAccessible::registerAccessibleInterface(
                new EntryRow(list(), row)); // NOLINT(clang-analyzer-cplusplus.NewDeleteLeaks)
        }
        return QAccessible::accessibleInterface(id);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* entry = dynamic_cast<const EntryRow*>(child);
        return entry != nullptr && entry->parent() == this ? entry->row() : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QModelIndex index = list()->indexAt(list()->viewport()->mapFromGlobal(QPoint(x, y)));
        return index.isValid() ? child(index.row()) : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        return list()->hasFocus() ? child(list()->currentIndex().row())
                                  : nullptr; // none without a current row
    }

private:
    EntryListBox* list() const { return static_cast<EntryListBox*>(widget()); }

    mutable std::map<int, QAccessible::Id> rows_; // the rows asked for so far
};

QAccessibleInterface* ProgramsOwnInterface(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) {
        return nullptr;
    }
    if (className == QLatin1String(EntryListBox::staticMetaObject.className())) {
        return new EntryListAccessible(static_cast<EntryListBox*>(widget));
    }
    if (const QVariant key = widget->property(KeyProperty); key.isValid()) {
        return new KeyedButton(static_cast<QAbstractButton*>(widget), key.toString());
    }
    if (const QVariant role = widget->property(RoleProperty); role.isValid()) {
        return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
    }
    return nullptr;
}

void UseProgramsOwnInterfaces() {
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(ProgramsOwnInterface); });
}

} // namespace

void PresentAs(QWidget* widget, QAccessible::Role role) {
    UseProgramsOwnInterfaces();
    widget->setProperty(RoleProperty, static_cast<int>(role));
}

void AnnounceKey(QAbstractButton* button, const QString& key) {
    UseProgramsOwnInterfaces();
    button->setProperty(KeyProperty, key);
}

void PresentEntryLists() {
    UseProgramsOwnInterfaces();
}

} // namespace netedit
