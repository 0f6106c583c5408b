#include "editor/message_box.h"

#include "editor/ui_texts.h"
#include "runtime/codec.h"
#include "runtime/failure.h"
#include "runtime/paths.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace netedit {

namespace {

// In bit order, which is also the order from left to right.
constexpr std::array<BoxButton, 9> ButtonTable{{
    {buttons::Yes, "はい(&Y)", results::Yes, "Yes"},
    {buttons::No, "いいえ(&N)", results::No, "No"},
    {buttons::Ok, "OK", results::Ok, "OK"},
    {buttons::Cancel, "ｷｬﾝｾﾙ", results::Cancel, "Cancel"},
    {buttons::Abort, "中止(&A)", results::Abort, "Abort"},
    {buttons::Retry, "再試行(&R)", results::Retry, "Retry"},
    {buttons::Ignore, "無視(&I)", results::Ignore, "Ignore"},
    {buttons::All, "すべて", results::All, "All"},
    {buttons::Help, "ﾍﾙﾌﾟ(&H)", 0, "Help"},
}};

unsigned FirstOf(unsigned buttonSet, std::initializer_list<unsigned> preference) {
    for (unsigned bit : preference) {
        if ((buttonSet & bit) != 0) {
            return bit;
        }
    }
    return 0;
}

// Multiplies and divides, rounding to the nearest pixel.
int Scale(int units, int numerator, int denominator) {
    return static_cast<int>((2LL * units * numerator + denominator) / (2LL * denominator));
}

} // namespace

std::vector<BoxButton> ButtonsOf(unsigned buttonSet) {
    std::vector<BoxButton> shown;
    std::copy_if(ButtonTable.begin(), ButtonTable.end(), std::back_inserter(shown),
                 [buttonSet](const BoxButton& row) { return (buttonSet & row.bit) != 0; });
    return shown;
}

unsigned DefaultButtonOf(unsigned buttonSet) {
    if ((buttonSet & buttons::NoByDefault) != 0) {
        return FirstOf(buttonSet, {buttons::No});
    }
    return FirstOf(buttonSet, {buttons::Ok, buttons::Yes, buttons::Retry});
}

unsigned CancelButtonOf(unsigned buttonSet) {
    return FirstOf(buttonSet, {buttons::Cancel, buttons::No, buttons::Ok});
}

BoxKeyAction DecideBoxKey(Key key, KeyModifiers modifiers, char letter, unsigned buttonSet,
                          std::size_t focused) {
    const std::vector<BoxButton> shown = ButtonsOf(buttonSet);
    const auto positionOf = [&shown](unsigned bit) {
        const auto found =
            std::find_if(shown.begin(), shown.end(), [bit](const BoxButton& b) { return b.bit == bit; });
        return found == shown.end() ? NoButton : static_cast<std::size_t>(found - shown.begin());
    };
    const auto pressOrSwallow = [](std::size_t position) {
        return position == NoButton ? BoxKeyAction{BoxKeyAction::Swallow}
                                    : BoxKeyAction{BoxKeyAction::Press, position};
    };
    // Alt leaves every key but a letter to the system (Alt+Tab, Alt+Escape).
    if (modifiers.control || shown.empty() || (modifiers.alt && key != Key::Other)) {
        return {};
    }
    const bool held = focused < shown.size();
    switch (key) {
    case Key::Escape:
        return pressOrSwallow(positionOf(CancelButtonOf(buttonSet)));
    case Key::Enter:
        return pressOrSwallow(held ? focused : positionOf(DefaultButtonOf(buttonSet)));
    case Key::Tab:
    case Key::Right:
    case Key::Down:
        return {BoxKeyAction::Focus, held ? (focused + 1) % shown.size() : 0};
    case Key::BackTab:
    case Key::Left:
    case Key::Up:
        return {BoxKeyAction::Focus, held && focused > 0 ? focused - 1 : shown.size() - 1};
    case Key::Other:
        break;
    }
    for (std::size_t position = 0; letter != '\0' && position < shown.size(); ++position) {
        const std::string_view caption = shown[position].caption;
        const std::size_t marker = caption.find('&');
        if (marker != std::string_view::npos && marker + 1 < caption.size() &&
            caption[marker + 1] == letter) {
            return {BoxKeyAction::Press, position};
        }
    }
    return {};
}

