#include "netdata/entry_text.h"
#include "netdata/net_data.h"
#include "runtime/codec.h"
#include "runtime/failure.h"
#include "runtime/messages.h"
#include "support/failure_of.h"
#include "support/temp_dir.h"
#ifndef _WIN32
#include "runtime/child_process.h"
#endif

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>

namespace netedit {
namespace {

using Lines = std::vector<std::string>;

// The lines of a file, each ended by `end`.
std::string FileOf(const Lines& lines, std::string_view end = "\r\n") {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes.append(line).append(end);
    }
    return bytes;
}

TEST(EntryText, NumberIsRightAlignedInThreeAndReadBack) {
    const struct {
        int section;
        std::string name;
        std::string text;
    } rows[] = {
        {0, "Alpha", "[  0] Alpha"},
        {12, "Beta", "[ 12] Beta"},
        {10, "x", "[ 10] x"},
        {100, "y", "[100] y"},
        {205, "z", "[205] z"},
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
    const std::string a16(16, 'a'); // lines that begin where the next 16 bytes do
    const struct {
        const char* what;
        std::string bytes;
        Lines entries;
        int sections;
    } rows[] = {
        // clang-format off
        {"empty file", "", {}, 0},
        {"the worked example", FileOf({"; saved list", "[0]", "Name=Alpha", "Tel=0123", "[5]", "Tel=0456", "[x]", "Name=Beta", "name=Gamma", "Name=Delta"}), {"[  0] Alpha", "[  2] Beta", "[  2] Delta"}, 3},
        {"no header at all", FileOf({"Name=Lost", "x"}), {}, 0},
        {"a lone [ is a header", FileOf({"[", "Name=A"}), {"[  0] A"}, 1},
        {"blank before [ is no header", FileOf({"[0]", " [1]", "Name=A"}), {"[  0] A"}, 1},
        {"header text plays no part", FileOf({"[7]", "Name=A", "[7]", "Name=B", "[2]", "Name=C"}), {"[  0] A", "[  1] B", "[  2] C"}, 3},
        {"other case and leading blank are no entries", FileOf({"[0]", "name=a", "NAME=b", " Name=c", "Nam", "N"}), {}, 1},
        {"empty name", FileOf({"[0]", "Name="}), {"[  0] "}, 1},
        {"only the first = separates", FileOf({"[0]", "Name=A=B"}), {"[  0] A=B"}, 1},
        {"two entries in one section", FileOf({"[0]", "Name=A", "Tel=1", "Name=B"}), {"[  0] A", "[  0] B"}, 1},
        {"preamble entry lines are dropped", FileOf({"Name=Pre", "[0]", "Name=A"}), {"[  0] A"}, 1},
        // "表" and "ソ" end in 0x5C; a "[" as a second byte opens nothing.
        {"double-byte names", FileOf({"[0]", "Name=\x95\x5C\x83\x5C", "x\x83[y"}), {"[  0] \x95\x5C\x83\x5C"}, 1},
        {"lone LF", FileOf({"[0]", "Name=A", "[1]", "Name=B"}, "\n"), {"[  0] A", "[  1] B"}, 2},
        {"lone CR", FileOf({"[0]", "Name=A", "[1]", "Name=B"}, "\r"), {"[  0] A", "[  1] B"}, 2},
        {"last line without terminator", "[0]\r\nName=A\r\nName=B", {"[  0] A", "[  0] B"}, 1},
        {"NUL and Ctrl-Z are bytes of the name", std::string("[0]\nName=A\0\x1A\n[\0", 16), {std::string("[  0] A\0\x1A", 9)}, 2},
        {"lines across 16 and 64 bytes", FileOf({std::string(62, 'a'), "[0]", a16, "Name=" + a16}) + "[1]\r" + a16 + "\rName=B", {"[  0] " + a16, "[  1] B"}, 2},
        // clang-format on
    };
    for (const auto& row : rows) {
        const NetData data = SplitNetData(row.bytes, "f");
        EXPECT_EQ(data.entries, row.entries) << row.what;
        EXPECT_EQ(data.sections.count(), row.sections) << row.what;
    }
}

TEST(SplitNetData, ABodyRunsFromAfterItsHeaderToTheNextHeader) {
    const NetData data = SplitNetData("pre\r\n[0]\r\nName=A\n\r[1]\r[2]\nx\r\ny", "f");
    ASSERT_EQ(data.sections.count(), 3);
    EXPECT_EQ(data.sections.body(0), "Name=A\n\r");
    EXPECT_EQ(data.sections.body(1), "");
    EXPECT_EQ(data.sections.body(2), "x\r\ny");
}

TEST(SplitNetData, AtMost255SectionsAreNumbered) {
    std::string bytes;
    for (int i = 0; i < 255; ++i) {
        bytes += "[s]\r\nName=n\r\n";
    }
    const NetData full = SplitNetData(bytes, "f");
    EXPECT_EQ(full.sections.count(), 255);
    EXPECT_EQ(full.entries.back(), "[254] n");

    bytes += "[one too many]";
    EXPECT_EQ(testing::FailureOf([&] { SplitNetData(bytes, "/data/OBN.NET"); }),
              Message(msg::TooManySections, "/data/OBN.NET"));
}

TEST(SectionTable, ANumberOutsideTheLoadedSectionsFails) {
    const NetData data = SplitNetData("[0]\r\nName=A\r\n", "f");
    for (int section : {-1, 1, 255}) {
        EXPECT_EQ(testing::FailureOf([&] { data.sections.body(section); }), Message(msg::IndexOutOfRange))
            << section;
    }
    EXPECT_THROW(SectionTable().body(0), Failure);
}

#if !defined(_WIN32) && !defined(__SANITIZE_ADDRESS__) // the sanitizer reserves more than any limit
TEST(LoadNetData, AFileLargerThanTheMemoryGivenFailsAtOnce) {
    testing::TempDir dir;
    const std::string path = dir.file("HUGE.NET");
    testing::WriteFileBytes(path, "[0]\r\nName=A\r\n");
    std::filesystem::resize_file(path, std::uintmax_t{4} << 30); // 4 GB of holes: no disk, no time to write
    const auto start = std::chrono::steady_clock::now();
    const std::string answer = testing::RunInChild({.maxAddressBytes = long{1} << 30}, [&] {
        try {
            LoadNetData(path);
        } catch (const std::bad_alloc&) {
            return std::string("out of memory");
        }
        return std::string("loaded");
    });
    EXPECT_EQ(answer, "out of memory");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)); // before reading a byte
}
#endif

} // namespace
} // namespace netedit
