#pragma once

#include "netdata/section_table.h"

#include <string>
#include <string_view>
#include <vector>

namespace netedit {

// A loaded net data file: the section bodies and one entry text per "Name=" line, in file order.
struct NetData {
    SectionTable sections;
    std::vector<std::string> entries;
};

// Splits the bytes of a net data file, in one pass over them. A line that begins with "[" opens a
// section; the lines before the first one are preamble and play no part. Each body line that
// begins with "Name=" makes an entry. Fails with "ﾌｧｲﾙ %s のｾｸｼｮﾝ数が255を超えています"
// (`path` for %s) when the file has more sections than an entry text can number.
NetData SplitNetData(std::string bytes, std::string_view path);

// Reads and splits the file at `path`.
NetData LoadNetData(const std::string& path);

} // namespace netedit
