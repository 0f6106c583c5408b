#pragma once

#include <string>
#include <string_view>

namespace netedit {

// Code page 932 is the program's text in memory; these are the only crossings to Unicode.

// Decodes code page 932 bytes to UTF-8 for drawing. Bytes that are no valid character become
// U+FFFD, one per undecodable byte; NUL and control bytes pass through as themselves.
std::string DecodeCp932(std::string_view bytes);

// Encodes UTF-8 to code page 932. A character that the code page cannot hold becomes "?",
// as a Windows program that is not Unicode-aware would see it.
std::string EncodeCp932(std::string_view utf8);

// Whether the byte opens a double-byte character in code page 932 (0x81-0x9F, 0xE0-0xFC).
constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

} // namespace netedit
