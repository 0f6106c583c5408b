#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace netedit {

// Plain decimal, "-" before a negative value, no padding.
std::string NumToText(std::int32_t value);

// A signed 32-bit integer: leading spaces skipped, optional sign, decimal digits, or "$" and up
// to 8 hexadecimal digits. Fails with "'%s' は整数ではありません" (the text as passed in).
std::int32_t TextToNum(std::string_view text);

// 1-based position of the first occurrence of `sub` in `s`, byte-wise; 0 when none or either is empty.
std::size_t FindPos(std::string_view sub, std::string_view s);

// The substring from 1-based `index`, `count` bytes, clamped: index below 1 counts as 1,
// an index past the end or a negative count gives the empty string.
std::string CopyPart(std::string_view s, std::int64_t index, std::int64_t count);

} // namespace netedit
