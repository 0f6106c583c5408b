#include "app/message_dialog.h"
#include "app/modal_driver.h"
#include "app/text_edge.h"
#include "runtime/codec.h"
#include "runtime/failure.h"
#include "runtime/paths.h"

#include <QAccessible>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <algorithm>

namespace netedit::testing {
namespace {

QString Title() {
    return ToQString(ProgramTitle());
}

QLabel* ImageOf(QDialog& box) {
    return box.findChild<QLabel*>(QStringLiteral("Image"));
}
QLabel* MessageOf(QDialog& box) {
    return box.findChild<QLabel*>(QStringLiteral("Message"));
}

std::vector<QPushButton*> ButtonsLeftToRight(QDialog& box) {
    const QList<QPushButton*> children = box.findChildren<QPushButton*>();
    std::vector<QPushButton*> found(children.begin(), children.end());
    std::sort(found.begin(), found.end(), [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    return found;
}

// Keys go where the user's would: to the button holding the focus.
void Press(QDialog& box, Qt::Key key) {
    QWidget* target = box.focusWidget() != nullptr ? box.focusWidget() : &box;
    QTest::keyClick(target, key);
}

int Ask(const QString& text, MsgKind kind, unsigned set, const std::function<void(QDialog&)>& drive,
        QWidget* owner = nullptr) {
    return WithModalBox<int>([&] { return AskUser(owner, text, kind, set); }, drive);
}

void CloseByButton(QDialog& box) {
    if (auto* ok = box.findChild<QPushButton*>(QStringLiteral("OK"))) {
        ok->click();
    } else {
        box.close();
    }
}

TEST(MessageDialog, EachKindHasItsCaptionAndItsIcon) {
    struct Row {
        MsgKind kind;
        QString caption;
        std::optional<QStyle::StandardPixmap> icon;
    };
    const Row rows[] = {
        {MsgKind::Warning, QStringLiteral("警告"), QStyle::SP_MessageBoxWarning},
        {MsgKind::Error, QStringLiteral("ｴﾗｰ"), QStyle::SP_MessageBoxCritical},
        {MsgKind::Information, QStringLiteral("情報"), QStyle::SP_MessageBoxInformation},
        {MsgKind::Confirmation, QStringLiteral("確認"), QStyle::SP_MessageBoxQuestion},
        {MsgKind::Custom, Title(), std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caption.toStdString());
        Ask(QStringLiteral("本文"), row.kind, buttons::Ok, [&](QDialog& box) {
            EXPECT_EQ(box.windowTitle(), row.caption);
            EXPECT_EQ(MessageOf(box)->text(), QStringLiteral("本文"));
            QLabel* image = ImageOf(box);
            if (row.icon) {
                ASSERT_NE(image, nullptr);
                EXPECT_EQ(image->size(), QSize(MessageIconSize, MessageIconSize));
                const QImage expected =
                    box.style()->standardIcon(*row.icon).pixmap(MessageIconSize).toImage();
                EXPECT_FALSE(expected.isNull());
                EXPECT_EQ(image->pixmap().toImage(), expected);
            } else { // the text starts at the left margin: 8 units of a quarter average width
                EXPECT_EQ(image, nullptr);
                EXPECT_EQ(MessageOf(box)->x(), 2 * MeasureFont(QFontMetrics(box.font())).averageWidth);
            }
            CloseByButton(box);
        });
    }
}

TEST(MessageDialog, ButtonsStandInBitOrderWithTheirCaptions) {
    struct Row {
        unsigned set;
        std::vector<std::pair<QString, QString>> nameAndCaption;
    };
    const Row rows[] = {
        {3, {{"Yes", "はい(&Y)"}, {"No", "いいえ(&N)"}}},
        {4, {{"OK", "OK"}}},
        {0x1A4, {{"OK", "OK"}, {"Retry", "再試行(&R)"}, {"All", "すべて"}, {"Help", "ﾍﾙﾌﾟ(&H)"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.set);
        Ask(QStringLiteral("?"), MsgKind::Confirmation, row.set, [&](QDialog& box) {
            const std::vector<QPushButton*> found = ButtonsLeftToRight(box);
            ASSERT_EQ(found.size(), row.nameAndCaption.size());
            for (std::size_t i = 0; i < found.size(); ++i) {
                EXPECT_EQ(found[i]->objectName(), row.nameAndCaption[i].first);
                EXPECT_EQ(found[i]->text(), row.nameAndCaption[i].second);
                EXPECT_EQ(QAccessible::queryAccessibleInterface(found[i])->text(QAccessible::Name),
                          QString(row.nameAndCaption[i].second).remove(QLatin1Char('&')));
                EXPECT_EQ(found[i]->y(), found[0]->y());
            }
            box.close();
        });
    }
}

TEST(MessageDialog, KeysAndTheCloseBoxGiveTheResultOfTheirButton) {
    struct Row {
        const char* name;
        unsigned set;
        std::vector<Qt::Key> keys; // none: the title bar's close box
        int expected;
    };
    const unsigned yesNo = buttons::Yes | buttons::No;
    const unsigned abortRetryIgnore = buttons::Abort | buttons::Retry | buttons::Ignore;
    const Row rows[] = {
        // clang-format off
        {"Enter presses Yes", yesNo, {Qt::Key_Return}, results::Yes},
        {"Escape presses No", yesNo, {Qt::Key_Escape}, results::No},
        {"close box", yesNo, {}, results::Cancel},
        {"Y key", yesNo, {Qt::Key_Y}, results::Yes},
        {"N key", yesNo, {Qt::Key_N}, results::No},
        {"OK alone answers Enter", buttons::Ok, {Qt::Key_Return}, results::Ok},
        {"OK alone answers Escape", buttons::Ok, {Qt::Key_Escape}, results::Ok},
        {"OK is default before Yes", buttons::Yes | buttons::Ok | buttons::Cancel, {Qt::Key_Return}, results::Ok},
        {"Cancel answers Escape before No", buttons::No | buttons::Cancel, {Qt::Key_Escape}, results::Cancel},
        {"Retry is the last default", abortRetryIgnore, {Qt::Key_Return}, results::Retry},
        {"without a cancel button Escape stays", abortRetryIgnore, {Qt::Key_Escape, Qt::Key_I}, results::Ignore},
        {"close box without Cancel", buttons::Ok, {}, results::Cancel},
        // clang-format on
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const int result = Ask(QStringLiteral("?"), MsgKind::Warning, row.set, [&](QDialog& box) {
            for (Qt::Key key : row.keys) {
                Press(box, key);
            }
            if (row.keys.empty()) {
                box.close();
            }
        });
        EXPECT_EQ(result, row.expected);
    }
}

TEST(MessageDialog, LayoutFollowsTheDialogUnits) {
    struct Row {
        const char* name;
        FontMeasure font;
        QSize text;
        bool icon;
        int buttonCount;
        MessageLayout expected;
    };
    // Average width 6 and line height 12 make a unit across 1.5 px and a unit down 1.5 px;
    // 7 and 13 bring in the rounding (17.5 -> 18, 87.5 -> 88, 22.75 -> 23).
    const Row rows[] = {
        // clang-format off
        {"icon beside the text, two buttons", {6, 12}, {100, 24}, true, 2, {{180, 92}, {12, 12, 32, 32}, {59, 12, 100, 24}, {{12, 59, 75, 21}, {93, 59, 75, 21}}}},
        {"no icon, rounding", {7, 13}, {300, 39}, false, 1, {{328, 104}, {}, {14, 13, 300, 39}, {{120, 68, 88, 23}}}},
        {"the button row wider than the text", {6, 12}, {20, 12}, false, 3, {{261, 72}, {}, {12, 12, 20, 12}, {{12, 39, 75, 21}, {93, 39, 75, 21}, {174, 39, 75, 21}}}},
        {"text lower than the icon", {8, 16}, {40, 16}, true, 1, {{132, 112}, {16, 16, 32, 32}, {68, 16, 40, 16}, {{16, 68, 100, 28}}}},
        // clang-format on
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const MessageLayout got = LayoutMessage(row.font, row.text, row.icon, row.buttonCount);
        EXPECT_EQ(got.client, row.expected.client);
        EXPECT_EQ(got.icon, row.expected.icon);
        EXPECT_EQ(got.message, row.expected.message);
        EXPECT_EQ(got.buttons, row.expected.buttons);
    }
}

TEST(MessageDialog, TheBoxIsMeasuredInItsJapaneseNinePointFont) {
    const QString text = QStringLiteral("データを保存せずに終了しますか？");
    Ask(text, MsgKind::Warning, buttons::Yes | buttons::No, [&](QDialog& box) {
        const QScreen* screen = box.screen();
        EXPECT_EQ(box.font().pixelSize(), qRound(9 * screen->logicalDotsPerInch() / 72));
        const QString family = QFontInfo(box.font()).family();
        const QStringList japanese = {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                                      QStringLiteral("IPAPGothic")};
        if (QFontDatabase::families().contains(QStringLiteral("IPAPGothic"))) {
            EXPECT_TRUE(japanese.contains(family)) << family.toStdString();
        }
        const QFontMetrics metrics(box.font());
        const MessageLayout expected = LayoutMessage(
            MeasureFont(metrics), WrappedTextSize(metrics, text, screen->geometry().width() / 2), true, 2);
        EXPECT_EQ(box.size(), expected.client);
        EXPECT_EQ(ButtonsLeftToRight(box).back()->geometry(), expected.buttons.back());
        // The short question stands on one line.
        EXPECT_EQ(MessageOf(box)->height(), metrics.height());
        box.close();
    });
}

TEST(MessageDialog, ALongMessageWrapsAtHalfTheScreenAndTheBoxIsCentred) {
    QWidget owner;
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    QString text;
    for (int i = 0; i < 120; ++i) {
        text += QStringLiteral("word%1 ").arg(i);
    }
    text = text.trimmed();
    Ask(
        text, MsgKind::Information, buttons::Ok,
        [&](QDialog& box) {
            const QRect screen = box.screen()->geometry();
            const QFontMetrics metrics(box.font());
            const QLabel* message = MessageOf(box);
            EXPECT_LE(message->width(), screen.width() / 2);
            EXPECT_GT(message->width(), screen.width() / 4); // the width follows the wrapped lines
            EXPECT_GE(message->height(), 3 * metrics.height());
            EXPECT_LE(box.width(), screen.width() / 2 + message->x() * 2);
            EXPECT_LT(box.width(), metrics.horizontalAdvance(text));
            // Every wrapped line breaks between words, never inside one.
            const QRect wrapped = metrics.boundingRect(message->rect(), Qt::TextWordWrap, text);
            EXPECT_LE(wrapped.width(), message->width());
            EXPECT_LE(wrapped.height(), message->height());
            const QPoint centred(screen.width() / 2 - box.frameGeometry().width() / 2,
                                 screen.height() / 2 - box.frameGeometry().height() / 2);
            EXPECT_EQ(box.frameGeometry().topLeft(), centred + screen.topLeft());
            box.close();
        },
        &owner);
}

TEST(MessageDialog, TheErrorBoxEndsEveryMessageWithAFullStopAndReleasesTheMouse) {
    struct Row {
        const char* message;
        QString shown;
    };
    const Row rows[] = {
        {"ｽﾄﾘｰﾑへの書き込みｴﾗｰ", QStringLiteral("ｽﾄﾘｰﾑへの書き込みｴﾗｰ.")},
        {"終わりました。", QStringLiteral("終わりました。.")},
        {"a & <b>", QStringLiteral("a & <b>.")},
    };
    QWidget holder;
    holder.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&holder));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        holder.grabMouse();
        ASSERT_EQ(QWidget::mouseGrabber(), &holder);
        WithModalBox<int>(
            [&] {
                ReportFailure(&holder, Failure(EncodeCp932(row.message)));
                return 0;
            },
            [&](QDialog& box) {
                EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
                EXPECT_EQ(box.windowTitle(), Title());
                EXPECT_EQ(MessageOf(box)->text(), row.shown);
                EXPECT_EQ(QAccessible::queryAccessibleInterface(MessageOf(box))->text(QAccessible::Name),
                          row.shown);
                const QImage stop = box.style()
                                        ->standardIcon(QStyle::SP_MessageBoxCritical)
                                        .pixmap(MessageIconSize)
                                        .toImage();
                ASSERT_NE(ImageOf(box), nullptr);
                EXPECT_EQ(ImageOf(box)->pixmap().toImage(), stop);
                const std::vector<QPushButton*> found = ButtonsLeftToRight(box);
                ASSERT_EQ(found.size(), 1U);
                EXPECT_EQ(found[0]->objectName(), QStringLiteral("OK"));
                Press(box, Qt::Key_Escape);
            });
    }
}

} // namespace
} // namespace netedit::testing
