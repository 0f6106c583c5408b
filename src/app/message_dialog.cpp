#include "app/message_dialog.h"

#include "app/fonts.h"
#include "app/qt_user_dialogs.h"
#include "app/text_edge.h"
#include "runtime/failure.h"
#include "runtime/paths.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace netedit {

namespace {

struct ButtonRow {
    unsigned bit;
    const char* caption;
    int result; // 0: the button does not close the box
    const char* name;
};

// In bit order, which is also the order from left to right.
constexpr std::array<ButtonRow, 9> ButtonTable{{
    {buttons::Yes, "はい(&Y)", results::Yes, "Yes"},
    {buttons::No, "いいえ(&N)", results::No, "No"},
    {buttons::Ok, "OK", results::Ok, "OK"},
    {buttons::Cancel, "ｷｬﾝｾﾙ", results::Cancel, "Cancel"},
    {buttons::Abort, "中止(&A)", results::Abort, "Abort"},
    {buttons::Retry, "再試行(&R)", results::Retry, "Retry"},
    {buttons::Ignore, "無視(&I)", results::Ignore, "Ignore"},
    {buttons::All, "すべて", results::All, "All"},
    {buttons::Help, "ﾍﾙﾌﾟ(&H)", 0, "Help"},
}};

struct KindLook {
    const char* caption = nullptr; // nullptr: the program title
    std::optional<QStyle::StandardPixmap> icon;
};

KindLook LookOf(MsgKind kind) {
    switch (kind) {
    case MsgKind::Warning:
        return {"警告", QStyle::SP_MessageBoxWarning};
    case MsgKind::Error:
        return {"ｴﾗｰ", QStyle::SP_MessageBoxCritical};
    case MsgKind::Information:
        return {"情報", QStyle::SP_MessageBoxInformation};
    case MsgKind::Confirmation:
        return {"確認", QStyle::SP_MessageBoxQuestion};
    case MsgKind::Custom:
        break;
    }
    return {nullptr, std::nullopt};
}

// Multiplies and divides, rounding to the nearest pixel.
int Scale(int units, int numerator, int denominator) {
    return static_cast<int>((2LL * units * numerator + denominator) / (2LL * denominator));
}

QString ProgramTitleText() {
    return ToQString(ProgramTitle());
}

// The message box itself: built, shown modally and destroyed by one call.
class MessageDialog : public QDialog {
public:
    MessageDialog(QWidget* owner, const QString& caption, std::optional<QStyle::StandardPixmap> icon,
                  const QString& text, unsigned buttonSet)
        : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                             Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
        QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
        const QRect area = screen != nullptr ? screen->geometry() : QRect(0, 0, 640, 480);
        setFont(MessageFont(screen != nullptr ? screen->logicalDotsPerInch() : 96.0));
        setWindowTitle(caption);

        const QFontMetrics metrics(font());
        const QSize textSize = WrappedTextSize(metrics, text, area.width() / 2);
        std::vector<const ButtonRow*> shown;
        for (const ButtonRow& row : ButtonTable) {
            if ((buttonSet & row.bit) != 0) {
                shown.push_back(&row);
            }
        }
        const MessageLayout layout =
            LayoutMessage(MeasureFont(metrics), textSize, icon.has_value(), static_cast<int>(shown.size()));
        setFixedSize(layout.client);

        if (icon) {
            auto* image = new QLabel(this);
            image->setObjectName(QStringLiteral("Image"));
            image->setPixmap(style()->standardIcon(*icon, nullptr, this).pixmap(MessageIconSize));
            image->setGeometry(layout.icon);
        }
        auto* message = new QLabel(this);
        message->setObjectName(QStringLiteral("Message"));
        message->setTextFormat(Qt::PlainText); // a path with "&" or "<" shows as it is
        message->setWordWrap(true);
        message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        message->setText(text);
        message->setGeometry(layout.message);

        for (std::size_t i = 0; i < shown.size(); ++i) {
            addButton(*shown[i], layout.buttons[i]);
        }
        chooseDefaultAndCancel(buttonSet);

        // The outer size counts the frame, which a window beside the owner shares with it.
        const QSize frame = owner != nullptr ? owner->frameSize() - owner->size() : QSize();
        const QSize outer = layout.client + frame;
        move(area.left() + area.width() / 2 - outer.width() / 2,
             area.top() + area.height() / 2 - outer.height() / 2);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
        if (event->key() == Qt::Key_Escape && modifiers == Qt::NoModifier) {
            if (cancelButton_ != nullptr) {
                cancelButton_->click();
            }
            return; // without a cancel button Escape does nothing
        }
        // As in any dialog, a button's underlined letter presses it without Alt.
        if ((modifiers & (Qt::ControlModifier | Qt::MetaModifier | Qt::AltModifier)) == 0) {
            for (const auto& [letter, button] : mnemonics_) {
                if (event->key() == letter) {
                    button->click();
                    return;
                }
            }
        }
        QDialog::keyPressEvent(event);
    }

