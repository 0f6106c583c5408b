#include "app/dual_list_dlg.h"
#include "app/ui_texts.h"
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
    TDualListDlg& openWith(const std::vector<std::string>& names) {
        TDualListDlg& w = open();
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
    static std::vector<bool> enabled(const TDualListDlg& w) {
        return {w.OKBtn->isEnabled(), w.IncludeBtn->isEnabled(), w.IncAllBtn->isEnabled(),
                w.ExcludeBtn->isEnabled(), w.ExAllBtn->isEnabled()};
    }
};

TEST_F(Transfer, ButtonsListsAndFocusFollowEachMove) {
    TDualListDlg& w = openWith({"A", "B", "C", "D", "E"});
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
        {"loaded", [] {}, {"A", "B", "C", "D", "E"}, {}, leftOnly, nullptr},
        {"Ctrl-click out of order, then >",
         [&] {
             clickRow(w.SrcList, 3);
             clickRow(w.SrcList, 1, Qt::ControlModifier);
             press(w.IncludeBtn);
         },
         {"A", "C", "E"},
         {"B", "D"},
         both,
         w.SrcList},
        {">>", [&] { press(w.IncAllBtn); }, {}, {"B", "D", "A", "C", "E"}, rightOnly, w.SrcList},
        {"<<",
         [&] {
             w.SrcList->setFocus();
             press(w.ExAllBtn);
         },
         {"B", "D", "A", "C", "E"},
         {},
         leftOnly,
         w.DstList},
        {"Shift-click a range, then >",
         [&] {
             clickRow(w.SrcList, 1);
             clickRow(w.SrcList, 3, Qt::ShiftModifier);
             press(w.IncludeBtn);
         },
         {"B", "E"},
         {"D", "A", "C"},
         both,
         w.SrcList},
        {"click on the right, then <",
         [&] {
             clickRow(w.DstList, 1);
             press(w.ExcludeBtn);
         },
         {"B", "E", "A"},
         {"D", "C"},
         both,
         w.DstList},
        {"> with nothing selected",
         [&] { press(w.IncludeBtn); },
         {"B", "E", "A"},
         {"D", "C"},
         both,
         w.DstList},
        {"every entry one by one to the right",
         [&] {
             clickRow(w.SrcList, 0);
             clickRow(w.SrcList, 2, Qt::ShiftModifier);
             press(w.IncludeBtn);
         },
         {},
         {"D", "C", "B", "E", "A"},
         rightOnly,
         w.SrcList},
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
    TDualListDlg& w = openWith({"A", "B"});
    const QRect rect = w.SrcList->visualRect(w.SrcList->model()->index(1, 0));
    QTest::mouseDClick(w.SrcList->viewport(), Qt::LeftButton, {}, rect.center());
    QApplication::processEvents();
    EXPECT_EQ(names(w.SrcList), (Entries{"A", "B"}));
    EXPECT_TRUE(w.DstList->entries().empty());
    EXPECT_EQ(w.SrcList->selectedPositions(), (std::vector<std::size_t>{1}));
}

TEST_F(Transfer, EscapeRestoresTheLeftListWhereverTheFocusIs) {
    for (const bool focusRight : {false, true}) {
        TDualListDlg& w = openWith({"A", "B", "C", "D"});
        clickRow(w.SrcList, 1);
        clickRow(w.SrcList, 3, Qt::ControlModifier);
        press(w.IncludeBtn);
        EntryListBox* focused = focusRight ? w.DstList : w.SrcList;
        focused->setFocus();
        QTest::keyClick(focused, Qt::Key_Escape);
        EXPECT_EQ(names(w.SrcList), (Entries{"A", "B", "C", "D"})) << focusRight;
        EXPECT_TRUE(w.DstList->entries().empty()) << focusRight;
        EXPECT_EQ(enabled(w), (std::vector<bool>{false, true, true, false, false})) << focusRight;
        EXPECT_EQ(QApplication::focusWidget(), focused) << "the restore leaves the focus alone";
        EXPECT_TRUE(w.isVisible());
    }
}

TEST_F(Transfer, EnterInAListWithEntriesOnTheRightStartsTheSave) {
    TDualListDlg& w = openWith({"A", "B"});
    press(w.IncAllBtn);
    for (EntryListBox* list : {w.SrcList, w.DstList}) {
        dialogs.questions.clear();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        ASSERT_FALSE(dialogs.questions.empty()) << "Enter in the " << (list == w.SrcList ? "left" : "right");
        EXPECT_EQ(dialogs.questions.front().text, ui::SaveQuestion);
    }
    EXPECT_TRUE(dialogs.openRequests.size() == 1U) << "the open button is spent after the load";
}

TEST_F(Transfer, ASelectionChangeByTheUserReappliesTheRule) {
    TDualListDlg& w = openWith({"A", "B", "C"});
    clickRow(w.SrcList, 0);
    press(w.IncludeBtn);
    const struct {
        const char* how;
        std::function<void()> act;
    } rows[] = {
        {"click on the left", [&] { clickRow(w.SrcList, 1); }},
        {"click on the right", [&] { clickRow(w.DstList, 0); }},
        {"arrow on the left",
         [&] {
             w.SrcList->setFocus();
             QTest::keyClick(w.SrcList, Qt::Key_Up);
         }},
    };
    for (const auto& row : rows) {
        w.OKBtn->setEnabled(false); // as a completed save leaves it
        row.act();
        EXPECT_TRUE(w.OKBtn->isEnabled()) << row.how;
    }
}

TEST_F(Transfer, OnlyTheUserChangesCountAsSelectionChanges) {
    TDualListDlg& w = openWith({"A", "B", "C"});
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
    TDualListDlg& w = openWith({"A", "B"});
    QTest::qWait(50);
    PaintCounter counter(&w);
    for (int i = 0; i < 5; ++i) {
        w.SetButtons();
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
