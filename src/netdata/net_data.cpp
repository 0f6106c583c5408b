#include "netdata/net_data.h"

#include "netdata/entry_text.h"
#include "runtime/failure.h"
#include "runtime/messages.h"

namespace netedit {

namespace {

constexpr std::string_view EntryKey = "Name=";

bool IsHeader(std::string_view line) {
    return !line.empty() && line.front() == '[';
}

} // namespace

NetData SplitNetData(LineList lines, std::string_view path) {
    // One pass: a header opens the next section, an entry line belongs to the open one.
    NetData data;
    std::vector<std::size_t> headers;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (IsHeader(line)) {
            if (headers.size() == SectionTable::MaxSections) {
                throw Failure(Message(msg::TooManySections, path));
            }
            headers.push_back(i);
        } else if (!headers.empty() && line.starts_with(EntryKey)) {
            data.entries.push_back(
                MakeEntryText(static_cast<int>(headers.size() - 1), line.substr(EntryKey.size())));
        }
    }
    data.sections = SectionTable(std::move(lines), std::move(headers));
    return data;
}

NetData LoadNetData(const std::string& path) {
    LineList lines;
    LoadLines(path, lines);
    return SplitNetData(std::move(lines), path);
}

} // namespace netedit
