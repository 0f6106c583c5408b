#include "app/dual_list_window.h"
#include "app/window_fixture.h"

#include <QMimeData>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QToolButton>

namespace netedit::testing {
namespace {

using Entries = std::vector<std::string>;

class Transfer : public WindowTest {
protected:
    // Opens the window and loads one section with an entry of each name.
    DualListWindow& openWith(const std::vector<std::string>& names) {
        DualListWindow& w = open();
        std::vector<std::string> lines{"[0]"};
        for (const std::string& name : names) {
            lines.push_back("Name=" + name);
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

// The moves themselves are the core's; here real clicks must reach them and the lists follow.
TEST_F(Transfer, RealClicksSelectMoveAndFocusAsTheUserExpects) {
    DualListWindow& w = openWith({"A", "B", "C", "D", "E"});
    QSignalSpy userChanges(w.SrcList, &EntryListBox::selectionChangedByUser);
    clickRow(w.SrcList, 3);
    clickRow(w.SrcList, 1, Qt::ControlModifier);
    EXPECT_EQ(userChanges.count(), 2);
    press(w.IncludeBtn);
    EXPECT_EQ(names(w.SrcList), (Entries{"A", "C", "E"}));
    EXPECT_EQ(names(w.DstList), (Entries{"B", "D"}));
    EXPECT_EQ(enabled(w), std::vector<bool>(5, true));
    clickRow(w.DstList, 0);
    clickRow(w.DstList, 1, Qt::ShiftModifier);
    press(w.ExcludeBtn);
    EXPECT_EQ(names(w.SrcList), (Entries{"A", "C", "E", "B", "D"}));
    press(w.IncAllBtn);
    EXPECT_EQ(QApplication::focusWidget(), w.SrcList) << "the emptied list takes the focus";
    EXPECT_EQ(enabled(w), (std::vector<bool>{true, false, false, true, true}));
    userChanges.clear();
    w.OKBtn->setEnabled(false); // as a completed save leaves it
    clickRow(w.DstList, 0);
    EXPECT_TRUE(w.OKBtn->isEnabled()) << "a click reapplies the enabling rule";
    w.CancelBtn->click();
    EXPECT_EQ(userChanges.count(), 0) << "only the user's changes count";
}

// The window carries a drag that a list began: the line over the row's upper or lower half, "no
// drop" outside the lists, and a release there or Escape leaves everything as it was.
TEST_F(Transfer, ADragShowsWhereTheEntriesLandAndOnlyADropInAListMovesThem) {
    DualListWindow& w = openWith({"A", "B", "C"});
    clickRow(w.SrcList, 0);
    press(w.IncludeBtn);
    clickRow(w.SrcList, 1); // C
    const QRect a = w.DstList->visualRect(w.DstList->model()->index(0, 0));
    const auto moveTo = [&w](QPoint global) {
        QMouseEvent move(QEvent::MouseMove, w.mapFromGlobal(global), global, Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&w, &move);
    };
    const auto releaseAt = [&w](QPoint global) {
        QMouseEvent release(QEvent::MouseButtonRelease, w.mapFromGlobal(global), global, Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &release);
    };
    const QPoint upper = w.DstList->viewport()->mapToGlobal(QPoint(5, a.top() + 1));
    const QPoint lower = w.DstList->viewport()->mapToGlobal(QPoint(5, a.bottom() - 1));
    const QPoint outside = w.IncludeBtn->mapToGlobal(QPoint(2, 2));
    for (const bool escape : {true, false}) {
        emit w.SrcList->dragStarted();
        moveTo(upper);
        EXPECT_TRUE(w.DstList->dropLine().isVisible());
        EXPECT_EQ(w.DstList->dropLine().y(), std::max(0, a.top() - DropLineThickness / 2));
        moveTo(lower);
        EXPECT_EQ(w.DstList->dropLine().y(), a.top() + a.height() - DropLineThickness / 2);
        moveTo(outside);
        EXPECT_FALSE(w.DstList->dropLine().isVisible());
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
        if (escape) {
            QTest::keyClick(&w, Qt::Key_Escape); // cancels the drag, not the choice
        } else {
            releaseAt(outside);
        }
        EXPECT_FALSE(w.dragging());
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(names(w.SrcList), (Entries{"B", "C"}));
        EXPECT_EQ(names(w.DstList), Entries{"A"});
    }
    emit w.SrcList->dragStarted();
    moveTo(lower);
    releaseAt(lower);
    EXPECT_EQ(names(w.SrcList), Entries{"B"});
    EXPECT_EQ(names(w.DstList), (Entries{"A", "C"}));
    EXPECT_FALSE(w.DstList->dropLine().isVisible());
}

// Alt+Up moves the chosen entry a row up; it stays the current one.
TEST_F(Transfer, AltUpMovesTheChosenEntryAndItStaysCurrent) {
    DualListWindow& w = openWith({"A", "B", "C"});
    clickRow(w.SrcList, 2);
    QTest::keyClick(w.SrcList, Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(names(w.SrcList), (Entries{"A", "C", "B"}));
    EXPECT_EQ(w.SrcList->currentIndex().row(), 1);
}

// A file dropped from the file manager opens as the open dialog's choice would; two files do not.
TEST_F(Transfer, AFileDroppedOnTheWindowOpensIt) {
    DualListWindow& w = open();
    const auto drop = [&w](const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        static_cast<QObject&>(w).event(
            &event); // straight in: the toolkit sends drops to a drag's target only
    };
    const QUrl file = QUrl::fromLocalFile(QString::fromStdString(writeNetData("OBN.NET", {"[0]", "Name=A"})));
    drop({file, file});
    EXPECT_EQ(w.SrcList->count(), 0);
    drop({file});
    EXPECT_EQ(names(w.SrcList), Entries{"A"});
}

// Many scattered entries leave the list in one pass instead of one removal each.
TEST(EntryListBoxRemoval, KeepsTheEntriesBetweenManyScatteredOnes) {
    EntryListBox list;
    Entries entries, kept;
    std::vector<std::size_t> odd;
    for (std::size_t i = 0; i < 50; ++i) {
        entries.insert(entries.end(), {std::to_string(2 * i), "odd"});
        kept.push_back(std::to_string(2 * i));
        odd.push_back(2 * i + 1);
    }
    list.append(std::move(entries));
    list.removeAt(odd);
    EXPECT_EQ(list.entries(), kept);
}

} // namespace
} // namespace netedit::testing
