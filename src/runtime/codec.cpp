#include "runtime/codec.h"

#include "runtime/platform.h"

#include <algorithm>

namespace netedit {

namespace {

// Most of the program's text (keys, numbers, ASCII paths) is the same in both encodings.
bool IsAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

std::string DecodeCp932(std::string_view bytes) {
    if (IsAscii(bytes)) {
        return std::string(bytes);
    }
    return platform::ConvertCp932ToUtf8(std::string(bytes));
}

std::string EncodeCp932(std::string_view utf8) {
    if (IsAscii(utf8)) {
        return std::string(utf8);
    }
    return platform::ConvertUtf8ToCp932(std::string(utf8));
}

} // namespace netedit
