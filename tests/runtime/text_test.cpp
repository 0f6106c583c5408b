#include "runtime/codec.h"
#include "runtime/failure.h"
#include "runtime/text.h"

#include <climits>
#include <gtest/gtest.h>

namespace netedit {
namespace {

TEST(TextToNum, ReadsTheAcceptedForms) {
    struct Row {
        std::string text;
        std::int32_t value;
    };
    const Row rows[] = {
        // clang-format off
        {"0", 0}, {"  0", 0} /* the form entry texts carry */, {" -12", -12}, {"+7", 7}, {"007", 7}, {"-0", 0},
        {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN}, {"$1f", 31}, {"$1F", 31}, {"  $A", 10}, {"$0", 0},
        {"$9a", 154}, {"$FFFFFFFF", -1}, {"$80000000", INT32_MIN}, {"$7fffffff", INT32_MAX}, {"$000000001", 1} /* leading zeros */,
        // clang-format on
    };
    for (const auto& row : rows) {
        EXPECT_EQ(TextToNum(row.text), row.value) << '"' << row.text << '"';
    }
}

TEST(TextToNum, RejectsWithTheTextAsPassedIn) {
    const std::string rejected[] = {
        // clang-format off
        "", " ", "-", "+", "12 ", "1a", "2147483648", "-2147483649", "99999999999", "\t1", "-$1", "+$1", "$", "$g",
        "$ 1", "$100000000", "1-", "- 1", std::string("12\0003", 4), "0x10", "$1FFFFFFFF",
        // clang-format on
    };
    for (const auto& text : rejected) {
        try {
            TextToNum(text);
            ADD_FAILURE() << "accepted \"" << text << '"';
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.message(), "'" + text + "'" + EncodeCp932(" は整数ではありません"));
        }
    }
}

TEST(FindPos, FindsTheFirstOccurrenceOneBased) {
    struct Row {
        std::string sub;
        std::string s;
        std::size_t pos;
    };
    const Row rows[] = {
        {"=", "Name=", 5}, {"=", "", 0},         {"", "Name=", 0},     {"", "", 0},
        {"N", "Name=", 1}, {"Name=", "Name", 0}, {"ab", "aab ab", 2},  {"\\", "\x95\x5C\\", 2},
        {"x", "Name", 0},  {"e=", "Name=e=", 4}, {"name", "Name=", 0}, // case matters
    };
    for (const auto& row : rows) {
        EXPECT_EQ(FindPos(row.sub, row.s), row.pos) << '"' << row.sub << "\" in \"" << row.s << '"';
    }
}

TEST(CopyPart, ClampsIndexAndCount) {
    struct Row {
        std::string s;
        std::int64_t index;
        std::int64_t count;
        std::string part;
    };
    const Row rows[] = {
        // clang-format off
        {"abc", 2, 255, "bc"}, {"abc", 0, 2, "ab"}, {"abc", -5, 2, "ab"}, {"abc", 1, -1, ""}, {"abc", 4, 1, ""},
        {"abc", 3, 1, "c"}, {"abc", 1, 0, ""}, {"abc", 1, 3, "abc"}, {"abc", 1, INT64_MAX, "abc"}, {"", 1, 5, ""},
        {"0123456789", 3, 255, "23456789"},
        // clang-format on
    };
    for (const auto& row : rows) {
        EXPECT_EQ(CopyPart(row.s, row.index, row.count), row.part)
            << row.s << " from " << row.index << " count " << row.count;
    }
}

} // namespace
} // namespace netedit
