#include "app/dual_list_window.h"

#include "app/accessible.h"
#include "app/artwork.h"
#include "app/fonts.h"
#include "app/keys.h"
#include "app/text_edge.h"
#include "editor/ui_texts.h"
#include "editor/window_description.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace netedit {

namespace {

// `key` names the key that presses it; given before the caption, whose change already makes the
// button known to assistive technology.
QToolButton* MakeFlatButton(const QString& caption, const QString& key, const QFont& font, QWidget* parent) {
    auto* button = new QToolButton(parent);
    AnnounceKey(button, key);
    button->setText(caption);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus); // a move leaves the focus where it was
    button->setFont(font);
    return button;
}

} // namespace

DualListWindow::DualListWindow(UserDialogs& dialogs, ProgramFiles files, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      dialog_(nullptr) {
    PresentAs(this, QAccessible::Dialog); // one window with its buttons, as a dialog box is
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        scale_ = screen->logicalDotsPerInch() / 96.0;
    }
    setWindowTitle(QString::fromUtf8(ui::WindowCaption));
    setFont(FontOf(WindowFont, px(WindowFont.pixels)));
    setFixedSize(px(ClientWidth), px(ClientHeight));
    // The window itself holds the focus until the user gives it to a control. Not by a click:
    // a click on a flat button or a label would take the focus from the list that has it.
    setFocusPolicy(Qt::TabFocus);
    buildControls();
    dialog_ = std::make_unique<TDualListDlg>(*SrcList, *DstList, *this, dialogs, std::move(files));
    setFocus(Qt::OtherFocusReason); // no control holds the focus until the user gives it one
    dialog_->Create();
}

int DualListWindow::px(int logical) const {
    return static_cast<int>(std::lround(logical * scale_));
}

void DualListWindow::buildControls() {
    const QFont flatFont = FontOf(FlatButtonFont, px(FlatButtonFont.pixels));
    for (const ControlRow& row : WindowControls) {
        QWidget* control = makeControl(row, flatFont);
        control->setGeometry(px(row.left), px(row.top), px(row.width), px(row.height));
        control->setEnabled(row.startsEnabled);
        if (row.hint != nullptr) {
            control->setToolTip(QString::fromUtf8(row.hint));
        }
        if (row.description != nullptr) {
            control->setAccessibleDescription(QString::fromUtf8(row.description));
        }
        controls_[IndexOf(row.control)] = control;
    }

    QWidget* previous = this;
    for (Control control : TabOrder) {
        QWidget* widget = widgetOf(control);
        setTabOrder(previous, widget);
        previous = widget;
        widget->installEventFilter(this);
    }
    installEventFilter(this); // Tab on the window itself, while no control has the focus

    for (Control control :
         {Control::BitBtn1, Control::OKBtn, Control::CancelBtn, Control::CloseBtn, Control::BitBtn2,
          Control::IncludeBtn, Control::IncAllBtn, Control::ExcludeBtn, Control::ExAllBtn}) {
        connect(static_cast<QAbstractButton*>(widgetOf(control)), &QAbstractButton::clicked, this,
                [this, control] { dialog_->Press(control); });
    }
    for (Control control : {Control::SrcList, Control::DstList}) {
        auto* list = static_cast<EntryListBox*>(widgetOf(control));
        connect(list, &EntryListBox::selectionChangedByUser, this,
                [this, control] { dialog_->ListClicked(control); });
        connect(list, &EntryListBox::dragStarted, this, [this, control] { beginDrag(control); });
        connect(list, &QAbstractItemView::doubleClicked, this, [this, control](const QModelIndex& index) {
            dialog_->DoubleClicked(control, static_cast<std::size_t>(index.row()));
        });
    }
    dragScrollTimer_ = new QTimer(this);
    dragScrollTimer_->setInterval(DragScrollMs);
    connect(dragScrollTimer_, &QTimer::timeout, this, [this] { scrollWhileDragging(); });
    setAcceptDrops(true); // files from the file manager; the lists take none themselves
}