    // The title bar's close button and the system menu's close command.
    void reject() override { done(results::Cancel); }

private:
    void addButton(const ButtonRow& row, const QRect& place) {
        const QString caption = QString::fromUtf8(row.caption);
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(row.name));
        button->setGeometry(place);
        const qsizetype marker = caption.indexOf(QLatin1Char('&'));
        if (marker >= 0 && marker + 1 < caption.size()) {
            mnemonics_.emplace_back(caption[marker + 1].toUpper().unicode(), button);
        }
        if (row.result != 0) {
            connect(button, &QPushButton::clicked, this, [this, result = row.result] { done(result); });
        } else {
            // The program's help has one page, so every help context shows its contents.
            connect(button, &QPushButton::clicked, this, [this] {
                QtUserDialogs help;
                help.setOwner(this);
                help.showHelp(ReplaceExt(ProgramPath(), ".HLP"));
            });
        }
        byBit_[static_cast<std::size_t>(&row - ButtonTable.data())] = button;
    }

    QPushButton* buttonFor(unsigned bit) const {
        for (std::size_t i = 0; i < ButtonTable.size(); ++i) {
            if (ButtonTable[i].bit == bit) {
                return byBit_[i];
            }
        }
        return nullptr;
    }

    void chooseDefaultAndCancel(unsigned buttonSet) {
        for (unsigned bit : {buttons::Ok, buttons::Yes, buttons::Retry}) {
            if ((buttonSet & bit) != 0) {
                buttonFor(bit)->setDefault(true);
                buttonFor(bit)->setFocus(Qt::OtherFocusReason);
                break;
            }
        }
        for (unsigned bit : {buttons::Cancel, buttons::No, buttons::Ok}) {
            if ((buttonSet & bit) != 0) {
                cancelButton_ = buttonFor(bit);
                break;
            }
        }
    }

    std::array<QPushButton*, ButtonTable.size()> byBit_{};
    std::vector<std::pair<int, QPushButton*>> mnemonics_; // key code, button
    QPushButton* cancelButton_ = nullptr;
};

int RunBox(QWidget* owner, const QString& caption, std::optional<QStyle::StandardPixmap> icon,
           const QString& text, unsigned buttonSet) {
    MessageDialog box(owner, caption, icon, text, buttonSet);
    return box.exec();
}

} // namespace

QFont MessageFont(double logicalDpi) {
    return WindowFont(static_cast<int>(std::lround(9.0 * logicalDpi / 72.0)));
}

FontMeasure MeasureFont(const QFontMetrics& metrics) {
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {metrics.horizontalAdvance(letters) / 52, metrics.height()};
}

QSize WrappedTextSize(const QFontMetrics& metrics, const QString& text, int maxWidth) {
    // The same flags as the label that paints it, so the text fits where it was measured.
    return metrics
        .boundingRect(QRect(0, 0, maxWidth, 0), Qt::AlignLeft | Qt::TextWordWrap | Qt::TextExpandTabs, text)
        .size();
}

MessageLayout LayoutMessage(FontMeasure font, QSize textSize, bool hasIcon, int buttonCount) {
    const auto across = [&](int units) { return Scale(units, font.averageWidth, 4); };
    const auto down = [&](int units) { return Scale(units, font.lineHeight, 8); };
    const int iconSpan = hasIcon ? MessageIconSize + across(10) : 0;
    const int blockWidth = textSize.width() + iconSpan;
    const int blockHeight = hasIcon ? std::max(textSize.height(), MessageIconSize) : textSize.height();
    const int buttonWidth = across(50);
    const int gap = across(4);
    const int rowWidth = buttonCount > 0 ? buttonCount * buttonWidth + (buttonCount - 1) * gap : 0;

    MessageLayout layout;
    layout.client = QSize(std::max(blockWidth, rowWidth) + 2 * across(8),
                          blockHeight + down(10) + down(14) + 2 * down(8));
    if (hasIcon) {
        layout.icon = QRect(across(8), down(8), MessageIconSize, MessageIconSize);
    }
    layout.message = QRect(QPoint(across(8) + iconSpan, down(8)), textSize);
    const int top = down(8) + blockHeight + down(10);
    int left = (layout.client.width() - rowWidth) / 2;
    for (int i = 0; i < buttonCount; ++i) {
        layout.buttons.emplace_back(left, top, buttonWidth, down(14));
        left += buttonWidth + gap;
    }
    return layout;
}

int AskUser(QWidget* owner, const QString& text, MsgKind kind, unsigned buttonSet,
            [[maybe_unused]] int helpContext) {
    const KindLook look = LookOf(kind);
    const QString caption = look.caption != nullptr ? QString::fromUtf8(look.caption) : ProgramTitleText();
    return RunBox(owner, caption, look.icon, text, buttonSet);
}

void ShowNotice(QWidget* owner, const QString& text) {
    AskUser(owner, text, MsgKind::Custom, buttons::Ok);
}

QString FailureText(const Failure& failure) {
    return ToQString(failure.message()) + QLatin1Char('.');
}

void ReportFailure(QWidget* owner, const Failure& failure) {
    // A button or list still holding the mouse would otherwise keep it past the box.
    if (QWidget* grabber = QWidget::mouseGrabber()) {
        grabber->releaseMouse();
    }
    RunBox(owner, ProgramTitleText(), QStyle::SP_MessageBoxCritical, FailureText(failure), buttons::Ok);
}

} // namespace netedit
