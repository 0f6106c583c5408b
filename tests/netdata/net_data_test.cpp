#include "netdata/entry_text.h"
#include "netdata/net_data.h"
#include "runtime/codec.h"
#include "runtime/failure.h"
#include "runtime/messages.h"
#include "support/failure_of.h"

#include <gtest/gtest.h>

namespace netedit {
namespace {

using Lines = std::vector<std::string>;

TEST(EntryText, NumberIsRightAlignedInThreeAndReadBack) {
    const struct {
        int section;
        std::string name;
        std::string text;
    } rows[] = {
        {0, "Alpha", "[  0] Alpha"},
        {12, "Beta", "[ 12] Beta"},
        {255, "", "[255] "},
        // The name is cut after its byte 255, even inside a double-byte character.
        {1, std::string(254, 'a') + "\x95\x5Ctail", "[  1] " + std::string(254, 'a') + "\x95"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(MakeEntryText(row.section, row.name), row.text);
        EXPECT_EQ(SectionOfEntry(row.text), row.section);
    }
    EXPECT_EQ(testing::FailureOf([] { SectionOfEntry("[ab1] x"); }), Message(msg::NotAnInteger, "ab1"));
}

TEST(SplitNetData, WhatMakesAHeaderAndWhatMakesAnEntry) {
    const struct {
        const char* what;
        LineList lines;
        Lines entries;
        int sections;
    } rows[] = {
        // clang-format off
        {"empty file", {}, {}, 0},
        {"the worked example", {"; saved list", "[0]", "Name=Alpha", "Tel=0123", "[5]", "Tel=0456", "[x]", "Name=Beta", "name=Gamma", "Name=Delta"}, {"[  0] Alpha", "[  2] Beta", "[  2] Delta"}, 3},
        {"no header at all", {"Name=Lost", "x"}, {}, 0},
        {"a lone [ is a header", {"[", "Name=A"}, {"[  0] A"}, 1},
        {"blank before [ is no header", {"[0]", " [1]", "Name=A"}, {"[  0] A"}, 1},
        {"header text plays no part", {"[7]", "Name=A", "[7]", "Name=B", "[2]", "Name=C"}, {"[  0] A", "[  1] B", "[  2] C"}, 3},
        {"other case and leading blank are no entries", {"[0]", "name=a", "NAME=b", " Name=c"}, {}, 1},
        {"empty name", {"[0]", "Name="}, {"[  0] "}, 1},
        {"only the first = separates", {"[0]", "Name=A=B"}, {"[  0] A=B"}, 1},
        {"two entries in one section", {"[0]", "Name=A", "Tel=1", "Name=B"}, {"[  0] A", "[  0] B"}, 1},
        {"preamble entry lines are dropped", {"Name=Pre", "[0]", "Name=A"}, {"[  0] A"}, 1},
        // "表" and "ソ" end in 0x5C; a "[" as a second byte opens nothing.
        {"double-byte names", {"[0]", "Name=\x95\x5C\x83\x5C", "x\x83[y"}, {"[  0] \x95\x5C\x83\x5C"}, 1},
        // clang-format on
    };
    for (const auto& row : rows) {
        const NetData data = SplitNetData(row.lines, "f");
        EXPECT_EQ(data.entries, row.entries) << row.what;
        EXPECT_EQ(data.sections.count(), row.sections) << row.what;
    }
}

TEST(SplitNetData, AtMost255SectionsAreNumbered) {
    LineList lines;
    for (int i = 0; i < 255; ++i) {
        lines.push_back("[s]");
        lines.push_back("Name=n");
    }
    const NetData full = SplitNetData(lines, "f");
    EXPECT_EQ(full.sections.count(), 255);
    EXPECT_EQ(full.entries.back(), "[254] n");

    lines.push_back("[one too many]");
    EXPECT_EQ(testing::FailureOf([&] { SplitNetData(lines, "/data/OBN.NET"); }),
              Message(msg::TooManySections, "/data/OBN.NET"));
}

TEST(SectionTable, ANumberOutsideTheLoadedSectionsFails) {
    const NetData data = SplitNetData({"[0]", "Name=A"}, "f");
    for (int section : {-1, 1, 255}) {
        EXPECT_EQ(testing::FailureOf([&] { data.sections.body(section); }), Message(msg::IndexOutOfRange))
            << section;
    }
    EXPECT_THROW(SectionTable().body(0), Failure);
}

} // namespace
} // namespace netedit
