#include "editor/dragging.h"

#include <gtest/gtest.h>

namespace netedit {
namespace {

// The upper half of a row means before it, the lower half after it, below the last row the end;
// rows scrolled away still count.
TEST(Dragging, DropRowByTheHalfOfTheRowUnderThePointer) {
    const struct {
        int y, firstRowTop, rowHeight;
        std::size_t count, expected;
        std::optional<std::size_t> under;
    } rows[] = {
        {0, 0, 10, 5, 0, 0},   {4, 0, 10, 5, 0, 0}, {5, 0, 10, 5, 1, 0},  {9, 0, 9, 5, 1, 1},
        {13, 0, 9, 5, 1, 1},   {14, 0, 9, 5, 2, 1}, {49, 0, 10, 5, 5, 4}, {80, 0, 10, 5, 5, {}},
        {3, -30, 10, 5, 3, 3}, {0, 0, 0, 0, 0, {}}, // an empty list has no rows to measure
    };
    for (const auto& row : rows) {
        const ListPointer pointer{Control::DstList, row.y, row.firstRowTop, row.rowHeight, 100};
        EXPECT_EQ(DropRow(pointer, row.count), row.expected) << row.y << " over rows of " << row.rowHeight;
        EXPECT_EQ(RowUnder(pointer, row.count), row.under) << row.y;
    }
}

} // namespace
} // namespace netedit