void DualListWindow::centreOnScreen() {
    if (const QScreen* where = screen()) {
        const QRect area = where->availableGeometry();
        const PixelRect place = CentredIn({area.x(), area.y(), area.width(), area.height()},
                                          frameGeometry().width(), frameGeometry().height());
        move(place.left, place.top);
    }
}

QWidget* DualListWindow::widgetOf(Control control) const {
    return control == Control::None ? nullptr : controls_[IndexOf(control)];
}

// Makes the control of `row` and keeps it under its name.
QWidget* DualListWindow::makeControl(const ControlRow& row, const QFont& flatFont) {
    const QString caption = QString::fromUtf8(row.caption);
    switch (row.kind) {
    case ControlKind::Label: {
        auto* label = new MnemonicLabel(caption, this);
        (row.control == Control::SrcLabel   ? SrcLabel
         : row.control == Control::DstLabel ? DstLabel
         : row.control == Control::Label1   ? Label1
                                            : Label2) = label;
        return label;
    }
    case ControlKind::List: {
        auto* list = new EntryListBox(this);
        list->setAccessibleName(caption); // the caption above it
        (row.control == Control::SrcList ? SrcList : DstList) = list;
        return list;
    }
    case ControlKind::Flat: {
        QToolButton* button = MakeFlatButton(caption, MoveKeyText(row.control), flatFont, this);
        (row.control == Control::IncludeBtn   ? IncludeBtn
         : row.control == Control::IncAllBtn  ? IncAllBtn
         : row.control == Control::ExcludeBtn ? ExcludeBtn
                                              : ExAllBtn) = button;
        return button;
    }
    case ControlKind::Push:
        break;
    }
    auto* button =
        new PictureButton(PictureIcon(row.picture), px(PictureSide(row.picture)), px(2), caption, this);
    (row.control == Control::BitBtn1     ? BitBtn1
     : row.control == Control::OKBtn     ? OKBtn
     : row.control == Control::CancelBtn ? CancelBtn
     : row.control == Control::CloseBtn  ? CloseBtn
                                         : BitBtn2) = button;
    return button;
}

// ---- What the dialog asks of its controls ----

bool DualListWindow::isControlEnabled(Control control) const {
    return widgetOf(control)->isEnabled();
}

void DualListWindow::setControlEnabled(Control control, bool enabled) {
    widgetOf(control)->setEnabled(enabled);
}

Control DualListWindow::focusedControl() const {
    // The window's own focus, which stays what it was while a box or a file dialog is up.
    for (Control control : TabOrder) {
        if (focusWidget() == widgetOf(control)) {
            return control;
        }
    }
    return Control::None;
}

void DualListWindow::focusControl(Control control) {
    QWidget* widget = control == Control::None ? this : widgetOf(control);
    widget->setFocus(Qt::TabFocusReason);
}

void DualListWindow::setLabelText(Control label, const std::string& text) {
    static_cast<MnemonicLabel*>(widgetOf(label))->setText(ToQString(text));
}

void DualListWindow::closeWindow() {
    close();
}

// ---- Events ----

void DualListWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    dialog_->Paint();
}

void DualListWindow::closeEvent(QCloseEvent* event) {
    if (dialog_->CloseQuery()) {
        event->accept();
    } else {
        event->ignore();
    }
}

// ---- Keyboard ----

bool DualListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (dragging() && event->type() == QEvent::KeyPress) {
        // During a drag Escape cancels it, and no key does anything else.
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            dialog_->CancelDrag();
            endDrag();
        }
        return true;
    }
    if (event->type() == QEvent::ToolTip && watched->isWidgetType()) {
        // Hints go away again after the time the description gives them.
        auto* control = static_cast<QWidget*>(watched);
        if (!control->toolTip().isEmpty()) {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), control->toolTip(), control, {},
                               HintShownMs);
        }
        return true;
    }
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        return forwardKey(static_cast<QKeyEvent*>(event));
    }
    return QWidget::eventFilter(watched, event);
}

