#include "netdata/entry_text.h"

#include "runtime/text.h"

namespace netedit {

std::string MakeEntryText(int section, std::string_view name) {
    const std::string_view shown = name.substr(0, MaxNameBytes);
    std::string text;
    text.reserve(6 + shown.size());
    // Every loaded entry comes this way: the digits are written straight in.
    const char number[] = {'[',
                           section >= 100 ? static_cast<char>('0' + section / 100) : ' ',
                           section >= 10 ? static_cast<char>('0' + section / 10 % 10) : ' ',
                           static_cast<char>('0' + section % 10),
                           ']',
                           ' '};
    text.append(number, sizeof number);
    return text.append(shown);
}

int SectionOfEntry(std::string_view entryText) {
    return TextToNum(CopyPart(entryText, 2, 3));
}

} // namespace netedit
