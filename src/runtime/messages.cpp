#include "runtime/messages.h"

#include "runtime/codec.h"

#include <array>
#include <string>

namespace netedit {

namespace {

struct CodeText {
    int code;
    std::string_view text;
};

constexpr std::array<CodeText, 7> CodeTexts{{
    {2, "ﾌｧｲﾙが見つかりません"},
    {3, "不正なﾌｧｲﾙ名です"},
    {4, "ｵｰﾌﾟﾝしたﾌｧｲﾙが多すぎます"},
    {5, "ﾌｧｲﾙへのｱｸｾｽが拒否されました"},
    {100, "ﾌｧｲﾙの末尾以降を読み込みました"},
    {101, "ﾃﾞｨｽｸがいっぱいです"},
    {106, "入力値が数値ではありません"},
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

std::string IOMessage(int code) {
    for (const auto& entry : CodeTexts) {
        if (entry.code == code) {
            return Message(entry.text);
        }
    }
    return Message("I/O ｴﾗｰ (%s)", std::to_string(code));
}

} // namespace netedit
