#include "runtime/codec.h"

#include <gtest/gtest.h>

namespace netedit {
namespace {

TEST(Codec, DecodesAndEncodesBothWays) {
    const struct {
        std::string cp932, utf8;
    } rows[] = {
        {"", ""},
        {std::string("A\0\x1A\t\r\n~\\", 8), std::string("A\0\x1A\t\r\n~\\", 8)},
        {"\x82\xA0\x82\xA2", "あい"},
        // 表 ends in 0x5C, the byte of "\" in ASCII.
        {"C:\\\x83\x66\x81\x5B\x83\x5E\\\x95\x5C\\OBN.NET", "C:\\データ\\表\\OBN.NET"},
        {"\xCC\xA7\xB2\xD9", "ﾌｧｲﾙ"},
        {"\x95\x73\x90\xB3", "不正"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(DecodeCp932(row.cp932), row.utf8);
        EXPECT_EQ(EncodeCp932(row.utf8), row.cp932) << row.utf8;
    }
}

TEST(Codec, UndecodableBytesBecomeOneReplacementEach) {
    const std::string fffd = "\xEF\xBF\xBD";
    const struct {
        std::string cp932, utf8;
    } rows[] = {
        // clang-format off
        {"\x80", fffd}, {"A\x80" "B", "A" + fffd + "B"}, {"\x82", fffd} /* a lead byte cut off by the end */,
        {"\x82 A", fffd + " A"} /* a lead byte whose follower is no trail byte */, {"\xFD\xFE\xFF", fffd + fffd + fffd},
        {"\x82\xA0\x80\x82\xA0", "あ" + fffd + "あ"},
        // clang-format on
    };
    for (const auto& row : rows) {
        EXPECT_EQ(DecodeCp932(row.cp932), row.utf8) << ::testing::PrintToString(row.cp932);
    }
}

TEST(Codec, UnencodableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(EncodeCp932("A😀B"), "A?B");
    EXPECT_EQ(EncodeCp932("é"), "?");
    EXPECT_EQ(EncodeCp932("あ😀😀い"), "\x82\xA0??\x82\xA2");
    EXPECT_EQ(EncodeCp932("\xC3"), "?"); // a UTF-8 sequence cut off by the end
}

TEST(Codec, PathsFromTheSystemNeverTurnIntoOtherNames) {
    const struct {
        const char* utf8;
        std::string cp932;
    } rows[] = {
        {"C:\\データ\\表\\OBN.NET", "C:\\\x83\x66\x81\x5B\x83\x5E\\\x95\x5C\\OBN.NET"},
        {"/tmp/Zürich.NET", "/tmp/Z\xFFrich.NET"},
        {"〜😀あ", "\xFF\xFF\x82\xA0"}, // the wave dash would come back as a full-width tilde
        {"a\x80z", "a\xFFz"},          // a byte that starts no character stands for itself alone
    };
    for (const auto& row : rows) {
        EXPECT_EQ(EncodeCp932Path(row.utf8), row.cp932) << row.utf8;
    }
    EXPECT_EQ(DecodeCp932Exactly("C:\\\x95\x5C"), "C:\\表");
    EXPECT_EQ(DecodeCp932Exactly("/tmp/Z\xFFrich.NET"), std::nullopt);
}

} // namespace
} // namespace netedit
