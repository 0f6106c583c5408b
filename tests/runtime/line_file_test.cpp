#include "runtime/child_process.h"
#include "runtime/codec.h"
#include "runtime/failure.h"
#include "runtime/line_file.h"
#include "support/directory_state.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

namespace netedit {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;
using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

class LineFileTest : public ::testing::Test {
protected:
    void SetUp() override { TakeIOCode(); }

    // Every line ReadLine gives until AtEnd, with no code recorded on the way.
    Strings ReadAll(const std::string& bytes) {
        WriteFileBytes(dir.file("read.txt"), bytes);
        LineFile file;
        file.BindName(dir.file("read.txt"));
        file.OpenForRead();
        Strings lines;
        while (!file.AtEnd() && lines.size() < 100) {
            lines.push_back(file.ReadLine());
        }
        file.CloseLines();
        EXPECT_EQ(TakeIOCode(), 0);
        return lines;
    }

    TempDir dir;
};

TEST_F(LineFileTest, ReadingEndsLinesOnlyAtCrAndTheFileAtCtrlZ) {
    const struct {
        const char* name;
        std::string bytes;
        Strings lines;
    } rows[] = {
        // clang-format off
        {"empty", "", {}}, {"crlf", "A\r\nB\r\n", {"A", "B"}}, {"no final terminator", "A\r\nB", {"A", "B"}},
        {"lone cr", "A\rB", {"A", "B"}}, {"cr cr", "A\r\rB", {"A", "", "B"}}, {"lf cr", "A\n\rB", {"A\n", "B"}},
        {"lf only", "SrcFile=X\nDstFile=Y\n", {"SrcFile=X\nDstFile=Y\n"}}, {"only crlf", "\r\n", {""}},
        {"ctrl-z ends", "A\r\n\x1A" "B\r\n", {"A"}}, {"ctrl-z in a line", "AB\x1A" "C", {"AB"}},
        {"nul kept", std::string("A\0B\r\n", 5), {std::string("A\0B", 3)}},
        {"300 bytes", std::string(300, 'x') + "\r\nB", {std::string(300, 'x'), "B"}},
        // The CR is the last byte of the first buffer, its LF the first of the second.
        {"crlf across buffers", std::string(127, 'x') + "\r\nB", {std::string(127, 'x'), "B"}},
        {"line of a buffer", std::string(128, 'x') + "\r\n", {std::string(128, 'x')}},
        // clang-format on
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ReadAll(row.bytes), row.lines) << row.name;
    }
}

std::string WrittenBytes(const TempDir& dir, const Strings& texts) {
    LineFile file;
    file.BindName(dir.file("out.txt"));
    file.OpenForWrite();
    for (const auto& text : texts) {
        if (text == "\r\n") {
            file.EndLine();
        } else {
            file.WriteText(text);
        }
    }
    file.CloseLines();
    EXPECT_EQ(TakeIOCode(), 0);
    return ReadFileBytes(dir.file("out.txt"));
}

TEST_F(LineFileTest, WritingPassesEveryByteThroughTheBuffer) {
    for (std::size_t size : {0, 1, 127, 128, 129, 255, 256, 257, 300}) {
        std::string text(size, 'a');
        for (std::size_t i = 0; i < size; ++i) {
            text[i] = static_cast<char>('a' + i % 26);
        }
        EXPECT_EQ(WrittenBytes(dir, {text}), text) << size;
        EXPECT_EQ(WrittenBytes(dir, {text, "\r\n"}), text + "\r\n") << size;
    }
    EXPECT_EQ(WrittenBytes(dir, {"SrcFile=A", "\r\n", "DstFile=", "B", "\r\n"}),
              "SrcFile=A\r\nDstFile=B\r\n");
    // EndLine's CR fills the buffer and its LF starts the next.
    EXPECT_EQ(WrittenBytes(dir, {std::string(127, 'x'), "\r\n", "y"}), std::string(127, 'x') + "\r\ny");
}

enum class Op { OpenRead, OpenWrite, AtEnd, ReadLine, WriteText, EndLine, Close, Erase };

