#include "netdata/entry_text.h"

#include "runtime/text.h"

namespace netedit {

std::string MakeEntryText(int section, std::string_view name) {
    const std::string_view shown = name.substr(0, MaxNameBytes);
    std::string text;
    text.reserve(6 + shown.size());
    text.append("[").append(IndexText(section, 3)).append("] ").append(shown);
    return text;
}

int SectionOfEntry(std::string_view entryText) {
    return TextToNum(CopyPart(entryText, 2, 3));
}

} // namespace netedit
