#include "transfer/moves.h"
#include "transfer/vector_entry_list.h"

#include <algorithm>
#include <climits>
#include <gtest/gtest.h>
#include <new>
#include <random>

namespace netedit {
namespace {

using testing::VectorEntryList;
using Entries = std::vector<std::string>;
using Positions = std::vector<std::size_t>;

// ---- Moving the selected entries ----

enum class Direction { Include, Exclude }; // ">" left to right, "<" right to left

struct MoveSelectedCase {
    const char* name;
    Direction direction;
    Entries from;
    Positions selected;
    Entries to;
    Entries expectedFrom;
    Entries expectedTo;
};

class MoveSelectedTest : public ::testing::TestWithParam<MoveSelectedCase> {};

TEST_P(MoveSelectedTest, AppendsTheSelectionInPositionOrderAndLeavesTheRestInPlace) {
    const MoveSelectedCase& c = GetParam();
    VectorEntryList left(c.direction == Direction::Include ? c.from : c.to);
    VectorEntryList right(c.direction == Direction::Include ? c.to : c.from);
    VectorEntryList& from = c.direction == Direction::Include ? left : right;
    VectorEntryList& to = c.direction == Direction::Include ? right : left;
    from.select(c.selected);

    MoveSelected(from, to);

    EXPECT_EQ(from.entries(), c.expectedFrom);
    EXPECT_EQ(to.entries(), c.expectedTo);
    EXPECT_TRUE(to.selectedPositions().empty()) << "arrivals come unselected";
    EXPECT_TRUE(from.selectedPositions().empty()) << "only selected entries left";
    EXPECT_EQ(left.focusCount + right.focusCount, 0) << "the focus stays where it was";
}

INSTANTIATE_TEST_SUITE_P(
    Moves, MoveSelectedTest,
    ::testing::Values(
        MoveSelectedCase{"SelectedIntoNonEmpty",
                         Direction::Include,
                         {"A", "B", "C", "D", "E"},
                         {3, 1},
                         {"X"},
                         {"A", "C", "E"},
                         {"X", "B", "D"}},
        MoveSelectedCase{"FirstAndLast",
                         Direction::Include,
                         {"A", "B", "C", "D", "E"},
                         {4, 0},
                         {},
                         {"B", "C", "D"},
                         {"A", "E"}},
        MoveSelectedCase{
            "Everything", Direction::Include, {"A", "B", "C"}, {0, 1, 2}, {"X"}, {}, {"X", "A", "B", "C"}},
        MoveSelectedCase{
            "NothingSelected", Direction::Include, {"A", "B", "C"}, {}, {"X"}, {"A", "B", "C"}, {"X"}},
        MoveSelectedCase{
            "NothingSelectedOnTheRight", Direction::Exclude, {"X", "Y"}, {}, {"A"}, {"X", "Y"}, {"A"}},
        MoveSelectedCase{
            "ExcludeAppendsAtTheEnd", Direction::Exclude, {"B"}, {0}, {"A", "C"}, {}, {"A", "C", "B"}},
        MoveSelectedCase{"ExcludeRunsAndGaps",
                         Direction::Exclude,
                         {"P", "Q", "R", "S", "T", "U"},
                         {0, 1, 3, 5},
                         {"A"},
                         {"R", "T"},
                         {"A", "P", "Q", "S", "U"}},
        // Two entries of one section may share a name and so a text: position decides, not text.
        MoveSelectedCase{"EqualTextsMoveByPosition",
                         Direction::Include,
                         {"[  1] N", "[  1] N", "[  2] M"},
                         {1},
                         {},
                         {"[  1] N", "[  2] M"},
                         {"[  1] N"}},
        MoveSelectedCase{"FromAnEmptyList", Direction::Include, {}, {}, {"X"}, {}, {"X"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MoveSelected, ToTheRightAndBackAppendsAtTheEndOfTheLeft) {
    VectorEntryList left({"A", "B", "C"});
    VectorEntryList right;
    left.select({1});
    MoveSelected(left, right);
    right.select({0});
    MoveSelected(right, left);
    EXPECT_EQ(left.entries(), (Entries{"A", "C", "B"}));
    EXPECT_TRUE(right.entries().empty());
}

// ---- Moving all entries ----

struct MoveAllCase {
    const char* name;
    Entries from;
    Positions selected;
    Entries to;
    Entries expectedTo;
};

class MoveAllTest : public ::testing::TestWithParam<MoveAllCase> {};

TEST_P(MoveAllTest, AppendsEverythingInOrderAndFocusesTheEmptiedList) {
    const MoveAllCase& c = GetParam();
    VectorEntryList from(c.from);
    VectorEntryList to(c.to);
    from.select(c.selected);

    MoveAll(from, to);

    EXPECT_TRUE(from.entries().empty());
    EXPECT_EQ(to.entries(), c.expectedTo);
    EXPECT_TRUE(to.selectedPositions().empty());
    EXPECT_EQ(from.focusCount, 1);
    EXPECT_EQ(to.focusCount, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, MoveAllTest,
    ::testing::Values(MoveAllCase{"OntoNonEmpty", {"A", "B", "C"}, {}, {"X"}, {"X", "A", "B", "C"}},
                      MoveAllCase{"SelectionPlaysNoPart", {"A", "B", "C"}, {1}, {}, {"A", "B", "C"}},
                      MoveAllCase{"BackToTheLeft", {"X", "Y"}, {}, {"C", "A"}, {"C", "A", "X", "Y"}},
                      MoveAllCase{"FromAnEmptyList", {}, {}, {"X"}, {"X"}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- SetItem ----

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

// ---- The enabling rule ----

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

// ---- Restoring the left list ----

struct RestoreCase {
    const char* name;
    Entries snapshot;
    Entries left;
    Entries right;
    Entries expectedLeft;
};

class RestoreTest : public ::testing::TestWithParam<RestoreCase> {};

TEST_P(RestoreTest, RebuildsTheLeftOnlyWhileTheRightHoldsEntries) {
    const RestoreCase& c = GetParam();
    VectorEntryList left(c.left);
    VectorEntryList right(c.right);
    left.select(c.left.empty() ? Positions{} : Positions{0});
    right.select(c.right.empty() ? Positions{} : Positions{c.right.size() - 1});

    RestoreSource(left, right, c.snapshot);

    EXPECT_EQ(left.entries(), c.expectedLeft);
    EXPECT_TRUE(right.entries().empty());
    if (!c.right.empty()) {
        EXPECT_TRUE(left.selectedPositions().empty()) << "restored entries come unselected";
    }
    EXPECT_EQ(left.focusCount + right.focusCount, 0) << "the focus stays where it was";
}

INSTANTIATE_TEST_SUITE_P(
    Restore, RestoreTest,
    ::testing::Values(
        RestoreCase{"AfterPartialMoves", {"A", "B", "C", "D"}, {"A", "C"}, {"B", "D"}, {"A", "B", "C", "D"}},
        RestoreCase{
            "AfterAllMovedRight", {"A", "B", "C", "D"}, {}, {"A", "B", "C", "D"}, {"A", "B", "C", "D"}},
        RestoreCase{
            "AfterMovesBackAndForth", {"A", "B", "C", "D"}, {"D", "B"}, {"C", "A"}, {"A", "B", "C", "D"}},
        RestoreCase{"EmptyRightKeepsTheLeftOrder",
                    {"A", "B", "C", "D"},
                    {"A", "C", "D", "B"},
                    {},
                    {"A", "C", "D", "B"}},
        RestoreCase{"OneEntryMovedRight", {"A"}, {}, {"A"}, {"A"}},
        RestoreCase{"BeforeAnyLoad", {}, {}, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Running out of memory while appending ----

TEST(MovesWhenAppendingFails, LoseNoEntry) {
    const struct {
        const char* name;
        void (*move)(EntryList& from, EntryList& to);
    } rows[] = {
        {"selected", MoveSelected},
        {"all", MoveAll},
    };
    for (const auto& row : rows) {
        VectorEntryList from({"A", "B", "C"});
        VectorEntryList to({"X"});
        from.select({0, 2});
        to.failAppend = true;
        EXPECT_THROW(row.move(from, to), std::bad_alloc) << row.name;
        EXPECT_EQ(from.entries(), (Entries{"A", "B", "C"})) << row.name;
        EXPECT_EQ(to.entries(), (Entries{"X"})) << row.name;
    }
}

// ---- Any sequence of moves and restores, against a plain model ----

// The moves as the user sees them, one entry at a time.
struct ReferenceLists {
    Entries left, right;
    std::vector<bool> leftSelected, rightSelected;

    static void moveSelected(Entries& from, std::vector<bool>& fromSelected, Entries& to,
                             std::vector<bool>& toSelected) {
        Entries kept;
        for (std::size_t i = 0; i < from.size(); ++i) {
            if (fromSelected[i]) {
                to.push_back(from[i]);
                toSelected.push_back(false);
            } else {
                kept.push_back(from[i]);
            }
        }
        from = kept;
        fromSelected.assign(from.size(), false);
    }
    static void moveAll(Entries& from, std::vector<bool>& fromSelected, Entries& to,
                        std::vector<bool>& toSelected) {
        to.insert(to.end(), from.begin(), from.end());
        toSelected.resize(to.size(), false);
        from.clear();
        fromSelected.clear();
    }
    void restore(const Entries& snapshot) {
        if (!right.empty()) {
            left = snapshot;
            leftSelected.assign(left.size(), false);
        }
        right.clear();
        rightSelected.clear();
    }
};

Positions SelectedIn(const std::vector<bool>& flags) {
    Positions positions;
    for (std::size_t i = 0; i < flags.size(); ++i) {
        if (flags[i]) {
            positions.push_back(i);
        }
    }
    return positions;
}

TEST(MoveSequences, KeepEveryLoadedEntryInExactlyOneList) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        std::mt19937 random(seed);
        Entries snapshot(random() % 12);
        for (auto& entry : snapshot) {
            entry = "N" + std::to_string(random() % 5); // equal texts happen, as in real files
        }
        VectorEntryList left(snapshot);
        VectorEntryList right;
        ReferenceLists model{snapshot, {}, std::vector<bool>(snapshot.size(), false), {}};

        for (int step = 0; step < 150; ++step) {
            const unsigned operation = random() % 7;
            switch (operation) {
            case 0:
            case 1: {
                auto& flags = operation == 0 ? model.leftSelected : model.rightSelected;
                for (std::size_t i = 0; i < flags.size(); ++i) {
                    flags[i] = random() % 3 == 0;
                }
                (operation == 0 ? left : right).select(SelectedIn(flags));
                break;
            }
            case 2:
                MoveSelected(left, right);
                ReferenceLists::moveSelected(model.left, model.leftSelected, model.right,
                                             model.rightSelected);
                break;
            case 3:
                MoveSelected(right, left);
                ReferenceLists::moveSelected(model.right, model.rightSelected, model.left,
                                             model.leftSelected);
                break;
            case 4:
                MoveAll(left, right);
                ReferenceLists::moveAll(model.left, model.leftSelected, model.right, model.rightSelected);
                break;
            case 5:
                MoveAll(right, left);
                ReferenceLists::moveAll(model.right, model.rightSelected, model.left, model.leftSelected);
                break;
            default:
                RestoreSource(left, right, snapshot);
                model.restore(snapshot);
                break;
            }
            ASSERT_EQ(left.entries(), model.left)
                << "seed " << seed << " step " << step << " op " << operation;
            ASSERT_EQ(right.entries(), model.right)
                << "seed " << seed << " step " << step << " op " << operation;
            ASSERT_EQ(left.selectedPositions(), SelectedIn(model.leftSelected)) << "seed " << seed;
            ASSERT_EQ(right.selectedPositions(), SelectedIn(model.rightSelected)) << "seed " << seed;

            Entries everywhere = left.entries();
            everywhere.insert(everywhere.end(), right.entries().begin(), right.entries().end());
            Entries loaded = snapshot;
            std::sort(everywhere.begin(), everywhere.end());
            std::sort(loaded.begin(), loaded.end());
            ASSERT_EQ(everywhere, loaded) << "seed " << seed << " step " << step;
        }
    }
}

} // namespace
} // namespace netedit