void Apply(LineFile& file, Op op) {
    switch (op) {
    case Op::OpenRead:
        return file.OpenForRead();
    case Op::OpenWrite:
        return file.OpenForWrite();
    case Op::AtEnd:
        file.AtEnd();
        return;
    case Op::ReadLine:
        file.ReadLine();
        return;
    case Op::WriteText:
        return file.WriteText("x");
    case Op::EndLine:
        return file.EndLine();
    case Op::Close:
        return file.CloseLines();
    case Op::Erase:
        return file.EraseFile();
    }
}

TEST_F(LineFileTest, EachOperationRecordsItsCode) {
    using enum Op;
    const struct {
        const char* name; // bound to this name in a fresh folder; nullptr leaves the handle unbound
        std::vector<Op> ops;
        std::vector<int> codes;
    } rows[] = {
        // clang-format off
        {nullptr, {OpenRead, OpenWrite, Erase, AtEnd, ReadLine, WriteText, EndLine, Close}, {102, 102, 102, 104, 104, 105, 103, 103}},
        {"f.txt", {AtEnd, ReadLine, WriteText, EndLine, Close}, {104, 104, 105, 103, 103}},
        {"f.txt", {OpenWrite, AtEnd, ReadLine, Close, Close}, {0, 104, 104, 0, 103}},
        {"f.txt", {OpenWrite, Close, OpenRead, WriteText, EndLine, Close, Erase, Erase}, {0, 0, 0, 105, 105, 0, 0, 2}},
        {"f.txt", {OpenWrite, OpenRead, OpenRead}, {0, 0, 0}}, // left open: the handle closes it
        {"missing.txt", {OpenRead, AtEnd, Close}, {2, 104, 103}},
        {"no-dir/f.txt", {OpenRead, OpenWrite, Erase}, {3, 3, 3}},
        {"Z\xFFrich.txt", {OpenRead, OpenWrite, Erase}, {3, 3, 3}}, // a name no file can bear
        {"", {OpenRead, OpenWrite, Erase}, {5, 5, 5}},              // the folder itself
#ifndef _WIN32
        {"pipe", {OpenRead, OpenWrite}, {5, 5}}, // no file, and never makes us wait
#endif
        // clang-format on
    };
    const int descriptors = testing::OpenHandles();
    for (const auto& row : rows) {
        TempDir scratch;
#ifndef _WIN32
        ASSERT_EQ(::mkfifo(scratch.file("pipe").c_str(), 0666), 0);
#endif
        LineFile file;
        if (row.name != nullptr) {
            file.BindName(scratch.file(row.name));
        }
        for (std::size_t i = 0; i < row.ops.size(); ++i) {
            Apply(file, row.ops[i]);
            EXPECT_EQ(TakeIOCode(), row.codes[i]) << (row.name ? row.name : "unbound") << " step " << i;
        }
    }
    EXPECT_EQ(testing::OpenHandles(), descriptors) << "a file left open";
}

TEST_F(LineFileTest, AFileNobodyMayWriteIsReadOnlyEvenForRoot) {
    WriteFileBytes(dir.file("ro.txt"), "x");
    fs::permissions(dir.file("ro.txt"), fs::perms(0444));
    LineFile file;
    file.BindName(dir.file("ro.txt"));
    file.EraseFile();
    file.OpenForWrite();
    EXPECT_EQ(TakeIOCode(), 5);
    EXPECT_EQ(ReadFileBytes(dir.file("ro.txt")), "x");
}

TEST_F(LineFileTest, OpeningForWriteWhileReadingEmptiesTheFile) {
    WriteFileBytes(dir.file("a"), "old\r\n");
    LineFile file;
    file.BindName(dir.file("a"));
    file.OpenForRead();
    file.OpenForWrite();
    file.WriteText("new");
    file.EndLine();
    file.OpenForRead(); // closes the writing first, as CloseLines does
    EXPECT_EQ(file.ReadLine(), "new");
    EXPECT_TRUE(file.AtEnd());
    EXPECT_EQ(TakeIOCode(), 0);
}

