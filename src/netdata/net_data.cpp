#include "netdata/net_data.h"

#include "netdata/entry_text.h"
#include "runtime/failure.h"
#include "runtime/line_file.h"
#include "runtime/messages.h"

namespace netedit {

namespace {

constexpr std::string_view EntryKey = "Name=";

} // namespace

NetData SplitNetData(std::string bytes, std::string_view path) {
    // Only the lines that begin with "[" or "N" are looked at: a header closes the open body and
    // opens the next, an entry line belongs to the open section.
    NetData data;
    std::vector<SectionTable::Span> bodies;
    const std::string_view text = bytes;
    ForEachLineBeginningWith(text, '[', 'N', [&](std::size_t at) {
        if (text[at] == '[') {
            if (bodies.size() == SectionTable::MaxSections) {
                throw Failure(Message(msg::TooManySections, path));
            }
            if (!bodies.empty()) {
                bodies.back().second = at;
            }
            const std::size_t end = LineEndFrom(text, at);
            bodies.emplace_back(end + TerminatorLength(text, end), text.size());
        } else if (!bodies.empty() && text.substr(at).starts_with(EntryKey)) {
            const std::size_t name = at + EntryKey.size();
            data.entries.push_back(MakeEntryText(static_cast<int>(bodies.size() - 1),
                                                 text.substr(name, LineEndFrom(text, name) - name)));
        }
    });
    if (bodies.empty()) {
        bytes = std::string(); // a file of preamble alone holds nothing worth its memory
    }
    data.sections = SectionTable(std::move(bytes), std::move(bodies));
    return data;
}

NetData LoadNetData(const std::string& path) {
    return SplitNetData(ReadLineFile(path), path);
}

} // namespace netedit
