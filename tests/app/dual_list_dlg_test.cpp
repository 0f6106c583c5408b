#include "app/dual_list_dlg.h"
#include "app/settings_file.h"
#include "app/text_edge.h"
#include "app/window_fixture.h"
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

TEST_F(MainWindow, StartsWithTheSaveAndTransferButtonsDisabledAndTheFocusNowhere) {
    TDualListDlg& w = open();
    // Every other control is enabled.
    const std::vector<QWidget*> disabled = {w.OKBtn, w.IncludeBtn, w.IncAllBtn, w.ExcludeBtn, w.ExAllBtn};
    for (QWidget* control : w.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        EXPECT_EQ(control->isEnabled(), std::ranges::find(disabled, control) == disabled.end())
            << control->metaObject()->className() << " at " << control->x();
    }
    for (QWidget* control : w.tabOrder()) {
        EXPECT_FALSE(control->hasFocus()) << control->metaObject()->className();
    }
    EXPECT_TRUE(w.Label1->text().isEmpty());
    EXPECT_TRUE(w.Label2->text().isEmpty());
}

TEST_F(MainWindow, ControlsStandWhereTheyBelong) {
    TDualListDlg& w = open();
    const double scale = w.screen()->logicalDotsPerInch() / 96.0;
    auto at = [scale](int left, int top, int width, int height) {
        auto px = [scale](int v) { return static_cast<int>(v * scale + 0.5); };
        return QRect(px(left), px(top), px(width), px(height));
    };
    const std::pair<QWidget*, QRect> rows[] = {
        {w.SrcLabel, at(14, 14, 245, 27)},    {w.DstLabel, at(325, 14, 245, 27)},
        {w.Label1, at(18, 48, 243, 22)},      {w.Label2, at(325, 48, 244, 22)},
        {w.SrcList, at(18, 81, 244, 313)},    {w.DstList, at(325, 81, 244, 313)},
        {w.IncludeBtn, at(274, 94, 40, 41)},  {w.IncAllBtn, at(274, 148, 40, 41)},
        {w.ExcludeBtn, at(274, 202, 40, 41)}, {w.ExAllBtn, at(274, 257, 40, 40)},
        {w.BitBtn1, at(42, 412, 80, 32)},     {w.OKBtn, at(149, 412, 80, 32)},
        {w.CancelBtn, at(255, 412, 80, 32)},  {w.CloseBtn, at(362, 412, 80, 32)},
        {w.BitBtn2, at(468, 412, 80, 32)},
    };
    for (const auto& [control, geometry] : rows) {
        EXPECT_EQ(control->geometry(), geometry) << control->metaObject()->className();
    }
    EXPECT_EQ(w.size(), at(0, 0, 587, 461).size());
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Orbelin Netdata Editor"));
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    // The flat buttons' font and the pictures follow the same scale as everything else.
    for (QToolButton* flat : {w.IncludeBtn, w.IncAllBtn, w.ExcludeBtn, w.ExAllBtn}) {
        EXPECT_EQ(flat->focusPolicy(), Qt::NoFocus);
        EXPECT_EQ(flat->font().pixelSize(), at(0, 0, 20, 0).width());
        EXPECT_TRUE(flat->font().bold());
    }
    for (const auto& [button, size] : {std::pair{w.BitBtn1, 16}, {w.OKBtn, 18}, {w.BitBtn2, 18}}) {
        const QRect picture = button->pictureRect();
        EXPECT_EQ(QRect(picture.left(), 0, picture.width(), picture.height()), at(2, 0, size, size));
    }
}

