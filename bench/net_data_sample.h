#pragma once

#include <string>

namespace netedit::bench {

// A net data file of `sections` sections and about `lines` lines, one entry every
// `linesPerEntry` lines, with CR LF line ends.
inline std::string MakeNetData(int sections, long lines, long linesPerEntry) {
    std::string text;
    text.reserve(static_cast<std::size_t>(lines) * 24);
    const long perSection = lines / sections;
    long written = 0;
    for (int s = 0; s < sections; ++s) {
        text.append("[").append(std::to_string(s)).append("]\r\n");
        ++written;
        for (long i = 1; i < perSection && written < lines; ++i, ++written) {
            if (i % linesPerEntry == 1) {
                text.append("Name=接続先").append(std::to_string(written)).append("\r\n");
            } else {
                text.append("Tel=03-0000-").append(std::to_string(written % 10000)).append("\r\n");
            }
        }
    }
    return text;
}

} // namespace netedit::bench
