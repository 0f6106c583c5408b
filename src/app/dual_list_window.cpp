#include "app/dual_list_window.h"

#include "app/artwork.h"
#include "app/fonts.h"
#include "app/keys.h"
#include "app/text_edge.h"
#include "editor/ui_texts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace netedit {

namespace {

constexpr int ClientWidth = 587;
constexpr int ClientHeight = 461;

QToolButton* MakeFlatButton(const QString& caption, const QFont& font, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(caption);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus); // a move leaves the focus where it was
    button->setFont(font);
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, Qt::black);
    button->setPalette(palette);
    return button;
}

} // namespace

DualListWindow::DualListWindow(UserDialogs& dialogs, ProgramFiles files, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      dialog_(nullptr) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        scale_ = screen->logicalDotsPerInch() / 96.0;
    }
    setWindowTitle(QString::fromUtf8(ui::WindowCaption));
    setFont(WindowFont(px(13)));
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
    auto place = [this](QWidget* control, int left, int top, int width, int height) {
        control->setGeometry(px(left), px(top), px(width), px(height));
    };
    SrcLabel = new MnemonicLabel(QString::fromUtf8(ui::SourceCaption), this);
    place(SrcLabel, 14, 14, 245, 27);
    DstLabel = new MnemonicLabel(QString::fromUtf8(ui::DestinationCaption), this);
    place(DstLabel, 325, 14, 245, 27);
    Label1 = new MnemonicLabel(QString(), this);
    place(Label1, 18, 48, 243, 22);
    Label2 = new MnemonicLabel(QString(), this);
    place(Label2, 325, 48, 244, 22);

    // Assistive technology names each list by the caption above it.
    SrcList = new EntryListBox(this);
    SrcList->setAccessibleName(QString::fromUtf8(ui::SourceCaption));
    place(SrcList, 18, 81, 244, 313);
    DstList = new EntryListBox(this);
    DstList->setAccessibleName(QString::fromUtf8(ui::DestinationCaption));
    place(DstList, 325, 81, 244, 313);

    const QFont flatFont = FlatButtonFont(px(20));
    auto flat = [&](const char* caption, const char* description) {
        QToolButton* button = MakeFlatButton(QString::fromUtf8(caption), flatFont, this);
        button->setAccessibleDescription(QString::fromUtf8(description));
        return button;
    };
    IncludeBtn = flat(">", ui::IncludeDescription);
    place(IncludeBtn, 274, 94, 40, 41);
    IncAllBtn = flat(">>", ui::IncludeAllDescription);
    place(IncAllBtn, 274, 148, 40, 41);
    ExcludeBtn = flat("<", ui::ExcludeDescription);
    place(ExcludeBtn, 274, 202, 40, 41);
    ExcludeBtn->setEnabled(false);
    ExAllBtn = flat("<<", ui::ExcludeAllDescription);
    place(ExAllBtn, 274, 257, 40, 40);
    ExAllBtn->setEnabled(false);

    QStyle* style = QApplication::style();
    auto picture = [&](const QIcon& icon, int size, const char* caption) {
        return new PictureButton(icon, px(size), px(2), QString::fromUtf8(caption), this);
    };
    BitBtn1 = picture(FolderPicture(), 16, ui::OpenCaption);
    place(BitBtn1, 42, 412, 80, 32);
    OKBtn = picture(style->standardIcon(QStyle::SP_DialogOkButton), 18, ui::SaveCaption);
    place(OKBtn, 149, 412, 80, 32);
    CancelBtn = picture(style->standardIcon(QStyle::SP_DialogCancelButton), 18, ui::RevertCaption);
    place(CancelBtn, 255, 412, 80, 32);
    CloseBtn = picture(DoorPicture(), 16, ui::CloseCaption);
    place(CloseBtn, 362, 412, 80, 32);
    BitBtn2 = picture(style->standardIcon(QStyle::SP_DialogHelpButton), 18, ui::HelpCaption);
    place(BitBtn2, 468, 412, 80, 32);

    BitBtn1->setToolTip(QString::fromUtf8(ui::OpenHint));
    OKBtn->setToolTip(QString::fromUtf8(ui::SaveHint));
    CancelBtn->setToolTip(QString::fromUtf8(ui::RevertHint));
    CloseBtn->setToolTip(QString::fromUtf8(ui::CloseHint));

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
    connect(SrcList, &EntryListBox::selectionChangedByUser, this,
            [this] { dialog_->ListClicked(Control::SrcList); });
    connect(DstList, &EntryListBox::selectionChangedByUser, this,
            [this] { dialog_->ListClicked(Control::DstList); });
}

QPoint CentredPosition(const QRect& area, const QSize& outer) {
    return area.topLeft() + QPoint(std::max(0, (area.width() - outer.width()) / 2),
                                   std::max(0, (area.height() - outer.height()) / 2));
}

void DualListWindow::centreOnScreen() {
    if (const QScreen* where = screen()) {
        move(CentredPosition(where->availableGeometry(), frameGeometry().size()));
    }
}

QWidget* DualListWindow::widgetOf(Control control) const {
    switch (control) {
    case Control::BitBtn1:
        return BitBtn1;
    case Control::OKBtn:
        return OKBtn;
    case Control::CancelBtn:
        return CancelBtn;
    case Control::CloseBtn:
        return CloseBtn;
    case Control::SrcList:
        return SrcList;
    case Control::DstList:
        return DstList;
    case Control::BitBtn2:
        return BitBtn2;
    case Control::IncludeBtn:
        return IncludeBtn;
    case Control::IncAllBtn:
        return IncAllBtn;
    case Control::ExcludeBtn:
        return ExcludeBtn;
    case Control::ExAllBtn:
        return ExAllBtn;
    case Control::Label1:
        return Label1;
    case Control::Label2:
        return Label2;
    case Control::None:
        break;
    }
    return nullptr;
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
    if (event->type() == QEvent::ToolTip && watched->isWidgetType()) {
        // Hints go away again after 2.5 seconds.
        auto* control = static_cast<QWidget*>(watched);
        if (!control->toolTip().isEmpty()) {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), control->toolTip(), control, {},
                               2500);
        }
        return true;
    }
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        return forwardKey(static_cast<QKeyEvent*>(event));
    }
    return QWidget::eventFilter(watched, event);
}

void DualListWindow::keyPressEvent(QKeyEvent* event) {
    if (!forwardKey(event)) {
        QWidget::keyPressEvent(event);
    }
}

bool DualListWindow::forwardKey(QKeyEvent* event) {
    const Key key = KeyOf(*event);
    return key != Key::Other && dialog_->KeyDown(key, ModifiersOf(*event));
}

} // namespace netedit
