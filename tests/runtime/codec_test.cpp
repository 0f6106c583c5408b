#include "runtime/codec.h"

#include <gtest/gtest.h>

namespace netedit {
namespace {

struct Pair {
    const char* name;
    std::string cp932;
    std::string utf8;
};

class CodecPairs : public ::testing::TestWithParam<Pair> {};

TEST_P(CodecPairs, DecodesAndEncodesBothWays) {
    EXPECT_EQ(DecodeCp932(GetParam().cp932), GetParam().utf8);
    EXPECT_EQ(EncodeCp932(GetParam().utf8), GetParam().cp932);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CodecPairs,
    ::testing::Values(
        Pair{"Empty", "", ""},
        Pair{"AsciiWithControls", std::string("A\0\x1A\t\r\n~\\", 8), std::string("A\0\x1A\t\r\n~\\", 8)},
        Pair{"Hiragana", "\x82\xA0\x82\xA2", "あい"},
        // 表 ends in 0x5C, the byte of "\" in ASCII.
        Pair{"TrailBackslash", "C:\\\x83\x66\x81\x5B\x83\x5E\\\x95\x5C\\OBN.NET", "C:\\データ\\表\\OBN.NET"},
        Pair{"HalfWidthKana", "\xCC\xA7\xB2\xD9", "ﾌｧｲﾙ"}, Pair{"Kanji", "\x95\x73\x90\xB3", "不正"}),
    [](const auto& info) { return info.param.name; });

TEST(Codec, UndecodableBytesBecomeOneReplacementEach) {
    const std::string fffd = "\xEF\xBF\xBD";
    struct Row {
        std::string cp932;
        std::string utf8;
    };
    const Row rows[] = {
        {"\x80", fffd},
        {"A\x80"
         "B",
         "A" + fffd + "B"},
        {"\x82", fffd},          // a lead byte cut off by the end
        {"\x82 A", fffd + " A"}, // a lead byte whose follower is no trail byte
        {"\xFD\xFE\xFF", fffd + fffd + fffd},
        {"\x82\xA0\x80\x82\xA0", "あ" + fffd + "あ"},
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
    };
    for (const auto& row : rows) {
        EXPECT_EQ(EncodeCp932Path(row.utf8), row.cp932) << row.utf8;
    }
    EXPECT_EQ(DecodeCp932Exactly("C:\\\x95\x5C"), "C:\\表");
    EXPECT_EQ(DecodeCp932Exactly("/tmp/Z\xFFrich.NET"), std::nullopt);
}

} // namespace
} // namespace netedit
