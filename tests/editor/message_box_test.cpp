#include "editor/message_box.h"
#include "runtime/failure.h"

#include <gtest/gtest.h>

namespace netedit {
namespace {

TEST(MessageBox, LayoutFollowsTheDialogUnits) {
    // Average width 6 and line height 12 make a unit across 1.5 px and a unit down 1.5 px;
    // 7 and 13 bring in the rounding (17.5 -> 18, 87.5 -> 88, 22.75 -> 23).
    const struct {
        FontMeasure font;
        int textWidth, textHeight;
        bool icon;
        int buttonCount;
        int width, height;
        PixelRect iconAt, messageAt;
        std::vector<PixelRect> buttonsAt;
    } rows[] = {
        // clang-format off
        {{6, 12}, 100, 24, true, 2, 180, 92, {12, 12, 32, 32}, {59, 12, 100, 24}, {{12, 59, 75, 21}, {93, 59, 75, 21}}},
        {{7, 13}, 300, 39, false, 1, 328, 104, {}, {14, 13, 300, 39}, {{120, 68, 88, 23}}},
        {{6, 12}, 20, 12, false, 3, 261, 72, {}, {12, 12, 20, 12}, {{12, 39, 75, 21}, {93, 39, 75, 21}, {174, 39, 75, 21}}},
        {{8, 16}, 40, 16, true, 1, 132, 112, {16, 16, 32, 32}, {68, 16, 40, 16}, {{16, 68, 100, 28}}}, // text lower than the icon
        // clang-format on
    };
    for (const auto& row : rows) {
        const MessageLayout got =
            LayoutMessage(row.font, row.textWidth, row.textHeight, row.icon, row.buttonCount);
        EXPECT_EQ(std::make_pair(got.clientWidth, got.clientHeight), std::make_pair(row.width, row.height));
        EXPECT_EQ(got.icon, row.iconAt);
        EXPECT_EQ(got.message, row.messageAt);
        EXPECT_EQ(got.buttons, row.buttonsAt);
    }
}

TEST(MessageBox, ButtonsStandInBitOrderAndEnterAndEscapePickTheirOwn) {
    const struct {
        unsigned set;
        const char* names; // left to right
        unsigned enter, escape;
    } rows[] = {
        // clang-format off
        {buttons::Yes | buttons::No, "Yes No ", buttons::Yes, buttons::No},
        {buttons::Ok, "OK ", buttons::Ok, buttons::Ok},
        {buttons::Yes | buttons::Ok | buttons::Cancel, "Yes OK Cancel ", buttons::Ok, buttons::Cancel},
        {buttons::No | buttons::Cancel, "No Cancel ", 0, buttons::Cancel},
        {buttons::Abort | buttons::Retry | buttons::Ignore, "Abort Retry Ignore ", buttons::Retry, 0},
        {0x1A4, "OK Retry All Help ", buttons::Ok, buttons::Ok},
        // clang-format on
    };
    for (const auto& row : rows) {
        std::string names;
        for (const BoxButton& button : ButtonsOf(row.set)) {
            names += std::string(button.name) + " ";
        }
        EXPECT_EQ(names, row.names);
        EXPECT_EQ(DefaultButtonOf(row.set), row.enter) << row.names;
        EXPECT_EQ(CancelButtonOf(row.set), row.escape) << row.names;
    }
    EXPECT_STREQ(ButtonsOf(buttons::Retry)[0].caption, "再試行(&R)");
    EXPECT_EQ(ButtonsOf(buttons::Help)[0].result, 0) << "help keeps the box open";
    EXPECT_EQ(FailureText(Failure("\x8F\x49\x82\xED\x82\xE8\x81\x42")), "\x8F\x49\x82\xED\x82\xE8\x81\x42.");
}

// A box's lines at a pixel a byte, within 10 pixels; a 250-character path without spaces too.
TEST(MessageBox, TextBreaksAtSpacesElseAfterSeparatorsElseBetweenCharacters) {
    const TextWidth bytes = [](std::string_view piece) { return static_cast<int>(piece.size()); };
    const struct {
        std::string text;
        std::vector<std::string> lines;
    } rows[] = {
        // clang-format off
        {"", {""}}, {"short", {"short"}}, {"two words here", {"two words ", "here"}}, {"a\nb", {"a", "b"}},
        {"C:\\data\\netdata\\OBN.NET", {"C:\\data\\", "netdata\\", "OBN.NET"}}, {"/srv/a/b/cd", {"/srv/a/b/", "cd"}},
        {"0123456789abc", {"0123456789", "abc"}}, {"データ表です", {"データ", "表です"}}, // never inside a character
        // clang-format on
    };
    for (const auto& row : rows) {
        EXPECT_EQ(WrapBoxText(row.text, 10, bytes), row.lines) << row.text;
    }
    std::string path = "C:";
    while (path.size() < 250) {
        path += "\\" + std::string(30, 'd');
    }
    std::string joined;
    for (const std::string& line : WrapBoxText(path, 60, bytes)) {
        EXPECT_LE(line.size(), 60U);
        joined += line;
    }
    EXPECT_EQ(joined, path);
}

// Keys in a box as in the system's own message boxes; a row's focus is a button's position.
TEST(MessageBox, KeysPressOrWalkTheButtons) {
    using enum Key;
    constexpr unsigned YesNo = buttons::Yes | buttons::No;
    constexpr unsigned Three = buttons::Abort | buttons::Retry | buttons::Ignore;
    constexpr KeyModifiers None{};
    constexpr KeyModifiers Alt{.alt = true};
    const struct {
        Key key;
        KeyModifiers modifiers;
        char letter;
        unsigned set;
        std::size_t focused;
        BoxKeyAction::Kind kind;
        std::size_t button;
    } rows[] = {
        // clang-format off
        {Escape, None, 0, YesNo, NoButton, BoxKeyAction::Press, 1},
        {Escape, None, 0, Three, 0, BoxKeyAction::Swallow, 0}, // no cancel button
        {Enter, None, 0, YesNo, 1, BoxKeyAction::Press, 1},
        {Enter, None, 0, YesNo, NoButton, BoxKeyAction::Press, 0},
        {Enter, None, 0, YesNo, 2, BoxKeyAction::Press, 0}, // the focus on no button of the box
        {Enter, None, 0, YesNo | buttons::NoByDefault, NoButton, BoxKeyAction::Press, 1},
        {Enter, None, 0, buttons::No | buttons::Cancel, NoButton, BoxKeyAction::Swallow, 0},
        {Right, None, 0, YesNo, 1, BoxKeyAction::Focus, 0},
        {Down, None, 0, Three, 0, BoxKeyAction::Focus, 1},
        {Tab, None, 0, Three, NoButton, BoxKeyAction::Focus, 0},
        {Left, None, 0, YesNo, 0, BoxKeyAction::Focus, 1},
        {Up, None, 0, Three, 2, BoxKeyAction::Focus, 1},
        {BackTab, None, 0, Three, NoButton, BoxKeyAction::Focus, 2},
        {Other, None, 'I', Three, 0, BoxKeyAction::Press, 2},
        {Other, Alt, 'N', YesNo, 0, BoxKeyAction::Press, 1},
        {Other, None, 'Q', YesNo, 0, BoxKeyAction::PassOn, 0},
        {Escape, Alt, 0, YesNo, 0, BoxKeyAction::PassOn, 0},
        {Enter, {.control = true}, 0, YesNo, 0, BoxKeyAction::PassOn, 0},
        // clang-format on
    };
    for (const auto& row : rows) {
        const BoxKeyAction action = DecideBoxKey(row.key, row.modifiers, row.letter, row.set, row.focused);
        EXPECT_EQ(action.kind, row.kind) << static_cast<int>(row.key) << " " << row.letter;
        if (row.kind == BoxKeyAction::Press || row.kind == BoxKeyAction::Focus) {
            EXPECT_EQ(action.button, row.button) << static_cast<int>(row.key) << " " << row.letter;
        }
    }
}

} // namespace
} // namespace netedit
