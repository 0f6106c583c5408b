#include "support/vector_entry_list.h"
#include "transfer/moves.h"

#include <climits>
#include <gtest/gtest.h>
#include <new>

namespace netedit {
namespace {

using testing::VectorEntryList;
using Entries = std::vector<std::string>;
using Positions = std::vector<std::size_t>;

// MoveSelected appends the selection in position order and leaves the rest in place; MoveAll
// appends everything and gives the emptied list the focus. Arrivals come unselected.
TEST(Moves, AppendInPositionOrderAndKeepTheRest) {
    const struct {
        const char* what;
        bool all;
        Entries from;
        Positions selected; // in the order of the user's clicks
        Entries to, expectedFrom, expectedTo;
    } rows[] = {
        // clang-format off
        {"into a list with entries", false, {"A", "B", "C", "D", "E"}, {3, 1}, {"X"}, {"A", "C", "E"}, {"X", "B", "D"}},
        {"nothing selected", false, {"A", "B", "C"}, {}, {"X"}, {"A", "B", "C"}, {"X"}},
        {"runs and gaps", false, {"P", "Q", "R", "S", "T", "U"}, {0, 1, 3, 5}, {"A"}, {"R", "T"}, {"A", "P", "Q", "S", "U"}},
        // Two entries of one section may share a name and so a text: position decides, not text.
        {"equal texts move by position", false, {"[  1] N", "[  1] N", "[  2] M"}, {1}, {}, {"[  1] N", "[  2] M"}, {"[  1] N"}},
        {"from an empty list", false, {}, {}, {"X"}, {}, {"X"}},
        {"all, whatever the selection", true, {"A", "B", "C"}, {1}, {"X"}, {}, {"X", "A", "B", "C"}},
        {"all of nothing", true, {}, {}, {"X"}, {}, {"X"}},
        // clang-format on
    };
    for (const auto& row : rows) {
        VectorEntryList from(row.from);
        VectorEntryList to(row.to);
        from.select(row.selected);
        (row.all ? MoveAll : MoveSelected)(from, to);
        EXPECT_EQ(from.entries(), row.expectedFrom) << row.what;
        EXPECT_EQ(to.entries(), row.expectedTo) << row.what;
        EXPECT_TRUE(to.selectedPositions().empty()) << row.what;
        EXPECT_TRUE(from.selectedPositions().empty()) << row.what << ": only selected entries left";
        EXPECT_EQ(std::make_pair(from.focusCount, to.focusCount), std::make_pair(row.all ? 1 : 0, 0))
            << row.what;
    }
}

// Entries moved to a row of the other list land there in their order, unselected; what the
// destination had selected stays selected with its entries.
TEST(MoveEntries, LandAtTheRowInTheirOrder) {
    const struct {
        const char* what;
        Positions moving;
        std::size_t row;
        Entries expectedFrom, expectedTo;
        Positions expectedSelectedTo;
    } rows[] = {
        // clang-format off
        {"before the first", {1, 3}, 0, {"A", "C", "E"}, {"B", "D", "X", "Y", "Z"}, {3}},
        {"in the middle", {1, 3}, 2, {"A", "C", "E"}, {"X", "Y", "B", "D", "Z"}, {1}},
        {"after the last", {0, 1, 2}, 3, {"D", "E"}, {"X", "Y", "Z", "A", "B", "C"}, {1}},
        {"past the end", {4}, 99, {"A", "B", "C", "D"}, {"X", "Y", "Z", "E"}, {1}},
        {"nothing", {}, 1, {"A", "B", "C", "D", "E"}, {"X", "Y", "Z"}, {1}},
        // clang-format on
    };
    for (const auto& row : rows) {
        VectorEntryList from({"A", "B", "C", "D", "E"});
        VectorEntryList to({"X", "Y", "Z"});
        to.select({1});
        MoveEntries(from, row.moving, to, row.row);
        EXPECT_EQ(from.entries(), row.expectedFrom) << row.what;
        EXPECT_EQ(to.entries(), row.expectedTo) << row.what;
        EXPECT_EQ(to.selectedPositions(), row.expectedSelectedTo) << row.what;
    }
    VectorEntryList from({"A", "B"});
    VectorEntryList empty;
    MoveEntries(from, {1}, empty, 0);
    EXPECT_EQ(empty.entries(), (Entries{"B"})) << "into an empty list";
}

// Moving within a list: the chosen entries, their order kept, go before a row or one step up or
// down, and stay chosen; a move that changes nothing leaves the list untouched.
TEST(MoveWithin, PutsTheChosenEntriesWhereAsked) {
    constexpr int Up = -1;
    constexpr int Down = 1;
    constexpr int ToRow = 0;
    const struct {
        const char* what;
        Positions chosen;
        int step;
        std::size_t row;
        Entries expected; // of A, B, C, D, E
    } rows[] = {
        // clang-format off
        {"contiguous to the top", {2, 3}, ToRow, 0, {"C", "D", "A", "B", "E"}},
        {"scattered gathered at a row", {0, 2, 4}, ToRow, 2, {"B", "A", "C", "E", "D"}},
        {"to the end", {0, 2}, ToRow, 5, {"B", "D", "E", "A", "C"}},
        {"onto itself, upper half", {1, 2}, ToRow, 1, {"A", "B", "C", "D", "E"}},
        {"onto itself, between", {1, 2}, ToRow, 2, {"A", "B", "C", "D", "E"}},
        {"onto itself, lower half", {1, 2}, ToRow, 3, {"A", "B", "C", "D", "E"}},
        {"up, scattered", {1, 3}, Up, 0, {"B", "A", "D", "C", "E"}},
        {"up, a run passes one", {2, 3}, Up, 0, {"A", "C", "D", "B", "E"}},
        {"up, at the edge stays", {0, 1, 3}, Up, 0, {"A", "B", "D", "C", "E"}},
        {"down, scattered", {0, 2}, Down, 0, {"B", "A", "D", "C", "E"}},
        {"down, at the edge stays", {1, 3, 4}, Down, 0, {"A", "C", "B", "D", "E"}},
        {"down, all chosen", {0, 1, 2, 3, 4}, Down, 0, {"A", "B", "C", "D", "E"}},
        {"nothing chosen", {}, Up, 0, {"A", "B", "C", "D", "E"}},
        // clang-format on
    };
    const Entries start{"A", "B", "C", "D", "E"};
    for (const auto& row : rows) {
        VectorEntryList list(start);
        list.select(row.chosen);
        const bool moved =
            row.step == ToRow ? MoveSelectedWithin(list, row.row) : StepSelected(list, row.step);
        EXPECT_EQ(list.entries(), row.expected) << row.what;
        EXPECT_EQ(moved, row.expected != start) << row.what;
        EXPECT_EQ(list.reorderCount, moved ? 1 : 0) << row.what;
        Entries chosenAfter;
        for (std::size_t position : list.selectedPositions()) {
            chosenAfter.push_back(list.entries()[position]);
        }
        Entries chosenBefore;
        for (std::size_t position : row.chosen) {
            chosenBefore.push_back(start[position]);
        }
        EXPECT_EQ(chosenAfter, chosenBefore) << row.what << ": still chosen, in their order";
    }
    VectorEntryList empty;
    EXPECT_FALSE(StepSelected(empty, Up));
    EXPECT_FALSE(MoveSelectedWithin(empty, 0));
}

TEST(SetItem, ClampsTheIndexSelectsWithoutClearingAndFocuses) {
    const struct {
        Entries entries;
        Positions before;
        int index;
        Positions expected;
    } rows[] = {
        {{"A", "B", "C"}, {}, -1, {0}},      {{"A", "B", "C"}, {}, 2, {2}},     {{"A", "B", "C"}, {}, 3, {2}},
        {{"A", "B", "C"}, {}, INT_MAX, {2}}, {{"A", "B", "C"}, {0}, 2, {0, 2}}, {{}, {}, 0, {}},
    };
    for (const auto& row : rows) {
        VectorEntryList list(row.entries);
        list.select(row.before);
        SetItem(list, row.index);
        EXPECT_EQ(list.selectedPositions(), row.expected) << "index " << row.index;
        EXPECT_EQ(list.focusCount, 1);
        EXPECT_EQ(list.entries(), row.entries);
    }
}

TEST(EnablingRule, FollowsTheCountsOfTheListsOnly) {
    const struct {
        std::size_t source, destination;
        ButtonStates expected; // save, >, >>, <, <<
    } rows[] = {
        {0, 0, {false, false, false, false, false}},
        {1, 0, {false, true, true, false, false}},
        {0, 1, {true, false, false, true, true}},
        {5, 2, {true, true, true, true, true}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(EnablingRule(row.source, row.destination), row.expected)
            << row.source << " left, " << row.destination << " right";
    }
}

TEST(RestoreSource, RebuildsTheLeftOnlyWhileTheRightHoldsEntries) {
    const Entries snapshot{"A", "B", "C", "D"};
    const struct {
        Entries left, right, expectedLeft;
    } rows[] = {
        {{"A", "C"}, {"B", "D"}, snapshot},
        {{}, snapshot, snapshot},
        {{"A", "B", "C"}, {"D"}, snapshot}, // one entry on the right is enough
        {{"D", "B"}, {"C", "A"}, snapshot},
        {{"A", "C", "D", "B"}, {}, {"A", "C", "D", "B"}}, // an empty right list keeps the left's order
    };
    for (const auto& row : rows) {
        VectorEntryList left(row.left);
        VectorEntryList right(row.right);
        left.select(row.left.empty() ? Positions{} : Positions{0});
        RestoreSource(left, right, snapshot);
        EXPECT_EQ(left.entries(), row.expectedLeft);
        EXPECT_TRUE(right.entries().empty());
        if (!row.right.empty()) {
            EXPECT_TRUE(left.selectedPositions().empty()) << "restored entries come unselected";
        }
        EXPECT_EQ(left.focusCount + right.focusCount, 0) << "the focus stays where it was";
    }
}

TEST(MovesWhenAppendingFails, LoseNoEntry) {
    const auto toTheMiddle = [](EntryList& from, EntryList& to) { MoveEntries(from, {0, 2}, to, 0); };
    for (void (*move)(EntryList&, EntryList&) : {+MoveSelected, +MoveAll, +toTheMiddle}) {
        VectorEntryList from({"A", "B", "C"});
        VectorEntryList to({"X"});
        from.select({0, 2});
        to.failAppend = true;
        EXPECT_THROW(move(from, to), std::bad_alloc);
        EXPECT_EQ(from.entries(), (Entries{"A", "B", "C"}));
        EXPECT_EQ(to.entries(), (Entries{"X"}));
    }
}

} // namespace
} // namespace netedit
