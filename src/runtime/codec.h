#pragma once

#include <cstddef>
#include <optional>
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

// Decodes a path for the system: nothing when a byte is no valid character, since any stand-in
// would name another file.
std::optional<std::string> DecodeCp932Exactly(std::string_view bytes);

// The byte that stands in a path for a character the code page cannot hold. No character of
// the code page uses it, so such a path names no file: every use of it fails as for a bad name.
inline constexpr char UnnamableByte = '\xFF';

// Encodes a path from the system. A character that does not come back the same from code page
// 932 (not held, or held as another one) becomes UnnamableByte, never a look-alike.
std::string EncodeCp932Path(std::string_view utf8);

// The length of the UTF-8 character at `data` (`left` bytes remain), 1 for a byte that starts
// none, less when the character is cut short.
constexpr std::size_t Utf8Length(const unsigned char* data, std::size_t left) {
    const unsigned char lead = data[0];
    const std::size_t length = lead >= 0xF0 && lead <= 0xF7 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    for (std::size_t k = 1; k < length; ++k) {
        if (k >= left || (data[k] & 0xC0) != 0x80) {
            return k;
        }
    }
    return length;
}

// Whether the byte opens a double-byte character in code page 932 (0x81-0x9F, 0xE0-0xFC).
constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

} // namespace netedit
