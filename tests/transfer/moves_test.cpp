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

TEST(MoveSelected, AppendsTheSelectionInPositionOrderAndLeavesTheRestInPlace) {
    const struct {
        const char* what;
        Entries from;
        Positions selected; // in the order of the user's clicks
        Entries to, expectedFrom, expectedTo;
    } rows[] = {
        // clang-format off
        {"into a list with entries", {"A", "B", "C", "D", "E"}, {3, 1}, {"X"}, {"A", "C", "E"}, {"X", "B", "D"}},
        {"first and last", {"A", "B", "C", "D", "E"}, {4, 0}, {}, {"B", "C", "D"}, {"A", "E"}},
        {"everything", {"A", "B", "C"}, {0, 1, 2}, {"X"}, {}, {"X", "A", "B", "C"}},
        {"nothing selected", {"A", "B", "C"}, {}, {"X"}, {"A", "B", "C"}, {"X"}},
        {"runs and gaps", {"P", "Q", "R", "S", "T", "U"}, {0, 1, 3, 5}, {"A"}, {"R", "T"}, {"A", "P", "Q", "S", "U"}},
        // Two entries of one section may share a name and so a text: position decides, not text.
        {"equal texts move by position", {"[  1] N", "[  1] N", "[  2] M"}, {1}, {}, {"[  1] N", "[  2] M"}, {"[  1] N"}},
        {"from an empty list", {}, {}, {"X"}, {}, {"X"}},
        // clang-format on
    };
    for (const auto& row : rows) {
        VectorEntryList from(row.from);
        VectorEntryList to(row.to);
        from.select(row.selected);
        MoveSelected(from, to);
        EXPECT_EQ(from.entries(), row.expectedFrom) << row.what;
        EXPECT_EQ(to.entries(), row.expectedTo) << row.what;
        EXPECT_TRUE(to.selectedPositions().empty()) << row.what << ": arrivals come unselected";
        EXPECT_TRUE(from.selectedPositions().empty()) << row.what << ": only selected entries left";
        EXPECT_EQ(from.focusCount + to.focusCount, 0) << row.what << ": the focus stays where it was";
    }
}

TEST(MoveAll, AppendsEverythingInOrderAndFocusesTheEmptiedList) {
    const struct {
        Entries from;
        Positions selected;
        Entries to, expectedTo;
    } rows[] = {
        {{"A", "B", "C"}, {}, {"X"}, {"X", "A", "B", "C"}},
        {{"A", "B", "C"}, {1}, {}, {"A", "B", "C"}}, // the selection plays no part
        {{}, {}, {"X"}, {"X"}},
    };
    for (const auto& row : rows) {
        VectorEntryList from(row.from);
        VectorEntryList to(row.to);
        from.select(row.selected);
        MoveAll(from, to);
        EXPECT_TRUE(from.entries().empty());
        EXPECT_EQ(to.entries(), row.expectedTo);
        EXPECT_TRUE(to.selectedPositions().empty());
        EXPECT_EQ(from.focusCount, 1);
        EXPECT_EQ(to.focusCount, 0);
    }
}

TEST(SetItem, ClampsTheIndexSelectsWithoutClearingAndFocuses) {
    const struct {
        Entries entries;
        Positions before;
        int index;
        Positions expected;
    } rows[] = {
        {{"A", "B", "C"}, {}, -1, {0}},
        {{"A", "B", "C"}, {}, 0, {0}},
        {{"A", "B", "C"}, {}, 2, {2}},
        {{"A", "B", "C"}, {}, 3, {2}},
        {{"A", "B", "C"}, {}, INT_MAX, {2}},
        {{"A", "B", "C"}, {0}, 2, {0, 2}},
        {{}, {}, 0, {}},
        {{}, {}, -1, {}},
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
        {0, 0, {false, false, false, false, false}},    {1, 0, {false, true, true, false, false}},
        {0, 1, {true, false, false, true, true}},       {5, 2, {true, true, true, true, true}},
        {100000, 0, {false, true, true, false, false}},
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
    for (auto* move : {MoveSelected, MoveAll}) {
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