TEST_F(LineFileTest, ALongPathIsNeverCutToAnotherFilesName) {
    // Longer than 259 bytes: cut there, it would name the file "cut" beside it.
    const std::string folder = dir.file(std::string(200, 'd'));
    fs::create_directory(folder);
    const std::string cut = folder + "/" + std::string(259 - folder.size() - 1, 'f');
    const std::string longName = cut + std::string(40, 'f');
    WriteFileBytes(cut, "somebody else's\r\n");
    LineFile file;
    file.BindName(longName);
    file.OpenForWrite();
    file.WriteText("mine");
    file.CloseLines();
    EXPECT_EQ(TakeIOCode(), 0);
    EXPECT_EQ(ReadFileBytes(longName), "mine");
    EXPECT_EQ(ReadFileBytes(cut), "somebody else's\r\n");
}

TEST_F(LineFileTest, CloseLinesWhoseWriteFailsLeavesTheFileOpen) {
    if (!testing::CanRunChildren()) {
        GTEST_SKIP() << "needs a child process with a file size limit";
    }
    const std::string path = dir.file("out.txt");
    // With 100 bytes allowed the first buffer of 128 already falls short.
    std::string answer = testing::RunInChild({.maxFileBytes = 100}, [&] {
        const int descriptors = testing::OpenHandles();
        std::string codes;
        {
            LineFile file;
            file.BindName(path);
            file.OpenForWrite();
            file.WriteText(std::string(120, 'x'));
            codes = std::to_string(TakeIOCode());
            file.WriteText(std::string(20, 'y'));
            codes += " " + std::to_string(TakeIOCode());
            file.CloseLines();
            codes += " " + std::to_string(TakeIOCode());
            file.CloseLines(); // still open: it tries again instead of answering 103
            codes += " " + std::to_string(TakeIOCode());
            file.OpenForRead(); // gives up the unwritten text, but not the descriptor
        }
        return codes + (testing::OpenHandles() == descriptors ? "" : " left open");
    });
    EXPECT_EQ(answer, "0 112 112 112");
}

TEST(IOMessage, NamesTheCodesOfTheTable) {
    struct Row {
        int code;
        const char* utf8;
    };
    const Row rows[] = {
        // clang-format off
        {2, "ﾌｧｲﾙが見つかりません"}, {3, "不正なﾌｧｲﾙ名です"}, {4, "ｵｰﾌﾟﾝしたﾌｧｲﾙが多すぎます"}, {5, "ﾌｧｲﾙへのｱｸｾｽが拒否されました"},
        {100, "ﾌｧｲﾙの末尾以降を読み込みました"}, {101, "ﾃﾞｨｽｸがいっぱいです"}, {106, "入力値が数値ではありません"}, {32, "I/O ｴﾗｰ (32)"}, {1013, "I/O ｴﾗｰ (1013)"},
        // clang-format on
    };
    for (const auto& row : rows) {
        EXPECT_EQ(IOMessage(row.code), EncodeCp932(row.utf8)) << row.code;
    }
}

// The recorded code is the last one, belongs to its thread, and is raised once.
TEST_F(LineFileTest, CheckIORaisesTheLastRecordedCodeOfItsThreadOnce) {
    EXPECT_NO_THROW(CheckIO());
    LineFile file;
    file.OpenForRead();  // 102
    file.WriteText("x"); // 105
    int other = -1;
    std::thread([&] { other = TakeIOCode(); }).join();
    EXPECT_EQ(other, 0);
    EXPECT_EQ(TakeIOCode(), io::NotOpenForOutput);
    file.BindName(dir.file("missing.txt"));
    file.OpenForRead();
    try {
        CheckIO();
        ADD_FAILURE() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.message(), EncodeCp932("ﾌｧｲﾙが見つかりません"));
        EXPECT_EQ(failure.ioCode(), 2);
    }
    EXPECT_NO_THROW(CheckIO());
}

} // namespace
} // namespace netedit
