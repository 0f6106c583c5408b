// Arbitrary bytes as a number text and as a path: the number reader against a plain reference,
// numbers written and read back, and the path parts with both sets of separators.
#include "runtime/codec.h"
#include "runtime/failure.h"
#include "runtime/paths.h"
#include "runtime/text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace netedit;

namespace {

void Require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
    return IsDecimalDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::string_view WithoutLeadingZeros(std::string_view digits) {
    while (!digits.empty() && digits.front() == '0') {
        digits.remove_prefix(1);
    }
    return digits;
}

// The number reader written the long way: check the form, then count significant digits, then
// convert with the C library, which has room for every text that passes the count.
std::optional<std::int32_t> ReferenceTextToNum(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    std::string_view rest = text.substr(i);
    if (!rest.empty() && rest.front() == '$') {
        const std::string_view digits = rest.substr(1);
        if (digits.empty()) {
            return std::nullopt;
        }
        for (char c : digits) {
            if (!IsHexDigit(c)) {
                return std::nullopt;
            }
        }
        const std::string_view significant = WithoutLeadingZeros(digits);
        if (significant.size() > 8) {
            return std::nullopt;
        }
        const auto value =
            std::strtoul(std::string(significant.empty() ? "0" : significant).c_str(), nullptr, 16);
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    }
    bool negative = false;
    if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    if (rest.empty()) {
        return std::nullopt;
    }
    for (char c : rest) {
        if (!IsDecimalDigit(c)) {
            return std::nullopt;
        }
    }
    const std::string_view significant = WithoutLeadingZeros(rest);
    if (significant.size() > 10) {
        return std::nullopt;
    }
    long long value = std::strtoll(std::string(significant.empty() ? "0" : significant).c_str(), nullptr, 10);
    if (negative) {
        value = -value;
    }
    if (value < INT32_MIN || value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> TryTextToNum(std::string_view text) {
    try {
        return TextToNum(text);
    } catch (const Failure& failure) {
        // The message quotes the text exactly as passed in, whatever bytes it holds.
        Require(failure.message().size() > text.size() + 2);
        Require(failure.message().compare(0, text.size() + 2, "'" + std::string(text) + "'") == 0);
        return std::nullopt;
    }
}

void CheckNumbers(std::string_view input) {
    Require(TryTextToNum(input) == ReferenceTextToNum(input));

    if (input.size() >= 4) {
        std::int32_t value;
        std::memcpy(&value, input.data(), sizeof value);
        const std::string text = NumToText(value);
        Require(text == std::to_string(value));
        Require(TryTextToNum(text) == value);
        Require(TryTextToNum("   " + text) == value); // as an entry text carries its section
        Require(!TryTextToNum(text + " ").has_value());
    }
}

bool IsSeparator(char c, PathStyle style) {
    return c == '/' || (style != PathStyle::Posix && (c == '\\' || c == ':'));
}

void CheckPath(std::string_view path, PathStyle style) {
    // Which bytes are second bytes of a double-byte character, found by walking the path. Only
    // Windows' code page 932 paths have them: on POSIX a name may be UTF-8, whose bytes can look
    // like lead bytes, and "/" and "." are never second bytes in code page 932 either.
    std::vector<bool> secondByte(path.size(), false);
    for (std::size_t pos = 0; pos < path.size();) {
        if (style == PathStyle::Windows && IsLeadByte(static_cast<unsigned char>(path[pos]))) {
            if (pos + 1 < path.size()) {
                secondByte[pos + 1] = true;
            }
            pos += 2;
        } else {
            ++pos;
        }
    }
    std::size_t nameStart = 0;
    std::optional<std::size_t> dot;
    for (std::size_t pos = 0; pos < path.size(); ++pos) {
        if (secondByte[pos]) {
            continue;
        }
        if (IsSeparator(path[pos], style)) {
            nameStart = pos + 1;
            dot.reset();
        } else if (path[pos] == '.') {
            dot = pos;
        }
    }

    const std::string dir = DirPart(path, style);
    const std::string name = NamePart(path, style);
    Require(dir == path.substr(0, nameStart));
    Require(dir.empty() || (IsSeparator(dir.back(), style) && !secondByte[dir.size() - 1]));
    Require(name.size() <= 255);
    Require(name == path.substr(nameStart, 255));
    if (path.size() - dir.size() <= 255) {
        Require(dir + name == path);
    }

    const std::string replaced = ReplaceExt(path, ".INI", style);
    Require(replaced == std::string(path.substr(0, dot.value_or(path.size()))) + ".INI");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    CheckNumbers(input);
    CheckPath(input, PathStyle::Windows);
    CheckPath(input, PathStyle::Posix);
    CheckPath(input, PathStyle::WindowsUtf8);
    return 0;
}
