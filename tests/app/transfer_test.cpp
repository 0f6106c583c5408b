#include "app/dual_list_window.h"
#include "app/window_fixture.h"

#include <QSignalSpy>
#include <QToolButton>
#include <functional>

namespace netedit::testing {
namespace {

using Entries = std::vector<std::string>;

// Counts the paint events of one widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }
};

class Transfer : public WindowTest {
protected:
    // Opens the window and loads one section per name; entry i reads "[  i] name".
    DualListWindow& openWith(const std::vector<std::string>& names) {
        DualListWindow& w = open();
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < names.size(); ++i) {
            lines.push_back("[" + std::to_string(i) + "]");
            lines.push_back("Name=" + names[i]);
        }
        load(writeNetData("OBN.NET", lines));
        return w;
    }

    // The names of a list's entries, without the section numbers.
    static Entries names(const EntryListBox* list) {
        Entries out;
        for (const std::string& entry : list->entries()) {
            out.push_back(entry.substr(6));
        }
        return out;
    }

    static void clickRow(EntryListBox* list, int row, Qt::KeyboardModifiers modifiers = {}) {
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, rect.center());
    }

    static void press(QToolButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // save, >, >>, <, <<
    static std::vector<bool> enabled(const DualListWindow& w) {
        return {w.OKBtn->isEnabled(), w.IncludeBtn->isEnabled(), w.IncAllBtn->isEnabled(),
                w.ExcludeBtn->isEnabled(), w.ExAllBtn->isEnabled()};
    }
};

TEST_F(Transfer, ButtonsListsAndFocusFollowEachMove) {
    DualListWindow& w = openWith({"A", "B", "C", "D", "E"});
    const std::vector<bool> leftOnly = {false, true, true, false, false};
    const std::vector<bool> both = {true, true, true, true, true};
    const std::vector<bool> rightOnly = {true, false, false, true, true};
    const struct {
        const char* step;
        std::function<void()> act;
        Entries left, right;
        std::vector<bool> enabled;
        QWidget* focus;
    } steps[] = {
        // clang-format off
        {"loaded", [] {}, {"A", "B", "C", "D", "E"}, {}, leftOnly, nullptr},
        {"Ctrl-click out of order, then >", [&] { clickRow(w.SrcList, 3); clickRow(w.SrcList, 1, Qt::ControlModifier); press(w.IncludeBtn); }, {"A", "C", "E"}, {"B", "D"}, both, w.SrcList},
        {">>", [&] { press(w.IncAllBtn); }, {}, {"B", "D", "A", "C", "E"}, rightOnly, w.SrcList},
        {"click on the right, then <", [&] { clickRow(w.DstList, 1); press(w.ExcludeBtn); }, {"D"}, {"B", "A", "C", "E"}, both, w.DstList},
        {"Shift-click a range, then <", [&] { clickRow(w.DstList, 0); clickRow(w.DstList, 2, Qt::ShiftModifier); press(w.ExcludeBtn); }, {"D", "B", "A", "C"}, {"E"}, both, w.DstList},
        // The emptied right list takes the focus.
        {"<< from the left list", [&] { w.SrcList->setFocus(); press(w.ExAllBtn); }, {"D", "B", "A", "C", "E"}, {}, leftOnly, w.DstList},
        // clang-format on
    };
    for (const auto& step : steps) {
        step.act();
        EXPECT_EQ(names(w.SrcList), step.left) << step.step;
        EXPECT_EQ(names(w.DstList), step.right) << step.step;
        EXPECT_EQ(enabled(w), step.enabled) << step.step;
        EXPECT_TRUE(w.SrcList->selectedPositions().empty()) << step.step;
        EXPECT_TRUE(w.DstList->selectedPositions().empty()) << step.step;
        if (step.focus != nullptr) {
            EXPECT_EQ(QApplication::focusWidget(), step.focus) << step.step;
        }
    }
}

TEST_F(Transfer, DoubleClickMovesNothing) {
    DualListWindow& w = openWith({"A", "B"});
    const QRect rect = w.SrcList->visualRect(w.SrcList->model()->index(1, 0));
    QTest::mouseDClick(w.SrcList->viewport(), Qt::LeftButton, {}, rect.center());
    QApplication::processEvents();
    EXPECT_EQ(names(w.SrcList), (Entries{"A", "B"}));
    EXPECT_TRUE(w.DstList->entries().empty());
    EXPECT_EQ(w.SrcList->selectedPositions(), (std::vector<std::size_t>{1}));
}

TEST_F(Transfer, ASelectionChangeByTheUserReappliesTheRule) {
    DualListWindow& w = openWith({"A", "B", "C"});
    clickRow(w.SrcList, 0);
    press(w.IncludeBtn);
    w.OKBtn->setEnabled(false); // as a completed save leaves it
    clickRow(w.DstList, 0);
    EXPECT_TRUE(w.OKBtn->isEnabled());
}

TEST_F(Transfer, OnlyTheUserChangesCountAsSelectionChanges) {
    DualListWindow& w = openWith({"A", "B", "C"});
    QSignalSpy left(w.SrcList, &EntryListBox::selectionChangedByUser);
    QSignalSpy right(w.DstList, &EntryListBox::selectionChangedByUser);
    clickRow(w.SrcList, 0);
    EXPECT_EQ(left.count(), 1);
    left.clear();
    press(w.IncludeBtn);  // clears the selection of the moved entry
    press(w.IncAllBtn);   // selects nothing in the emptied list
    w.CancelBtn->click(); // empties the right list
    EXPECT_EQ(left.count(), 0);
    EXPECT_EQ(right.count(), 0);
}

TEST_F(Transfer, ButtonsThatKeepTheirStateCauseNoRepaint) {
    DualListWindow& w = openWith({"A", "B"});
    QTest::qWait(50);
    PaintCounter counter(&w);
    for (int i = 0; i < 5; ++i) {
        w.dialog().SetButtons();
    }
    QTest::qWait(100);
    EXPECT_EQ(counter.paints, 0) << "SetButtons with nothing to change";

    w.update(); // a paint runs SetButtons; it must not ask for another paint
    QTest::qWait(200);
    EXPECT_GE(counter.paints, 1);
    EXPECT_LE(counter.paints, 2);
}

} // namespace
} // namespace netedit::testing
