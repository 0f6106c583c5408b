#include "app/program_setup.h"
#include "app/window_fixture.h"

#include <QHelpEvent>
#include <QToolButton>
#include <QToolTip>

namespace netedit::testing {
namespace {

class Hints : public WindowTest {};

// A hint shows over its control, and only the four buttons that have one show any.
TEST_F(Hints, OnlyTheFourButtonsWithAHintShowOne) {
    DualListWindow& w = open();
    const struct {
        QWidget* control;
        QString hint;
    } rows[] = {
        {w.BitBtn1, QStringLiteral("既存ファイルを開く")},
        {w.OKBtn, QStringLiteral("データを保存する")},
        {w.CancelBtn, QStringLiteral("元に戻す")},
        {w.CloseBtn, QStringLiteral("このウィンドゥを閉じる")},
        {w.BitBtn2, {}},
        {w.IncludeBtn, {}},
        {w.SrcList, {}},
    };
    for (const auto& row : rows) {
        QToolTip::hideText();
        ASSERT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
        QHelpEvent event(QEvent::ToolTip, QPoint(5, 5), row.control->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(row.control, &event);
        const bool shown = QTest::qWaitFor([] { return QToolTip::isVisible(); }, 200);
        EXPECT_EQ(shown, !row.hint.isEmpty()) << row.control->metaObject()->className();
        if (shown) {
            EXPECT_EQ(QToolTip::text(), row.hint);
        }
    }
    QToolTip::hideText();
}

TEST(ProgramSetup, HintsWakeUpAfterHalfASecond) {
    SetUpProgram(*qApp);
    EXPECT_EQ(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 500);
    EXPECT_FALSE(QApplication::windowIcon().isNull());
}

} // namespace
} // namespace netedit::testing
