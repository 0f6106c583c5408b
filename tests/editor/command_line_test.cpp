#include "editor/command_line.h"

#include <gtest/gtest.h>

namespace netedit {
namespace {

TEST(CommandLine, HelpVersionAndMisusesEndTheProgramWhileOneFileOpens) {
    using Words = std::vector<std::string>;
    const struct {
        Words arguments;
        bool opens;
        Words file;
        int status;
        std::string output, error; // how each begins; "" for nothing at all
    } rows[] = {
        // clang-format off
        {{}, true, {}, 0, "", ""},
        {{"OBN.NET"}, true, {"OBN.NET"}, 0, "", ""},
        {{"--", "-x.NET"}, true, {"-x.NET"}, 0, "", ""},
        {{"-"}, true, {"-"}, 0, "", ""},
        {{"-h", "--bad"}, false, {}, 0, "Usage: netedit [OPTION]... [FILE]\n", ""},
        {{"A", "--help"}, false, {}, 0, "Usage: ", ""},
        {{"--version", "A", "B"}, false, {}, 0, "netedit ", ""},
        {{"--helpx"}, false, {}, 2, "", "netedit: unknown option '--helpx'\nUsage: "},
        {{"-platform", "offscreen"}, false, {}, 2, "", "netedit: unknown option '-platform'\n"},
        {{"-v"}, false, {}, 2, "", "netedit: unknown option '-v'\n"},
        {{"A", "--", "B"}, false, {}, 2, "", "netedit: only one file can be opened\n"},
        {{"--", ""}, false, {}, 2, "", "netedit: an empty argument names no file\n"},
#ifdef _WIN32
        {{"/?"}, false, {}, 0, "Usage: ", ""}, // Windows' own way of asking
        {{"--", "/?"}, true, {"/?"}, 0, "", ""},
#else
        {{"/?"}, true, {"/?"}, 0, "", ""}, // a file in the root
#endif
        // clang-format on
    };
    for (const auto& row : rows) {
        const CommandLine command = ReadCommandLine(row.arguments);
        const std::string what = ::testing::PrintToString(row.arguments);
        EXPECT_EQ(command.opensWindow, row.opens) << what;
        EXPECT_EQ(command.file, row.file) << what;
        EXPECT_EQ(command.exitStatus, row.status) << what;
        EXPECT_EQ(command.standardOutput.substr(0, row.output.size()), row.output) << what;
        EXPECT_EQ(command.standardOutput.empty(), row.output.empty()) << what;
        EXPECT_EQ(command.standardError.substr(0, row.error.size()), row.error) << what;
        EXPECT_EQ(command.standardError.empty(), row.error.empty()) << what;
    }
}

} // namespace
} // namespace netedit
