#include "netdata/net_data.h"

#include "netdata/entry_text.h"
#include "runtime/failure.h"
#include "runtime/messages.h"

namespace netedit {

namespace {

constexpr std::string_view EntryKey = "Name=";

bool IsHeader(std::string_view line) { return !line.empty() && line.front() == '['; }

} // namespace

NetData SplitNetData(LineList lines, std::string_view path) {
    std::vector<std::size_t> headers;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (IsHeader(lines[i])) {
            if (headers.size() == SectionTable::MaxSections) {
                throw Failure(Message(msg::TooManySections, path));
            }
            headers.push_back(i);
        }
    }

    NetData data;
    for (std::size_t k = 0; k < headers.size(); ++k) {
        const std::size_t end = k + 1 < headers.size() ? headers[k + 1] : lines.size();
        for (std::size_t i = headers[k] + 1; i < end; ++i) {
            const std::string_view line = lines[i];
            if (line.starts_with(EntryKey)) {
                data.entries.push_back(MakeEntryText(static_cast<int>(k), line.substr(EntryKey.size())));
            }
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