void DualListWindow::keyPressEvent(QKeyEvent* event) {
    if (dragging()) {
        eventFilter(this, event);
    } else if (!forwardKey(event)) {
        QWidget::keyPressEvent(event);
    }
}

bool DualListWindow::forwardKey(QKeyEvent* event) {
    const Key key = KeyOf(*event);
    return key != Key::Other && dialog_->KeyDown(key, ModifiersOf(*event));
}

} // namespace netedit

namespace netedit {

// ---- Dragging entries ----

ListPointer DualListWindow::pointerAt(QPoint global) const {
    for (Control control : {Control::SrcList, Control::DstList}) {
        const auto* list = static_cast<const EntryListBox*>(widgetOf(control));
        const QPoint local = list->viewport()->mapFromGlobal(global);
        if (!list->viewport()->rect().contains(local)) {
            continue;
        }
        const QRect first = list->count() > 0 ? list->visualRect(list->model()->index(0, 0)) : QRect();
        return {control, local.y(), first.top(), first.height(), list->viewport()->height()};
    }
    return {};
}

void DualListWindow::beginDrag(Control list) {
    dialog_->BeginDrag(list);
    dragFrom_ = list;
    grabMouse();
    grabKeyboard();
    QGuiApplication::setOverrideCursor(Qt::ForbiddenCursor);
    dragScrollTimer_->start();
    followDrag(QCursor::pos());
}

void DualListWindow::followDrag(QPoint global) {
    dragPointer_ = global;
    const ListPointer pointer = pointerAt(global);
    const DragFeedback feedback = dialog_->DragOver(pointer);
    QGuiApplication::changeOverrideCursor(feedback.canDrop ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
    for (Control control : {Control::SrcList, Control::DstList}) {
        static_cast<EntryListBox*>(widgetOf(control))
            ->showDropLine(feedback.lineList == control ? std::optional(feedback.lineTop) : std::nullopt);
    }
    dragScroll_ = feedback.scroll;
}

void DualListWindow::scrollWhileDragging() {
    const ListPointer pointer = pointerAt(dragPointer_);
    if (dragScroll_ != 0 && pointer.list != Control::None) {
        static_cast<EntryListBox*>(widgetOf(pointer.list))
            ->verticalScrollBar()
            ->triggerAction(dragScroll_ < 0 ? QAbstractSlider::SliderSingleStepSub
                                            : QAbstractSlider::SliderSingleStepAdd);
        followDrag(dragPointer_);
    }
}

void DualListWindow::endDrag() {
    dragFrom_ = Control::None;
    dragScroll_ = 0;
    dragScrollTimer_->stop();
    SrcList->showDropLine(std::nullopt);
    DstList->showDropLine(std::nullopt);
    QGuiApplication::restoreOverrideCursor();
    releaseKeyboard();
    releaseMouse();
}

void DualListWindow::mouseMoveEvent(QMouseEvent* event) {
    if (dragging()) {
        followDrag(event->globalPosition().toPoint());
    }
    QWidget::mouseMoveEvent(event);
}

void DualListWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (dragging() && event->button() == Qt::LeftButton) {
        const ListPointer pointer = pointerAt(event->globalPosition().toPoint());
        endDrag();
        dialog_->Drop(pointer);
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

// ---- Files dropped from other programs ----

namespace {

QStringList LocalFiles(const QMimeData& data) {
    QStringList files;
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile()) {
            return {};
        }
        files.append(url.toLocalFile());
    }
    return files;
}

} // namespace

void DualListWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QStringList files = LocalFiles(*event->mimeData());
    if (!files.isEmpty() && dialog_->AcceptsFileDrop(static_cast<std::size_t>(files.size()))) {
        event->acceptProposedAction();
    } else {
        event->ignore(); // the pointer shows "no drop"
    }
}

void DualListWindow::dropEvent(QDropEvent* event) {
    const QStringList files = LocalFiles(*event->mimeData());
    if (files.size() == 1) {
        event->acceptProposedAction();
        dialog_->FileDropped(files.front().toStdString());
    }
}

} // namespace netedit
