#include "app/message_dialog.h"

#include "app/fonts.h"
#include "app/qt_user_dialogs.h"
#include "app/text_edge.h"
#include "editor/program_files.h"
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
#include <cmath>
#include <map>
#include <optional>

namespace netedit {

namespace {

// The style's picture for a box of `kind`; Custom boxes show none.
std::optional<QStyle::StandardPixmap> IconOf(MsgKind kind) {
    switch (kind) {
    case MsgKind::Warning:
        return QStyle::SP_MessageBoxWarning;
    case MsgKind::Error:
        return QStyle::SP_MessageBoxCritical;
    case MsgKind::Information:
        return QStyle::SP_MessageBoxInformation;
    case MsgKind::Confirmation:
        return QStyle::SP_MessageBoxQuestion;
    case MsgKind::Custom:
        break;
    }
    return std::nullopt;
}

QRect ToQRect(const PixelRect& rect) {
    return {rect.left, rect.top, rect.width, rect.height};
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
        const std::vector<BoxButton> shown = ButtonsOf(buttonSet);
        const MessageLayout layout = LayoutMessage(MeasureFont(metrics), textSize.width(), textSize.height(),
                                                   icon.has_value(), static_cast<int>(shown.size()));
        const QSize client(layout.clientWidth, layout.clientHeight);
        setFixedSize(client);

        if (icon) {
            auto* image = new QLabel(this);
            image->setObjectName(QStringLiteral("Image"));
            image->setPixmap(style()->standardIcon(*icon, nullptr, this).pixmap(MessageIconSize));
            image->setGeometry(ToQRect(layout.icon));
        }
        auto* message = new QLabel(this);
        message->setObjectName(QStringLiteral("Message"));
        message->setTextFormat(Qt::PlainText); // a path with "&" or "<" shows as it is
        message->setWordWrap(true);
        message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        message->setText(text);
        message->setGeometry(ToQRect(layout.message));

        for (std::size_t i = 0; i < shown.size(); ++i) {
            addButton(shown[i], ToQRect(layout.buttons[i]));
        }
        chooseDefaultAndCancel(buttonSet);

        // The outer size counts the frame, which a window beside the owner shares with it.
        const QSize frame = owner != nullptr ? owner->frameSize() - owner->size() : QSize();
        const QSize outer = client + frame;
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
    void addButton(const BoxButton& row, const QRect& place) {
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
                help.showHelp(ThisProgramsHelp());
            });
        }
        byBit_[row.bit] = button;
    }

    void chooseDefaultAndCancel(unsigned buttonSet) {
        if (QPushButton* button = byBit_[DefaultButtonOf(buttonSet)]) {
            button->setDefault(true);
            button->setFocus(Qt::OtherFocusReason);
        }
        cancelButton_ = byBit_[CancelButtonOf(buttonSet)];
    }

    std::map<unsigned, QPushButton*> byBit_;
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

int AskUser(QWidget* owner, const QString& text, MsgKind kind, unsigned buttonSet,
            [[maybe_unused]] int helpContext) {
    const char* caption = KindCaption(kind);
    return RunBox(owner, caption != nullptr ? QString::fromUtf8(caption) : ProgramTitleText(), IconOf(kind),
                  text, buttonSet);
}

void ShowNotice(QWidget* owner, const QString& text) {
    AskUser(owner, text, MsgKind::Custom, buttons::Ok);
}

void ReportFailure(QWidget* owner, const Failure& failure) {
    // A button or list still holding the mouse would otherwise keep it past the box.
    if (QWidget* grabber = QWidget::mouseGrabber()) {
        grabber->releaseMouse();
    }
    RunBox(owner, ProgramTitleText(), QStyle::SP_MessageBoxCritical, ToQString(FailureText(failure)),
           buttons::Ok);
}

} // namespace netedit
