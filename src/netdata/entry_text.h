#pragma once

#include <string>
#include <string_view>

namespace netedit {

// An entry as both lists show it: "[" + section number right-aligned in 3 + "] " + name.
// Positions 2 to 4 are the only link back to the entry's section.
inline constexpr std::size_t MaxNameBytes = 255;

// The entry text for `section` (0-255) and the name (cut after its 255th byte).
std::string MakeEntryText(int section, std::string_view name);

// The section number that positions 2 to 4 carry. Fails with "'%s' は整数ではありません"
// when they are no number.
int SectionOfEntry(std::string_view entryText);

} // namespace netedit
