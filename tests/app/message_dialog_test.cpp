#include "app/message_dialog.h"
#include "app/modal_driver.h"
#include "app/text_edge.h"
#include "editor/program_files.h"
#include "editor/ui_texts.h"
#include "runtime/failure.h"
#include "runtime/paths.h"
#include "runtime/platform.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <algorithm>

namespace netedit::testing {
namespace {

QLabel* MessageOf(QDialog& box) {
    return box.findChild<QLabel*>(QStringLiteral("Message"));
}

std::vector<QPushButton*> ButtonsLeftToRight(QDialog& box) {
    const QList<QPushButton*> children = box.findChildren<QPushButton*>();
    std::vector<QPushButton*> found(children.begin(), children.end());
    std::sort(found.begin(), found.end(), [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    return found;
}

int Ask(const QString& text, MsgKind kind, unsigned set, const std::function<void(QDialog&)>& drive,
        QWidget* owner = nullptr) {
    return WithModalBox<int>([&] { return AskUser(owner, text, kind, set); }, drive);
}

TEST(MessageDialog, EachKindHasItsCaptionAndItsIcon) {
    const struct {
        MsgKind kind;
        QString caption;
        std::optional<QStyle::StandardPixmap> icon;
    } rows[] = {
        {MsgKind::Warning, QStringLiteral("警告"), QStyle::SP_MessageBoxWarning},
        {MsgKind::Error, QStringLiteral("ｴﾗｰ"), QStyle::SP_MessageBoxCritical},
        {MsgKind::Information, QStringLiteral("情報"), QStyle::SP_MessageBoxInformation},
        {MsgKind::Confirmation, QStringLiteral("確認"), QStyle::SP_MessageBoxQuestion},
        {MsgKind::Custom, ToQString(ProgramTitle()), std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.caption.toStdString());
        const QString text = QStringLiteral("本文<b>"); // shown as it is, as a path with "<" must be
        Ask(text, row.kind, buttons::Yes | buttons::No, [&](QDialog& box) {
            EXPECT_EQ(box.windowTitle(), row.caption);
            EXPECT_EQ(MessageOf(box)->text(), text);
            EXPECT_GE(MessageOf(box)->sizeHint().width(),
                      MessageOf(box)->fontMetrics().horizontalAdvance(text));
            const std::vector<QPushButton*> found = ButtonsLeftToRight(box);
            ASSERT_EQ(found.size(), 2U);
            EXPECT_EQ(found[0]->text() + found[1]->text(), QStringLiteral("はい(&Y)いいえ(&N)"));
            auto* image = box.findChild<QLabel*>(QStringLiteral("Image"));
            ASSERT_EQ(image != nullptr, row.icon.has_value());
            if (row.icon) {
                EXPECT_EQ(image->pixmap().toImage(),
                          box.style()->standardIcon(*row.icon).pixmap(MessageIconSize).toImage());
            } else { // the text starts at the left margin: 8 units of a quarter average width
                EXPECT_EQ(MessageOf(box)->x(), 2 * MeasureFont(QFontMetrics(box.font())).averageWidth);
            }
            // Laid out by the core's rules in the boxes' 9-point font.
            EXPECT_EQ(box.font().pixelSize(), qRound(9 * box.screen()->logicalDotsPerInch() / 72));
            const MessageLayout layout =
                LayoutMessage(MeasureFont(QFontMetrics(box.font())), MessageOf(box)->width(),
                              MessageOf(box)->height(), row.icon.has_value(), 2);
            EXPECT_EQ(box.size(), QSize(layout.clientWidth, layout.clientHeight));
            box.close();
        });
    }
}

TEST(MessageDialog, KeysAndTheCloseBoxGiveTheResultOfTheirButton) {
    const unsigned yesNo = buttons::Yes | buttons::No;
    const struct {
        const char* name;
        unsigned set;
        std::vector<Qt::Key> keys; // none: the title bar's close box
        int expected;
    } rows[] = {
        // clang-format off
        {"Enter presses the default", yesNo, {Qt::Key_Return}, results::Yes},
        {"Escape presses the cancel button", yesNo, {Qt::Key_Escape}, results::No},
        {"close box", yesNo, {}, results::Cancel},
        {"a button's letter", yesNo, {Qt::Key_N}, results::No},
        {"the arrow keys walk the buttons, round", yesNo, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Return}, results::No},
        // clang-format on
    };
    for (const auto& row : rows) {
        const int result = Ask(QStringLiteral("?"), MsgKind::Warning, row.set, [&](QDialog& box) {
            for (Qt::Key key : row.keys) { // where the user's go: to the button holding the focus
                QTest::keyClick(box.focusWidget() != nullptr ? box.focusWidget() : &box, key);
            }
            if (row.keys.empty()) {
                box.close();
            }
        });
        EXPECT_EQ(result, row.expected) << row.name;
    }
}

// A box's help button shows what the window's help button shows: here, where neither the help
// file nor the installed page stands, the box that says so names the same file.
TEST(MessageDialog, TheHelpButtonShowsTheProgramsOwnHelp) {
    const std::string help = ThisProgramsHelp();
    if (platform::KindOfPath(help, platform::Names::Own) == platform::PathKind::File) {
        GTEST_SKIP() << "the help is installed: showing it would start the desktop's viewer";
    }
    QString missing;
    Ask(QStringLiteral("?"), MsgKind::Warning, buttons::Ok | buttons::Help, [&](QDialog& box) {
        auto* button = box.findChild<QPushButton*>(QStringLiteral("Help"));
        ASSERT_NE(button, nullptr);
        WithModalBox<int>(
            [&] {
                button->click();
                return 0;
            },
            [&](QDialog& shown) {
                const auto* text = shown.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
                missing = text->text();
                shown.close();
            });
        box.close();
    });
    EXPECT_EQ(missing, QString::fromUtf8(HelpMissingText(help)));
}

// A long path wraps after its separators (how every break falls is the core's): the box stays
// inside its screen.
TEST(MessageDialog, ALongMessageWrapsAtHalfTheWorkAreaAndTheBoxIsCentredOnIt) {
    QWidget owner;
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    const QString text = QStringLiteral("ファイル /") + QStringLiteral("data/netdata/").repeated(19) +
                         QStringLiteral("OBN.NET は開けません.");
    Ask(
        text, MsgKind::Information, buttons::Ok,
        [&](QDialog& box) {
            const QRect screen = box.screen()->availableGeometry();
            const QLabel* message = MessageOf(box);
            EXPECT_LE(message->width(), screen.width() / 2);
            EXPECT_GT(message->width(), screen.width() / 4); // the width follows the wrapped lines
            EXPECT_GE(message->height(), 3 * QFontMetrics(box.font()).height());
            EXPECT_EQ(QString(message->text()).remove(QLatin1Char('\n')), text);
            const QPoint centred((screen.width() - box.frameGeometry().width()) / 2,
                                 (screen.height() - box.frameGeometry().height()) / 2);
            EXPECT_EQ(box.frameGeometry().topLeft(), centred + screen.topLeft());
            box.close();
        },
        &owner);
}

} // namespace
} // namespace netedit::testing
