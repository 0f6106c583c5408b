#include "runtime/text.h"

#include "runtime/failure.h"
#include "runtime/messages.h"

#include <algorithm>
#include <optional>

namespace netedit {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// "$" and its digits; at most 8 significant digits, read as the 32 bits they spell.
std::optional<std::int32_t> ParseHex(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    int significant = 0;
    for (char c : digits) {
        int digit = HexValue(c);
        if (digit < 0) {
            return std::nullopt;
        }
        if (significant > 0 || digit != 0) {
            if (++significant > 8) {
                return std::nullopt;
            }
        }
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> ParseDecimal(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    constexpr std::int64_t Limit = std::int64_t{1} << 31; // magnitude of the lowest value
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
        if (value > Limit) {
            return std::nullopt;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value >= Limit) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

} // namespace

std::string NumToText(std::int32_t value) {
    return std::to_string(value);
}

std::int32_t TextToNum(std::string_view text) {
    std::string_view rest = text;
    while (!rest.empty() && rest.front() == ' ') {
        rest.remove_prefix(1);
    }
    auto value = !rest.empty() && rest.front() == '$' ? ParseHex(rest.substr(1)) : ParseDecimal(rest);
    if (!value) {
        throw Failure(Message(msg::NotAnInteger, text));
    }
    return *value;
}

std::size_t FindPos(std::string_view sub, std::string_view s) {
    if (sub.empty() || s.empty()) {
        return 0;
    }
    auto at = s.find(sub);
    return at == std::string_view::npos ? 0 : at + 1;
}

std::string CopyPart(std::string_view s, std::int64_t index, std::int64_t count) {
    auto size = static_cast<std::int64_t>(s.size());
    if (index > size || count < 0) {
        return {};
    }
    index = std::max<std::int64_t>(index, 1);
    auto length = std::min(count, size - index + 1);
    return std::string(s.substr(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(length)));
}

} // namespace netedit
