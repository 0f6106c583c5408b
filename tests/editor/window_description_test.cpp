#include "editor/window_description.h"

#include <gtest/gtest.h>

namespace netedit {
namespace {

TEST(CentredIn, CentresTheOuterFrameOnTheWorkArea) {
    const struct {
        PixelRect area;
        int width, height;
        int left, top;
    } rows[] = {
        {{0, 0, 1280, 1024}, 595, 490, 342, 267},
        {{1920, 28, 1280, 996}, 595, 490, 2262, 281}, // a second screen below a panel
        {{0, 0, 1280, 1024}, 596, 491, 342, 266},     // halves round down
        {{100, 50, 500, 400}, 595, 490, 100, 50},     // larger than the area: its corner
    };
    for (const auto& row : rows) {
        EXPECT_EQ(CentredIn(row.area, row.width, row.height),
                  (PixelRect{row.left, row.top, row.width, row.height}))
            << row.area.left << "," << row.area.top;
    }
}

// What a screen reader reads of a label: the text without its mnemonic markers.
TEST(ShownText, DropsEachMarkerAndKeepsTheCharacterAfterIt) {
    const struct {
        const char* text;
        const char* shown;
    } rows[] = {
        {"", ""},         {"&", "&"},
        {"a&", "a&"},     {"&a", "a"},
        {"a&&b", "a&b"},  {"&&&x", "&x"},
        {"a&b&c", "abc"}, {"\x83\x5c&\x83\x5c", "\x83\x5c\x83\x5c"}, // code page 932: "&" after a trail byte
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ShownText(row.text), row.shown) << row.text;
    }
}

} // namespace
} // namespace netedit
