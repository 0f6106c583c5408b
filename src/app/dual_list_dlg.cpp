#include "app/dual_list_dlg.h"

#include "app/artwork.h"
#include "app/fonts.h"
#include "app/text_edge.h"
#include "app/ui_texts.h"
#include "app/user_dialogs.h"
#include "netdata/net_data.h"
#include "netdata/net_data_writer.h"
#include "runtime/codec.h"
#include "runtime/failure.h"
#include "runtime/messages.h"
#include "runtime/paths.h"

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
#include <new>

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

bool HasNoModifier(const QKeyEvent* event) {
    return (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
}

} // namespace

TDualListDlg::TDualListDlg(UserDialogs& dialogs, std::string settingsPath, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      dialogs_(dialogs), settingsPath_(std::move(settingsPath)) {
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
    setFocus(Qt::OtherFocusReason); // no control holds the focus until the user gives it one
    guarded([this] { FormCreate(); });
}

int TDualListDlg::px(int logical) const {
    return static_cast<int>(std::lround(logical * scale_));
}

void TDualListDlg::buildControls() {
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
    for (QWidget* control : tabOrder()) {
        setTabOrder(previous, control);
        previous = control;
        control->installEventFilter(this);
    }
    installEventFilter(this); // Tab on the window itself, while no control has the focus

    connect(BitBtn1, &QPushButton::clicked, this, [this] { guarded([this] { BitBtn1Click(); }); });
    connect(OKBtn, &QPushButton::clicked, this, [this] { guarded([this] { OKBtnClick(); }); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { guarded([this] { CancelBtnClick(); }); });
    connect(CloseBtn, &QPushButton::clicked, this, [this] { guarded([this] { CloseBtnClick(); }); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { guarded([this] { BitBtn2Click(); }); });
    connect(IncludeBtn, &QToolButton::clicked, this, [this] { guarded([this] { IncludeBtnClick(); }); });
    connect(IncAllBtn, &QToolButton::clicked, this, [this] { guarded([this] { IncAllBtnClick(); }); });
    connect(ExcludeBtn, &QToolButton::clicked, this, [this] { guarded([this] { ExcludeBtnClick(); }); });
    connect(ExAllBtn, &QToolButton::clicked, this, [this] { guarded([this] { ExcAllBtnClick(); }); });
    connect(SrcList, &EntryListBox::selectionChangedByUser, this,
            [this] { guarded([this] { SrcListClick(); }); });
    connect(DstList, &EntryListBox::selectionChangedByUser, this,
            [this] { guarded([this] { DstListClick(); }); });
}

QPoint CentredPosition(const QRect& area, const QSize& outer) {
    return area.topLeft() + QPoint(std::max(0, (area.width() - outer.width()) / 2),
                                   std::max(0, (area.height() - outer.height()) / 2));
}

void TDualListDlg::centreOnScreen() {
    if (const QScreen* where = screen()) {
        move(CentredPosition(where->availableGeometry(), frameGeometry().size()));
    }
}

std::vector<QWidget*> TDualListDlg::tabOrder() const {
    return {BitBtn1, OKBtn, CancelBtn, CloseBtn, SrcList, DstList, BitBtn2};
}

void TDualListDlg::guarded(const std::function<void()>& action) {
    try {
        action();
    } catch (const Failure& failure) {
        dialogs_.reportFailure(this, failure);
    } catch (const std::bad_alloc&) {
        dialogs_.reportFailure(this, Failure(Message(msg::OutOfMemory)));
    } catch (const std::exception& unexpected) {
        // Whatever went wrong, the user's choice in the lists outlives it.
        dialogs_.reportFailure(this, Failure(EncodeCp932(unexpected.what())));
    }
}

// ---- Window handlers ----

void TDualListDlg::FormCreate() {
    saved_ = false;
    ReadSettings(settingsPath_, paths_);
    UpdateCaption();
}

void TDualListDlg::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    guarded([this] { SetButtons(); }); // FormPaint
}

void TDualListDlg::closeEvent(QCloseEvent* event) {
    bool canClose = true;
    guarded([&] { canClose = FormCloseQuery(); });
    if (canClose) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool TDualListDlg::FormCloseQuery() {
    if (saved_ || DstList->count() == 0) {
        return true;
    }
    return dialogs_.askUser(this, ui::CloseQuestion, MsgKind::Warning, buttons::Yes | buttons::No) !=
           results::No;
}

void TDualListDlg::CloseBtnClick() {
    close();
}

void TDualListDlg::BitBtn2Click() {
    dialogs_.showHelp(this, ReplaceExt(ProgramPath(), ".HLP"));
}

void TDualListDlg::SrcListClick() {
    SetButtons();
}

void TDualListDlg::DstListClick() {
    SetButtons();
}

// ---- Opening ----

void TDualListDlg::BitBtn1Click() {
    const std::optional<std::string> chosen =
        dialogs_.chooseOpenFile(this, DirPart(paths_.source), NamePart(paths_.source));
    if (chosen) {
        sourceDirectory_ = DirPart(*chosen);
        setEnabledIfChanged(BitBtn1, false); // one file per run
        saved_ = false;
        NetData data = LoadNetData(*chosen);
        sections_ = std::move(data.sections);
        snapList_ = data.entries;
        SrcList->append(std::move(data.entries));
    }
    SetButtons();
    SaveOption();
}

// ---- Saving ----

void TDualListDlg::OKBtnClick() {
    if (dialogs_.askUser(this, ui::SaveQuestion, MsgKind::Information, buttons::Yes | buttons::No) !=
        results::Yes) {
        return;
    }
    const std::optional<std::string> target =
        dialogs_.chooseSaveFile(this, DirPart(paths_.destination), NamePart(paths_.destination));
    if (!target) {
        return;
    }
    paths_.destination = *target;
    UpdateCaption();
    const bool sameDirectory =
        SaveNetData(*target, sourceDirectory_, DstList->entries(), SrcList->entries(), sections_);
    setEnabledIfChanged(OKBtn, false);
    saved_ = true;
    dialogs_.showNotice(this, sameDirectory ? ui::SavedWithBackup : ui::SavedElsewhere);
    SaveOption();
}

// ---- Moves and restore ----

void TDualListDlg::IncludeBtnClick() {
    MoveSelected(*SrcList, *DstList);
    SetButtons();
}

void TDualListDlg::ExcludeBtnClick() {
    MoveSelected(*DstList, *SrcList);
    SetButtons();
}

void TDualListDlg::IncAllBtnClick() {
    MoveAll(*SrcList, *DstList);
    SetButtons();
}

void TDualListDlg::ExcAllBtnClick() {
    MoveAll(*DstList, *SrcList);
    SetButtons();
}

void TDualListDlg::CancelBtnClick() {
    RestoreSource(*SrcList, *DstList, snapList_);
    SetButtons();
}

void TDualListDlg::SetButtons() {
    const ButtonStates states = EnablingRule(SrcList->count(), DstList->count());
    setEnabledIfChanged(OKBtn, states.save);
    setEnabledIfChanged(IncludeBtn, states.include);
    setEnabledIfChanged(IncAllBtn, states.includeAll);
    setEnabledIfChanged(ExcludeBtn, states.exclude);
    setEnabledIfChanged(ExAllBtn, states.excludeAll);
}

void TDualListDlg::setEnabledIfChanged(QWidget* control, bool enabled) {
    if (control->isEnabled() == enabled) {
        return; // no repaint, so no paint loop through SetButtons
    }
    // The window's own focus control, not hasFocus(): while a file dialog or a box is up the
    // window is inactive, and the toolkit would pass the focus on to the next control.
    if (!enabled && focusWidget() == control) {
        setFocus(Qt::OtherFocusReason); // a disabled control gives up the focus to nobody
    }
    control->setEnabled(enabled);
}

// ---- Settings and captions ----

void TDualListDlg::UpdateCaption() { // NOLINT(readability-make-member-function-const): it changes the labels
    if (!paths_.source.empty()) {
        Label1->setText(ToQString(PathCaption(paths_.source)));
    }
    if (!paths_.destination.empty()) {
        Label2->setText(ToQString(PathCaption(paths_.destination)));
    }
}

void TDualListDlg::SaveOption() {
    WriteSettings(settingsPath_, paths_);
    UpdateCaption();
}

// ---- Keyboard ----

bool TDualListDlg::eventFilter(QObject* watched, QEvent* event) {
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
        return handleKey(static_cast<QKeyEvent*>(event));
    }
    return QWidget::eventFilter(watched, event);
}

void TDualListDlg::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(event)) {
        QWidget::keyPressEvent(event);
    }
}

