#include "runtime/child_process.h"
#include "runtime/failure.h"
#include "runtime/line_file.h"
#include "runtime/messages.h"
#include "runtime/safe_save.h"
#include "support/directory_state.h"
#include "support/failure_of.h"
#include "support/temp_dir.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

namespace netedit {
namespace {

using testing::DirectoryState;
using testing::FailureOf;
using testing::ReadDirectoryState;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;
using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

// Each line of `lines` ended by CR LF, as the writer hands them on.
std::string CrLfText(const Strings& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

TEST(WriteCrLfLines, EndsEveryLineWithCrLfAndKeepsEveryOtherByte) {
    const std::string a15(15, 'a'); // a terminator at the 16th byte meets the next 16 bytes
    const std::string a63(63, 'a'); // and at the 64th the next 64
    const struct {
        std::string bytes;
        Strings lines;
    } rows[] = {
        // clang-format off
        {"", {}}, {"A\r\nB", {"A", "B"}}, {"A\r\n", {"A"}}, {"A\rB\r", {"A", "B"}}, {"A\nB\n", {"A", "B"}},
        {"A\n\nB", {"A", "", "B"}}, {"A\n\rB", {"A", "", "B"}}, {"A\r\r\nB", {"A", "", "B"}}, {"\r\n", {""}},
        {"\r\n\r\n", {"", ""}}, {"\n", {""}}, {"\r", {""}}, {"\tA \r\n", {"\tA "}}, {"\x95\x5C\r\n", {"\x95\x5C"}},
        // A NUL must never cut the rest of the file away; NUL and Ctrl-Z are bytes of their line.
        {std::string("A\r\nB\0C\r\nD", 9), {"A", std::string("B\0C", 3), "D"}},
        {std::string("\0\r\nX", 4), {std::string("\0", 1), "X"}},
        {"A\x1A" "B\r\n\x1A", {"A\x1A" "B", "\x1A"}},
        {a15 + "\r\nB", {a15, "B"}}, {a15 + "\r" + a15 + "\n", {a15, a15}}, {a15 + "\n\r" + a15, {a15, "", a15}},
        {a15 + "a\nB" + a15 + "\r\r", {a15 + "a", "B" + a15, ""}},
        {a63 + "\r\nB", {a63, "B"}}, {a63 + "\r\n", {a63}}, {a63 + "\r" + a63 + "\n", {a63, a63}},
        {a63 + "\n\r" + a63, {a63, "", a63}}, {a15 + "\r\n" + a63 + "\n", {a15, a63}}, {"\n" + a63 + "\r\n", {"", a63}},
        // clang-format on
    };
    for (const auto& row : rows) {
        std::string written;
        std::size_t pieces = 0;
        auto out = [&](std::string_view piece) {
            written.append(piece);
            ++pieces;
        };
        WriteCrLfLines(row.bytes, out);
        EXPECT_EQ(written, CrLfText(row.lines)) << ::testing::PrintToString(row.bytes);
        if (row.bytes == written) {
            EXPECT_EQ(pieces, row.bytes.empty() ? 0U : 1U) << "lines ending in CR LF go out as they stand";
        }
    }
}

TEST(ReadLineFile, ReadsCodePage932PathsAndFailsWhereNoFileCanBeRead) {
    TempDir dir;
    WriteFileBytes(dir.path() / "\xE8\xA1\xA8.NET", std::string("[0]\r\nName=A\0B\nx", 15)); // 表.NET
    EXPECT_EQ(ReadLineFile(dir.file("") + "\x95\x5C.NET"), std::string("[0]\r\nName=A\0B\nx", 15));
    fs::create_directory(dir.path() / "folder");
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0666), 0); // nobody writes: opening it must not wait
    for (const auto& path :
         {dir.file("missing.NET"), dir.file("no-dir/OBN.NET"), dir.file("folder"), dir.file("pipe")}) {
        EXPECT_EQ(FailureOf([&] { ReadLineFile(path); }), Message(msg::CannotOpen, path));
    }
}

// Writes a file as every save does: a new file, then put in place.
void Save(const std::string& path, const TextProducer& produce) {
    NewFile file(path, produce);
    file.PutInPlace();
}

void SaveNew(const std::string& path) {
    Save(path, [](const TextSink& sink) { sink("new\r\n"); });
}

// A text that fails while it is being produced leaves the old file, and no temporary file or
// open descriptor beside it.
TEST(NewFile, AProducerThatThrowsLeavesTheOldFile) {
    TempDir dir;
    WriteFileBytes(dir.file("OBN.NET"), "old\r\n");
    const int descriptors = testing::OpenHandles();
    const auto failing = [](const TextSink& sink) {
        sink("new");
        throw std::bad_alloc();
    };
    EXPECT_THROW(Save(dir.file("OBN.NET"), failing), std::bad_alloc);
    EXPECT_EQ(ReadDirectoryState(dir.path()), (DirectoryState{{"OBN.NET", "old\r\n"}}));
    EXPECT_EQ(testing::OpenHandles(), descriptors);
}

// The bits of every file in `dir` but `except`.
std::vector<unsigned> BitsBeside(const TempDir& dir, const char* except) {
    std::vector<unsigned> bits;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        if (entry.path().filename() != except) {
            bits.push_back(static_cast<unsigned>(entry.status().permissions() & fs::perms::all));
        }
    }
    return bits;
}

