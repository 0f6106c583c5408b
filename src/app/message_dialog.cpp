#include "app/message_dialog.h"

#include "app/accessible.h"
#include "app/fonts.h"
#include "app/keys.h"
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
#include <array>
#include <cmath>
#include <optional>

namespace netedit {

namespace {

// The style's picture for a box of `kind`, one that has an icon.
QStyle::StandardPixmap IconOf(MsgKind kind) {
    constexpr std::array ByKind{QStyle::SP_MessageBoxWarning, QStyle::SP_MessageBoxCritical,
                                QStyle::SP_MessageBoxInformation, QStyle::SP_MessageBoxQuestion};
    return ByKind.at(static_cast<std::size_t>(kind));
}

QRect ToQRect(const PixelRect& rect) {
    return {rect.left, rect.top, rect.width, rect.height};
}

// The message box itself: built, shown modally and destroyed by one call.
class MessageDialog : public QDialog {
public:
    // `icon`: the kind whose picture the box shows, if any; `role`: how a screen reader reads it.
    MessageDialog(QWidget* owner, const QString& caption, std::optional<MsgKind> icon, const QString& text,
                  unsigned buttonSet, QAccessible::Role role)
        : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                             Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
          buttonSet_(buttonSet) {
        PresentAs(this, role);
        QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
        const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 640, 480);
        setFont(MessageFont(screen != nullptr ? screen->logicalDotsPerInch() : 96.0));
        setWindowTitle(caption);

        const QFontMetrics metrics(font());
        const QString lines = WrappedText(metrics, text, area.width() / 2);
        const QSize textSize = TextSize(metrics, lines);
        const std::vector<BoxButton> shown = ButtonsOf(buttonSet);
        const MessageLayout layout = LayoutMessage(MeasureFont(metrics), textSize.width(), textSize.height(),
                                                   icon.has_value(), static_cast<int>(shown.size()));
        const QSize client(layout.clientWidth, layout.clientHeight);
        setFixedSize(client);

        if (icon) {
            auto* image = new QLabel(this);
            image->setObjectName(QStringLiteral("Image"));
            image->setPixmap(style()->standardIcon(IconOf(*icon), nullptr, this).pixmap(MessageIconSize));
            image->setAccessibleName(QString::fromUtf8(BoxCaption(*icon))); // what the picture says
            image->setGeometry(ToQRect(layout.icon));
        }
        auto* message = new QLabel(this);
        message->setObjectName(QStringLiteral("Message"));
        message->setTextFormat(Qt::PlainText); // a path with "&" or "<" shows as it is
        message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        message->setText(lines);
        message->setGeometry(ToQRect(layout.message));

        for (std::size_t i = 0; i < shown.size(); ++i) {
            addButton(shown[i], ToQRect(layout.buttons[i]));
        }
        chooseDefault();

        // The outer size counts the frame, which a window beside the owner shares with it.
        const QSize frame = owner != nullptr ? owner->frameSize() - owner->size() : QSize();
        const QSize outer = client + frame;
        const PixelRect place =
            CentredIn({area.x(), area.y(), area.width(), area.height()}, outer.width(), outer.height());
        move(place.left, place.top);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const int code = event->key();
        const char letter =
            code >= Qt::Key_A && code <= Qt::Key_Z ? static_cast<char>('A' + (code - Qt::Key_A)) : '\0';
        const auto focused = std::find(buttons_.begin(), buttons_.end(), focusWidget());
        const BoxKeyAction action = DecideBoxKey(
            KeyOf(*event), ModifiersOf(*event), letter, buttonSet_,
            focused == buttons_.end() ? NoButton : static_cast<std::size_t>(focused - buttons_.begin()));
        switch (action.kind) {
        case BoxKeyAction::Press:
            buttons_[action.button]->click();
            return;
        case BoxKeyAction::Focus:
            buttons_[action.button]->setFocus(Qt::TabFocusReason);
            return;
        case BoxKeyAction::Swallow:
            return;
        case BoxKeyAction::PassOn:
            break;
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
        buttons_.push_back(button);
    }

    void chooseDefault() {
        const std::vector<BoxButton> shown = ButtonsOf(buttonSet_);
        for (std::size_t i = 0; i < shown.size(); ++i) {
            if (shown[i].bit == DefaultButtonOf(buttonSet_)) {
                buttons_[i]->setDefault(true);
                buttons_[i]->setFocus(Qt::OtherFocusReason);
            }
        }
    }

    unsigned buttonSet_;
    std::vector<QPushButton*> buttons_; // as ButtonsOf gives them, left to right
};

int RunBox(QWidget* owner, const QString& caption, std::optional<MsgKind> icon, const QString& text,
           unsigned buttonSet, QAccessible::Role role = QAccessible::Dialog) {
    MessageDialog box(owner, caption, icon, text, buttonSet, role);
    return box.exec();
}

} // namespace

QFont MessageFont(double logicalDpi) {
    return FontOf(BoxFont, static_cast<int>(std::lround(BoxFont.pixels * logicalDpi / 96.0)));
}

FontMeasure MeasureFont(const QFontMetrics& metrics) {
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {metrics.horizontalAdvance(letters) / 52, metrics.height()};
}

QSize TextSize(const QFontMetrics& metrics, const QString& text) {
    // The same flags as the label that paints it, so the text fits where it was measured.
    return metrics.boundingRect(QRect(), Qt::AlignLeft | Qt::TextExpandTabs, text).size();
}

QString WrappedText(const QFontMetrics& metrics, const QString& text, int maxWidth) {
    const std::vector<std::string> lines =
        WrapBoxText(text.toStdString(), maxWidth, [&metrics](std::string_view piece) {
            return TextSize(metrics, QString::fromUtf8(piece.data(), static_cast<qsizetype>(piece.size())))
                .width();
        });
    QStringList shown;
    for (const std::string& line : lines) {
        shown << QString::fromStdString(line);
    }
    return shown.join(QLatin1Char('\n'));
}

int AskUser(QWidget* owner, const QString& text, MsgKind kind, unsigned buttonSet,
            [[maybe_unused]] int helpContext) {
    return RunBox(owner, QString::fromUtf8(BoxCaption(kind)),
                  HasIcon(kind) ? std::optional(kind) : std::nullopt, text, buttonSet);
}

void ShowNotice(QWidget* owner, const QString& text) {
    AskUser(owner, text, MsgKind::Custom, buttons::Ok);
}

void ReportFailure(QWidget* owner, const Failure& failure) {
    // A button or list still holding the mouse would otherwise keep it past the box.
    if (QWidget* grabber = QWidget::mouseGrabber()) {
        grabber->releaseMouse();
    }
    RunBox(owner, QString::fromUtf8(BoxCaption(MsgKind::Custom)), MsgKind::Error,
           ToQString(FailureText(failure)), buttons::Ok, QAccessible::AlertMessage);
}

} // namespace netedit