TEST(WindowPlacement, CentresTheOuterFrameOnTheAvailableArea) {
    const struct {
        QRect area;
        QSize outer;
        QPoint expected;
    } rows[] = {
        {{0, 0, 1280, 1024}, {595, 490}, {342, 267}},
        {{1920, 28, 1280, 996}, {595, 490}, {2262, 281}}, // a second screen below a panel
        {{0, 0, 1280, 1024}, {596, 491}, {342, 266}},     // halves round down
        {{100, 50, 500, 400}, {595, 490}, {100, 50}},     // larger than the area: its corner
    };
    for (const auto& row : rows) {
        EXPECT_EQ(CentredPosition(row.area, row.outer), row.expected) << row.area.x() << "," << row.area.y();
    }
}

TEST_F(MainWindow, CentresItsFrameNotItsClientArea) {
    TDualListDlg& w = open();
    w.centreOnScreen();
    QApplication::processEvents();
    const QRect area = w.screen()->availableGeometry();
    ASSERT_NE(w.frameGeometry(), w.geometry()) << "the platform draws no frame";
    EXPECT_NEAR(w.frameGeometry().center().x(), area.center().x(), 1);
    EXPECT_NEAR(w.frameGeometry().center().y(), area.center().y(), 1);
}

// While a file dialog or a box is up the window is inactive; a button that the action disables
// must still give the focus to nobody, not to the next control of the tab order.
TEST_F(MainWindow, AButtonDisabledWhileTheWindowIsInactiveLeavesTheFocusNowhere) {
    enum class Action { OpenMissing, Open, Save };
    for (Action action : {Action::OpenMissing, Action::Open, Action::Save}) {
        SCOPED_TRACE(static_cast<int>(action));
        TDualListDlg& w = open();
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
        for (QWidget* control : w.tabOrder()) {
            EXPECT_FALSE(control->hasFocus()) << control->metaObject()->className();
        }
    }
}

// Assistive technology reads what a sighted user sees: each control's role and text.
TEST_F(MainWindow, EveryControlShowsAssistiveTechnologyItsRoleAndText) {
    WriteFileBytes(settingsPath, "SrcFile=/R&D/OBN.NET\r\nDstFile=/a&&b/NEW.NET\r\n");
    TDualListDlg& w = open();
    load(writeNetData("OBN.NET", {"[0]", "Name=Alpha", "[1]", "Name=ベータ", "[2]", "Name=Gamma"}));
    w.SrcList->selectPositions({1});
    QTest::mouseClick(w.IncludeBtn, Qt::LeftButton);
    w.SrcList->selectPositions({1});
    const struct {
        QWidget* control;
        QAccessible::Role role;
        QString name;
        QString description;
    } rows[] = {
        {w.SrcLabel, QAccessible::StaticText, QStringLiteral("既存データ："), {}},
        {w.DstLabel, QAccessible::StaticText, QStringLiteral("新データ："), {}},
        {w.Label1, QAccessible::StaticText, QStringLiteral("/RD/OBN.NET"), {}}, // as drawn
        {w.Label2, QAccessible::StaticText, QStringLiteral("/a&b/NEW.NET"), {}},
        {w.SrcList, QAccessible::List, QStringLiteral("既存データ："), {}},
        {w.DstList, QAccessible::List, QStringLiteral("新データ："), {}},
        {w.IncludeBtn, QAccessible::Button, QStringLiteral(">"),
         QStringLiteral("選択したデータを新データへ移す")},
        {w.IncAllBtn, QAccessible::Button, QStringLiteral(">>"),
         QStringLiteral("すべてのデータを新データへ移す")},
        {w.ExcludeBtn, QAccessible::Button, QStringLiteral("<"),
         QStringLiteral("選択したデータを既存データへ戻す")},
        {w.ExAllBtn, QAccessible::Button, QStringLiteral("<<"),
         QStringLiteral("すべてのデータを既存データへ戻す")},
        {w.BitBtn1, QAccessible::Button, QStringLiteral("開く"), QStringLiteral("既存ファイルを開く")},
        {w.OKBtn, QAccessible::Button, QStringLiteral("OK"), QStringLiteral("データを保存する")},
        {w.CancelBtn, QAccessible::Button, QStringLiteral("ｷｬﾝｾﾙ"), QStringLiteral("元に戻す")},
        {w.CloseBtn, QAccessible::Button, QStringLiteral("閉じる"), QStringLiteral("このウィンドゥを閉じる")},
        {w.BitBtn2, QAccessible::Button, QStringLiteral("ﾍﾙﾌﾟ"), {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name.toStdString());
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(row.control);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->role(), row.role);
        EXPECT_EQ(control->text(QAccessible::Name), row.name);
        EXPECT_EQ(control->text(QAccessible::Description), row.description);
        EXPECT_EQ(control->state().disabled, !row.control->isEnabled());
    }
    // The lists' items, with their selection.
    const struct {
        EntryListBox* list;
        std::vector<std::pair<QString, bool>> items;
    } lists[] = {
        {w.SrcList, {{QStringLiteral("[  0] Alpha"), false}, {QStringLiteral("[  2] Gamma"), true}}},
        {w.DstList, {{QStringLiteral("[  1] ベータ"), false}}},
    };
    for (const auto& list : lists) {
        QAccessibleInterface* view = QAccessible::queryAccessibleInterface(list.list);
        ASSERT_EQ(view->childCount(), static_cast<int>(list.items.size()));
        for (int i = 0; i < view->childCount(); ++i) {
            QAccessibleInterface* item = view->child(i);
            EXPECT_EQ(item->role(), QAccessible::ListItem);
            EXPECT_EQ(item->text(QAccessible::Name), list.items[static_cast<std::size_t>(i)].first);
            EXPECT_EQ(item->state().selected, list.items[static_cast<std::size_t>(i)].second);
        }
    }
    // A path caption is read anew once the save has changed it.
    dialogs.askAnswers = {results::Yes};
    dialogs.saveAnswers.push_back(dir.file("NEW.NET"));
    w.OKBtn->click();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(w.Label2)->text(QAccessible::Name),
              ToQString(PathCaption(dir.file("NEW.NET"))));
}