// Nobody else can open the text while it is written: the temporary file is private whatever the
// umask, and only the finished file takes the old file's bits.
TEST(NewFile, ATemporaryFileLetsNobodyElseInWhileItIsWritten) {
    TempDir dir;
    WriteFileBytes(dir.file("OBN.NET"), "old\r\n");
    ASSERT_EQ(::chmod(dir.file("OBN.NET").c_str(), 0666), 0);
    std::vector<unsigned> whileWritten;
    Save(dir.file("OBN.NET"), [&](const TextSink& sink) {
        whileWritten = BitsBeside(dir, "OBN.NET");
        sink("new\r\n");
    });
    EXPECT_EQ(whileWritten, std::vector<unsigned>{0600});
    EXPECT_EQ(ReadDirectoryState(dir.path()), (DirectoryState{{"OBN.NET", "(0666)new\r\n"}}));
}

// The system ends a program that saves a large file, at one moment or another: no temporary file
// stays behind, and the file stands whole, old or new.
TEST(NewFile, ASaveEndedBySigtermLeavesNoTemporaryFile) {
    const std::string text(48 << 20, 'x');
    for (const int delayMs : {0, 1, 3, 10, 30, 100, 300}) {
        TempDir dir;
        WriteFileBytes(dir.file("OBN.NET"), "old\r\n");
        const pid_t child = ::fork();
        if (child == 0) {
            Save(dir.file("OBN.NET"), [&](const TextSink& sink) {
                for (std::size_t at = 0; at < text.size(); at += 1 << 20) {
                    sink(std::string_view(text).substr(at, 1 << 20));
                }
            });
            ::_exit(0);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        ::kill(child, SIGTERM);
        int status = 0;
        ::waitpid(child, &status, 0);
        const std::string bytes = ReadFileBytes(dir.path() / "OBN.NET");
        EXPECT_TRUE(bytes == "old\r\n" || bytes == text) << delayMs << " ms: " << bytes.size() << " bytes";
        EXPECT_EQ(BitsBeside(dir, "OBN.NET"), std::vector<unsigned>{}) << delayMs << " ms";
    }
}

// An end the system asks for while a save's renames run waits for them, then ends the program as
// it would have.
TEST(NewFile, AnEndAskedForWhileInterruptionsAreHeldWaits) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        const InterruptionsHeld held;
        ::kill(::getpid(), SIGTERM);
        [[maybe_unused]] const ssize_t written = ::write(fds[1], "held", 4);
    } // the end comes here
    if (child == 0) {
        [[maybe_unused]] const ssize_t written = ::write(fds[1], ", and on", 8);
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string answer(16, '\0');
    answer.resize(
        static_cast<std::size_t>(std::max<ssize_t>(::read(fds[0], answer.data(), answer.size()), 0)));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(answer, "held");
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
}

// Permission bits bind root only through a child that has given up its privileges.
TEST(LinesUnprivileged, RefuseWhatTheUserMayNotTouch) {
    if (!testing::CanDropPrivileges()) {
        GTEST_SKIP() << "needs root to run a child as an unprivileged user";
    }
    TempDir dir;
    const std::string secret = dir.file("secret.NET");
    const std::string inClosedFolder = dir.file("new.NET");
    WriteFileBytes(secret, "old\r\n");
    ASSERT_EQ(::chmod(secret.c_str(), 0600), 0);
    std::string answer = testing::RunInChild({.dropPrivileges = true}, [&] {
        return FailureOf([&] { SaveNew(inClosedFolder); }) + "|" + FailureOf([&] { ReadLineFile(secret); });
    });
    EXPECT_EQ(answer, Message(msg::CannotCreate, inClosedFolder) + "|" + Message(msg::CannotOpen, secret));
    EXPECT_FALSE(fs::exists(inClosedFolder));
}

} // namespace
} // namespace netedit
