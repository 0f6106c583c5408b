#include "app/dual_list_dlg.h"
#include "app/text_edge.h"
#include "app/window_fixture.h"
#include "runtime/messages.h"

#include <QPainter>
#include <QScreen>
#include <QToolButton>

namespace netedit::testing {
namespace {

using Lines = std::vector<std::string>;

class MainWindow : public WindowTest {};

TEST_F(MainWindow, StartsWithTheSaveAndTransferButtonsDisabledAndTheFocusNowhere) {
    TDualListDlg& w = open();
    EXPECT_FALSE(w.OKBtn->isEnabled());
    EXPECT_FALSE(w.IncludeBtn->isEnabled());
    EXPECT_FALSE(w.IncAllBtn->isEnabled());
    EXPECT_FALSE(w.ExcludeBtn->isEnabled());
    EXPECT_FALSE(w.ExAllBtn->isEnabled());
    EXPECT_TRUE(w.BitBtn1->isEnabled());
    EXPECT_TRUE(w.CancelBtn->isEnabled());
    EXPECT_TRUE(w.CloseBtn->isEnabled());
    EXPECT_TRUE(w.BitBtn2->isEnabled());
    for (QWidget* control : w.tabOrder()) {
        EXPECT_FALSE(control->hasFocus()) << control->metaObject()->className();
    }
    EXPECT_TRUE(w.Label1->text().isEmpty());
    EXPECT_TRUE(w.Label2->text().isEmpty());
}

TEST_F(MainWindow, ControlsStandWhereTheyBelongWithTheirCaptionsAndHints) {
    TDualListDlg& w = open();
    const double scale = w.screen()->logicalDotsPerInch() / 96.0;
    auto at = [scale](int left, int top, int width, int height) {
        auto px = [scale](int v) { return static_cast<int>(v * scale + 0.5); };
        return QRect(px(left), px(top), px(width), px(height));
    };
    const struct {
        QWidget* control;
        QRect geometry;
        QString caption;
        QString hint;
    } rows[] = {
        {w.SrcLabel, at(14, 14, 245, 27), QStringLiteral("既存データ："), {}},
        {w.DstLabel, at(325, 14, 245, 27), QStringLiteral("新データ："), {}},
        {w.Label1, at(18, 48, 243, 22), {}, {}},
        {w.Label2, at(325, 48, 244, 22), {}, {}},
        {w.SrcList, at(18, 81, 244, 313), {}, {}},
        {w.DstList, at(325, 81, 244, 313), {}, {}},
        {w.IncludeBtn, at(274, 94, 40, 41), QStringLiteral(">"), {}},
        {w.IncAllBtn, at(274, 148, 40, 41), QStringLiteral(">>"), {}},
        {w.ExcludeBtn, at(274, 202, 40, 41), QStringLiteral("<"), {}},
        {w.ExAllBtn, at(274, 257, 40, 40), QStringLiteral("<<"), {}},
        {w.BitBtn1, at(42, 412, 80, 32), QStringLiteral("開く"), QStringLiteral("既存ファイルを開く")},
        {w.OKBtn, at(149, 412, 80, 32), QStringLiteral("OK"), QStringLiteral("データを保存する")},
        {w.CancelBtn, at(255, 412, 80, 32), QStringLiteral("ｷｬﾝｾﾙ"), QStringLiteral("元に戻す")},
        {w.CloseBtn, at(362, 412, 80, 32), QStringLiteral("閉じる"),
         QStringLiteral("このウィンドゥを閉じる")},
        {w.BitBtn2, at(468, 412, 80, 32), QStringLiteral("ﾍﾙﾌﾟ"), {}},
    };
    for (const auto& row : rows) {
        const char* name = row.control->metaObject()->className();
        EXPECT_EQ(row.control->geometry(), row.geometry) << name;
        if (auto* label = qobject_cast<MnemonicLabel*>(row.control)) {
            EXPECT_EQ(label->text(), row.caption);
        } else if (auto* button = qobject_cast<QAbstractButton*>(row.control)) {
            EXPECT_EQ(button->text(), row.caption);
        }
        EXPECT_EQ(row.control->toolTip(), row.hint) << name;
    }
    EXPECT_EQ(w.size(), at(0, 0, 587, 461).size());
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Orbelin Netdata Editor"));
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    for (QToolButton* flat : {w.IncludeBtn, w.IncAllBtn, w.ExcludeBtn, w.ExAllBtn}) {
        EXPECT_EQ(flat->focusPolicy(), Qt::NoFocus);
    }
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

TEST_F(MainWindow, AFailedOpenReportsTheFullPathAndLeavesTheWindowEmpty) {
    TDualListDlg& w = open();
    const std::string missing = dir.file("MISSING.NET");
    load(missing);
    ASSERT_EQ(dialogs.failures.size(), 1U);
    EXPECT_EQ(dialogs.failures[0], Message(msg::CannotOpen, missing));
    EXPECT_EQ(w.SrcList->count(), 0U);
    EXPECT_FALSE(w.BitBtn1->isEnabled());
    EXPECT_EQ(w.sourceDirectory(), dir.file(""));
}

TEST_F(MainWindow, TooManySectionsLoadNothing) {
    TDualListDlg& w = open();
    std::vector<std::string> lines;
    for (int i = 0; i < 256; ++i) {
        lines.push_back("[" + std::to_string(i) + "]");
        lines.push_back("Name=n");
    }
    const std::string path = writeNetData("BIG.NET", lines);
    load(path);
    ASSERT_EQ(dialogs.failures.size(), 1U);
    EXPECT_EQ(dialogs.failures[0], Message(msg::TooManySections, path));
    EXPECT_EQ(w.SrcList->count(), 0U);
    EXPECT_TRUE(w.snapList().empty());
    EXPECT_FALSE(w.BitBtn1->isEnabled());
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
