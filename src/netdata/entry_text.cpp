#include "netdata/entry_text.h"

#include "runtime/text.h"

namespace netedit {

std::string MakeEntryText(int section, std::string_view name) {
    std::string text = "[" + IndexText(section, 3) + "] ";
    text.append(name.substr(0, MaxNameBytes));
    return text;
}

int SectionOfEntry(std::string_view entryText) {
    return TextToNum(CopyPart(entryText, 2, 3));
}

} // namespace netedit
