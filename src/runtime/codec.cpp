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

// Whether `utf8` survives the way to code page 932 and back unchanged, and its bytes there.
bool RoundTrips(std::string_view utf8, std::string& cp932) {
    bool exact = true;
    cp932 = platform::ConvertUtf8ToCp932(std::string(utf8), exact);
    return exact && DecodeCp932(cp932) == utf8;
}

} // namespace

std::string DecodeCp932(std::string_view bytes) {
    if (IsAscii(bytes)) {
        return std::string(bytes);
    }
    bool exact = true;
    return platform::ConvertCp932ToUtf8(std::string(bytes), exact);
}

std::string EncodeCp932(std::string_view utf8) {
    if (IsAscii(utf8)) {
        return std::string(utf8);
    }
    bool exact = true;
    return platform::ConvertUtf8ToCp932(std::string(utf8), exact);
}

std::optional<std::string> DecodeCp932Exactly(std::string_view bytes) {
    if (IsAscii(bytes)) {
        return std::string(bytes);
    }
    bool exact = true;
    std::string utf8 = platform::ConvertCp932ToUtf8(std::string(bytes), exact);
    if (!exact) {
        return std::nullopt;
    }
    return utf8;
}

std::string EncodeCp932Path(std::string_view utf8) {
    std::string whole;
    if (IsAscii(utf8) || RoundTrips(utf8, whole)) {
        return IsAscii(utf8) ? std::string(utf8) : whole;
    }
    // Rare: find the characters that do not survive, one at a time.
    std::string path;
    std::string one;
    while (!utf8.empty()) {
        const std::size_t length =
            Utf8Length(reinterpret_cast<const unsigned char*>(utf8.data()), utf8.size());
        path += RoundTrips(utf8.substr(0, length), one) ? one : std::string(1, UnnamableByte);
        utf8.remove_prefix(length);
    }
    return path;
}

} // namespace netedit
