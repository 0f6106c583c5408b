#include "app/dual_list_window.h"
#include "app/program_setup.h"
#include "app/text_edge.h"
#include "app/window_fixture.h"
#include "editor/settings_file.h"
#include "runtime/messages.h"

#include <QAccessible>
#include <QPainter>
#include <QScreen>
#include <QToolButton>
#include <algorithm>
#include <filesystem>

namespace netedit::testing {
namespace {

using Lines = std::vector<std::string>;

class MainWindow : public WindowTest {};

TEST_F(MainWindow, ControlsStandWhereTheyBelong) {
    DualListWindow& w = open();
    const double scale = w.screen()->logicalDotsPerInch() / 96.0;
    auto at = [scale](int left, int top, int width, int height) {
        auto px = [scale](int v) { return static_cast<int>(v * scale + 0.5); };
        return QRect(px(left), px(top), px(width), px(height));
    };
    for (const ControlRow& row : WindowControls) {
        EXPECT_EQ(w.widgetOf(row.control)->geometry(), at(row.left, row.top, row.width, row.height))
            << row.caption;
    }
    EXPECT_EQ(w.size(), at(0, 0, ClientWidth, ClientHeight).size());
    w.centreOnScreen(); // its frame, not its client area
    QApplication::processEvents();
    ASSERT_NE(w.frameGeometry(), w.geometry()) << "the platform draws no frame";
    EXPECT_NEAR(w.frameGeometry().center().x(), w.screen()->availableGeometry().center().x(), 1);
    EXPECT_NEAR(w.frameGeometry().center().y(), w.screen()->availableGeometry().center().y(), 1);
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Orbelin Netdata Editor"));
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    // The fonts and the pictures follow the same scale as everything else.
    EXPECT_EQ(w.font().pixelSize(), at(0, 0, 13, 0).width());
    for (QToolButton* flat : {w.IncludeBtn, w.IncAllBtn, w.ExcludeBtn, w.ExAllBtn}) {
        EXPECT_EQ(flat->focusPolicy(), Qt::NoFocus);
        EXPECT_EQ(flat->font().pixelSize(), at(0, 0, 20, 0).width());
        EXPECT_TRUE(flat->font().bold());
    }
    for (const auto& [button, size] : {std::pair{w.BitBtn1, 16}, {w.OKBtn, 18}, {w.BitBtn2, 18}}) {
        const QRect picture = button->pictureRect();
        EXPECT_EQ(QRect(picture.left(), 0, picture.width(), picture.height()), at(2, 0, size, size));
        const QImage drawn = button->grab().toImage().copy(picture);
        button->setIcon({});
        EXPECT_NE(button->grab().toImage().copy(picture), drawn) << "no picture drawn";
    }
}

// While a file dialog or a box is up the window is inactive; a button that the action disables
// must still give the focus to nobody, not to the next control of the tab order.
TEST_F(MainWindow, AButtonDisabledWhileTheWindowIsInactiveLeavesTheFocusNowhere) {
    enum class Action { OpenMissing, Open, Save };
    for (Action action : {Action::OpenMissing, Action::Open, Action::Save}) {
        SCOPED_TRACE(static_cast<int>(action));
        DualListWindow& w = open();
        const std::string sample = writeNetData("OBN.NET", {"[0]", "Name=A"});
        PictureButton* clicked = w.BitBtn1;
        dialogs.openAnswers.push_back(action == Action::OpenMissing ? dir.file("MISSING.NET") : sample);
        if (action == Action::Save) {
            w.BitBtn1->click();
            QTest::mouseClick(w.IncAllBtn, Qt::LeftButton);
            dialogs.askAnswers = {results::Yes};
            dialogs.saveAnswers.push_back(dir.file("NEW.NET"));
            clicked = w.OKBtn;
        }
        clicked->setFocus();
        QWidget dialogInFront;
        dialogInFront.show();
        dialogInFront.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialogInFront));
        clicked->click();
        ASSERT_FALSE(clicked->isEnabled());
        dialogInFront.close();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        for (QWidget* control : w.findChildren<QWidget*>()) {
            EXPECT_FALSE(control->hasFocus()) << control->metaObject()->className();
        }
    }
}