bool TDualListDlg::handleKey(QKeyEvent* event) {
    auto* focusedButton = qobject_cast<QPushButton*>(QApplication::focusWidget());
    if (focusedButton != nullptr && focusedButton->window() != this) {
        focusedButton = nullptr;
    }
    switch (event->key()) {
    case Qt::Key_Escape:
        if (HasNoModifier(event)) {
            CancelBtn->click();
        }
        return true; // Escape never closes the window
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!HasNoModifier(event)) {
            return true;
        }
        if (focusedButton != nullptr) {
            focusedButton->click();
        } else if (OKBtn->isEnabled()) {
            OKBtn->click();
        } else if (BitBtn1->isEnabled()) {
            BitBtn1->click();
        }
        return true;
    case Qt::Key_Tab:
        if ((event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0) {
            moveFocus((event->modifiers() & Qt::ShiftModifier) != 0 ? -1 : 1);
            return true;
        }
        return false;
    case Qt::Key_Backtab:
        moveFocus(-1);
        return true;
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (focusedButton != nullptr) {
            moveFocus(1);
            return true;
        }
        return false;
    case Qt::Key_Left:
    case Qt::Key_Up:
        if (focusedButton != nullptr) {
            moveFocus(-1);
            return true;
        }
        return false;
    default:
        return false;
    }
}

void TDualListDlg::moveFocus(int step) const {
    const std::vector<QWidget*> order = tabOrder();
    const auto count = static_cast<int>(order.size());
    const auto found = std::find(order.begin(), order.end(), QApplication::focusWidget());
    // With the focus nowhere, Tab starts before the first control and Shift+Tab after the last.
    int position = found != order.end() ? static_cast<int>(found - order.begin()) : (step > 0 ? -1 : count);
    for (int tried = 0; tried < count; ++tried) {
        position = ((position + step) % count + count) % count;
        if (order[static_cast<std::size_t>(position)]->isEnabled()) {
            order[static_cast<std::size_t>(position)]->setFocus(step > 0 ? Qt::TabFocusReason
                                                                         : Qt::BacktabFocusReason);
            return;
        }
    }
}

} // namespace netedit
