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