// Assistive technology reads what a sighted user sees: each control's role, text and state;
// a push button's hint is its description, a move button names its key, a list says that many
// of its entries may be chosen, and the window is read as a dialog.
TEST_F(MainWindow, AssistiveTechnologyReadsWhatTheUserSees) {
    WriteFileBytes(settingsPath, "SrcFile=/R&D/OBN.NET\r\nDstFile=/a&&b/NEW.NET\r\n");
    DualListWindow& w = open();
    load(writeNetData("OBN.NET", {"[0]", "Name=Alpha", "[1]", "Name=ベータ"}));
    w.SrcList->selectPositions({1});
    QString seen;
    for (QWidget* control :
         std::initializer_list<QWidget*>{&w, w.Label1, w.Label2, w.SrcList, w.IncludeBtn, w.ExAllBtn,
                                         w.BitBtn1, w.OKBtn, w.CancelBtn, w.CloseBtn, w.BitBtn2}) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(control);
        QAccessibleActionInterface* act = a->actionInterface();
        seen +=
            QStringLiteral("%1 %2 %3 %4%5%6|")
                .arg(a->role())
                .arg(a->text(QAccessible::Name), a->text(QAccessible::Description))
                .arg(a->state().disabled)
                .arg(a->state().multiSelectable)
                .arg(act != nullptr ? act->keyBindingsForAction(act->pressAction()).join(' ') : QString());
        for (int i = 0; control == w.SrcList && i < a->childCount(); ++i) {
            QAccessibleInterface* entry = a->child(i); // its name, selection, and row found where it stands
            const QPoint centre = entry->rect().center();
            seen += entry->text(QAccessible::Name) + QString::number(entry->state().selected) +
                    QString::number(a->indexOfChild(a->childAt(centre.x(), centre.y()))) + "|";
        }
    }
    EXPECT_EQ(
        seen.toStdString(),
        std::string(
            "18 Orbelin Netdata Editor  00|41 /RD/OBN.NET  00|"
            "41 /a&b/NEW.NET  00|33 既存データ： 選択したデータを上下に移す（Alt+↑、Alt+↓） 01|[  0] Alpha00|"
            "[  1] ベータ11|43 > 選択したデータを新データへ移す（Alt+→） 00Alt+Right|"
            "43 << すべてのデータを既存データへ戻す（Alt+Shift+←） 10Alt+Shift+Left|"
            "43 開く 既存ファイルを開く 10|43 OK データを保存する 10|"
            "43 ｷｬﾝｾﾙ 元に戻す 00|43 閉じる このウィンドゥを閉じる 00|"
            "43 ﾍﾙﾌﾟ  00|"));
    // The move button's action moves the selected entry: the list's last row is gone, not misread.
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(w.SrcList);
    QAccessibleInterface* last = list->child(1);
    QAccessible::queryAccessibleInterface(w.IncludeBtn)
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(w.DstList->entries(), std::vector<std::string>{EncodeCp932("[  1] ベータ")});
    EXPECT_TRUE(last->state().invalid && last->text(QAccessible::Name).isEmpty() &&
                list->child(1) == nullptr);
}

// The window forwards real keys and clicks to the dialog and does what it decides.
TEST_F(MainWindow, RealKeysAndClicksReachTheDialog) {
    DualListWindow& w = open();
    EXPECT_FALSE(w.OKBtn->isEnabled()); // the first paint ran the enabling rule
    EXPECT_EQ(QApplication::focusWidget(), &w);
    QTest::keyClick(&w, Qt::Key_Tab);
    QTest::keyClick(w.BitBtn1, Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), w.CancelBtn) << "past the disabled save button";
    QTest::keyClick(w.CancelBtn, Qt::Key_Escape);
    EXPECT_TRUE(w.isVisible()) << "Escape presses the revert button, never closes";
    QTest::keyClick(w.BitBtn2, Qt::Key_Space);
    EXPECT_EQ(dialogs.helpRequests.size(), 1U);
    dialogs.openAnswers.push_back(writeNetData("OBN.NET", {"[0]", "Name=A"}));
    w.setFocus();
    QTest::keyClick(&w, Qt::Key_Return);
    EXPECT_EQ(w.SrcList->entries(), std::vector<std::string>{"[  0] A"});
    EXPECT_FALSE(w.BitBtn1->isEnabled());
    QTest::mouseClick(w.CloseBtn, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(MainWindow, LabelsShowAmpersandAsAMnemonicMarker) {
    DualListWindow& w = open();
    auto shown = [&w](const char* text) {
        w.Label1->setText(QString::fromUtf8(text));
        return w.Label1->grab().toImage();
    };
    auto plain = [&w, &shown](const char* text) {
        QImage image = shown("");
        QPainter painter(&image);
        painter.setFont(w.Label1->font());
        painter.setPen(w.Label1->palette().color(QPalette::WindowText));
        painter.drawText(image.rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                         QString::fromUtf8(text));
        return image;
    };
    EXPECT_EQ(shown("A&&B"), plain("A&B")); // "&&" draws one "&"
    EXPECT_NE(shown("A&B"), plain("A&B"));  // a single "&" is not drawn...
    EXPECT_NE(shown("A&B"), shown("AB"));   // ...but underlines the B
}

TEST(ProgramSetup, HintsWakeUpAfterHalfASecondAndTheProgramHasItsIcon) {
    SetUpProgram(*qApp);
    EXPECT_EQ(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 500);
    EXPECT_FALSE(QApplication::windowIcon().isNull());
}

} // namespace
} // namespace netedit::testing