TEST_F(MainWindow, TabWalksTheOrderSkippingDisabledControlsAndWraps) {
    TDualListDlg& w = open();
    // OKBtn is disabled before a load, so it is skipped.
    const std::vector<QWidget*> forward = {w.BitBtn1, w.CancelBtn, w.CloseBtn, w.SrcList,
                                           w.DstList, w.BitBtn2,   w.BitBtn1};
    for (QWidget* expected : forward) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), expected) << expected->metaObject()->className();
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), w.BitBtn2);
}

TEST_F(MainWindow, ArrowsOnAPushButtonMoveTheFocusLikeTab) {
    TDualListDlg& w = open();
    w.CancelBtn->setFocus();
    const struct {
        Qt::Key key;
        QWidget* expected;
    } rows[] = {
        {Qt::Key_Right, w.CloseBtn},
        {Qt::Key_Down, w.SrcList},
    };
    for (const auto& row : rows) {
        QTest::keyClick(QApplication::focusWidget(), row.key);
        EXPECT_EQ(QApplication::focusWidget(), row.expected);
    }
    w.CancelBtn->setFocus();
    QTest::keyClick(w.CancelBtn, Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), w.BitBtn1); // OKBtn is disabled
    QTest::keyClick(w.BitBtn1, Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), w.BitBtn2); // wraps
}

