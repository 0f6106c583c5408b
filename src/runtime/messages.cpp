#include "runtime/messages.h"

#include "runtime/codec.h"

#include <array>
#include <string>

namespace netedit {

namespace {

using platform::IoResult;

// The results with words of their own; any other is shown by its number.
struct ResultText {
    IoResult result;
    std::string_view text;
};

constexpr std::array<ResultText, 4> ResultTexts{{
    {IoResult::NotFound, "ﾌｧｲﾙが見つかりません"},
    {IoResult::BadPath, "不正なﾌｧｲﾙ名です"},
    {IoResult::TooManyOpen, "ｵｰﾌﾟﾝしたﾌｧｲﾙが多すぎます"},
    {IoResult::Denied, "ﾌｧｲﾙへのｱｸｾｽが拒否されました"},
}};

} // namespace

std::string Message(std::string_view fixed, std::string_view arg) {
    // Split before encoding, so that the argument's bytes are never taken for a "%s".
    auto mark = fixed.find("%s");
    if (mark == std::string_view::npos) {
        return EncodeCp932(fixed);
    }
    std::string result = EncodeCp932(fixed.substr(0, mark));
    result += arg;
    result += EncodeCp932(fixed.substr(mark + 2));
    return result;
}

std::string IOMessage(IoResult result) {
    for (const auto& entry : ResultTexts) {
        if (entry.result == result) {
            return Message(entry.text);
        }
    }
    return Message("I/O ｴﾗｰ (%s)", std::to_string(static_cast<int>(result)));
}

} // namespace netedit