std::string BoxCaption(MsgKind kind) {
    switch (kind) {
    case MsgKind::Warning:
        return "警告";
    case MsgKind::Error:
        return "ｴﾗｰ";
    case MsgKind::Information:
        return "情報";
    case MsgKind::Confirmation:
        return "確認";
    case MsgKind::Custom:
        break;
    }
    return DecodeCp932(ProgramTitle());
}

namespace {

std::string Filled(std::string_view fixed, const std::string& utf8) {
    std::string text(fixed);
    return text.replace(text.find("%s"), 2, utf8);
}

} // namespace

std::string TextWithPath(std::string_view fixed, const std::string& path) {
    return Filled(fixed, DecodeCp932(path));
}

std::string HelpMissingText(const std::string& help) {
    return Filled(ui::HelpMissing, help);
}

std::string HelpNotShownText(const std::string& help) {
    return Filled(ui::HelpNotOpened, help);
}

std::string HelpNotOpenedText(std::string_view path) {
    std::string text = ui::HelpNotOpened;
    return text.replace(text.find("%s"), 2, path);
}

std::string FailureText(const Failure& failure) {
    return failure.message() + '.';
}

namespace {

// Where a line that is too wide breaks: after the last space that fits, else after the last
// separator that fits, else after the last character that fits (at least one).
std::size_t BreakOf(std::string_view rest, int maxWidth, const TextWidth& widthOf) {
    const auto characterAt = [rest](std::size_t at) {
        return Utf8Length(reinterpret_cast<const unsigned char*>(rest.data()) + at, rest.size() - at);
    };
    std::size_t fits = characterAt(0);
    std::size_t afterSpace = 0;
    std::size_t afterSeparator = 0;
    for (std::size_t at = 0; at < rest.size();) {
        const std::size_t next = at + characterAt(at);
        if (widthOf(rest.substr(0, next)) > maxWidth) {
            break;
        }
        afterSpace = rest[at] == ' ' ? next : afterSpace;
        afterSeparator = rest[at] == '\\' || rest[at] == '/' ? next : afterSeparator;
        fits = next;
        at = next;
    }
    return afterSpace != 0 ? afterSpace : afterSeparator != 0 ? afterSeparator : fits;
}

} // namespace

std::vector<std::string> WrapBoxText(std::string_view text, int maxWidth, const TextWidth& widthOf) {
    std::vector<std::string> lines;
    for (std::size_t end = 0; end != std::string_view::npos;) {
        const std::size_t begin = end;
        end = text.find('\n', begin);
        std::string_view rest = text.substr(begin, end == std::string_view::npos ? end : end - begin);
        end = end == std::string_view::npos ? end : end + 1;
        while (widthOf(rest) > maxWidth) {
            const std::size_t cut = BreakOf(rest, maxWidth, widthOf);
            lines.emplace_back(rest.substr(0, cut));
            rest.remove_prefix(cut);
        }
        lines.emplace_back(rest);
    }
    return lines;
}

MessageLayout LayoutMessage(FontMeasure font, int textWidth, int textHeight, bool hasIcon, int buttonCount,
                            int iconSize) {
    const auto across = [&](int units) { return Scale(units, font.averageWidth, 4); };
    const auto down = [&](int units) { return Scale(units, font.lineHeight, 8); };
    const int iconSpan = hasIcon ? iconSize + across(10) : 0;
    const int blockWidth = textWidth + iconSpan;
    const int blockHeight = hasIcon ? std::max(textHeight, iconSize) : textHeight;
    const int buttonWidth = across(50);
    const int gap = across(4);
    const int rowWidth = buttonCount > 0 ? buttonCount * buttonWidth + (buttonCount - 1) * gap : 0;

    MessageLayout layout;
    layout.clientWidth = std::max(blockWidth, rowWidth) + 2 * across(8);
    layout.clientHeight = blockHeight + down(10) + down(14) + 2 * down(8);
    if (hasIcon) {
        layout.icon = {across(8), down(8), iconSize, iconSize};
    }
    layout.message = {across(8) + iconSpan, down(8), textWidth, textHeight};
    const int top = down(8) + blockHeight + down(10);
    int left = (layout.clientWidth - rowWidth) / 2;
    for (int i = 0; i < buttonCount; ++i) {
        layout.buttons.push_back({left, top, buttonWidth, down(14)});
        left += buttonWidth + gap;
    }
    return layout;
}

} // namespace netedit