TEST_F(MainWindow, EnterBeforeAnyClickOpensTheFileDialogAndEscapeChangesNothing) {
    TDualListDlg& w = open();
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(dialogs.openRequests.empty());
    QTest::keyClick(&w, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_TRUE(dialogs.openRequests.empty());
    QTest::keyClick(&w, Qt::Key_Return);
    EXPECT_EQ(dialogs.openRequests.size(), 1U);
}

TEST_F(MainWindow, SpaceAndEnterPressTheFocusedButton) {
    TDualListDlg& w = open();
    w.BitBtn2->setFocus();
    QTest::keyClick(w.BitBtn2, Qt::Key_Space);
    QTest::keyClick(w.BitBtn2, Qt::Key_Return);
    EXPECT_EQ(dialogs.helpRequests.size(), 2U);
    EXPECT_TRUE(dialogs.openRequests.empty());
}

TEST_F(MainWindow, EnterOnTheCloseButtonClosesTheWindow) {
    TDualListDlg& w = open();
    w.CloseBtn->setFocus();
    QTest::keyClick(w.CloseBtn, Qt::Key_Return);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(MainWindow, LoadingFillsTheLeftListAndTheSnapshotAndDisablesOpening) {
    TDualListDlg& w = open();
    load(writeNetData("OBN.NET", {"; saved list", "[0]", "Name=Alpha", "Tel=0123", "[5]", "Tel=0456", "[x]",
                                  "Name=ベータ表", "name=Gamma", "Name=Delta"}));
    const Lines expected = Cp932({"[  0] Alpha", "[  2] ベータ表", "[  2] Delta"});
    EXPECT_EQ(w.SrcList->entries(), expected);
    EXPECT_EQ(w.snapList(), expected);
    EXPECT_EQ(w.SrcList->model()->data(w.SrcList->model()->index(1, 0)).toString(),
              QStringLiteral("[  2] ベータ表"));
    EXPECT_FALSE(w.BitBtn1->isEnabled());
    EXPECT_TRUE(w.IncludeBtn->isEnabled());
    EXPECT_TRUE(w.IncAllBtn->isEnabled());
    EXPECT_FALSE(w.OKBtn->isEnabled());
    EXPECT_EQ(w.sourceDirectory(), dir.file(""));
    EXPECT_EQ(w.sectionTable().count(), 3);
    EXPECT_TRUE(dialogs.failures.empty());
}

// A file that cannot be opened or holds too many sections loads nothing, and the open
// button stays spent; the settings are not written.
TEST_F(MainWindow, AFailedOpenReportsItAndLeavesTheWindowEmpty) {
    std::vector<std::string> tooMany;
    for (int i = 0; i < 256; ++i) {
        tooMany.push_back("[" + std::to_string(i) + "]");
        tooMany.push_back("Name=n");
    }
    const std::string missing = dir.file("MISSING.NET");
    const std::string big = writeNetData("BIG.NET", tooMany);
    const std::pair<std::string, std::string> rows[] = {
        {missing, Message(msg::CannotOpen, missing)},
        {big, Message(msg::TooManySections, big)},
    };
    for (const auto& [path, message] : rows) {
        dialogs.failures.clear();
        TDualListDlg& w = open();
        load(path);
        EXPECT_EQ(dialogs.failures, std::vector<std::string>{message});
        EXPECT_EQ(w.SrcList->count(), 0U);
        EXPECT_TRUE(w.snapList().empty());
        EXPECT_FALSE(w.BitBtn1->isEnabled());
        EXPECT_EQ(w.sourceDirectory(), dir.file(""));
        EXPECT_FALSE(std::filesystem::exists(settingsPath));
    }
}

TEST_F(MainWindow, CancellingTheOpenDialogKeepsOpeningPossible) {
    TDualListDlg& w = open();
    dialogs.openAnswers.push_back(std::nullopt);
    w.BitBtn1->click();
    EXPECT_TRUE(w.BitBtn1->isEnabled());
    load(writeNetData("OBN.NET", {"[0]", "Name=A"}));
    EXPECT_EQ(w.SrcList->count(), 1U);
}

TEST_F(MainWindow, HelpAsksForTheHelpFileBesideTheProgram) {
    TDualListDlg& w = open();
    w.BitBtn2->click();
    ASSERT_EQ(dialogs.helpRequests.size(), 1U);
    EXPECT_TRUE(dialogs.helpRequests[0].ends_with(".HLP"));
}

TEST_F(MainWindow, LabelsShowAmpersandAsAMnemonicMarker) {
    TDualListDlg& w = open();
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

} // namespace
} // namespace netedit::testing
