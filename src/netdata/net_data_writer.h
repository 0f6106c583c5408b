#pragma once

#include "netdata/section_table.h"

#include <string>
#include <vector>

namespace netedit {

// The backup of the replaced file and the entries left over, beside the files they belong to.
inline constexpr const char* BackupFileName = "OBNNET.ORG";
inline constexpr const char* RemainderFileName = "OBNNET.TMP";

// The text of a new net data file: for each entry in list order a header "[" + its position
// + "]", then the body of the entry's section byte for byte, every line ended by CR LF.
// Fails when an entry text carries no section number of the table.
std::string BuildNetDataText(const std::vector<std::string>& entries, const SectionTable& sections);

// Writes `chosen` as the new file at `target` and `remaining` (when there are any) as the
// remainder file in `sourceDirectory`. When the target lies in the source directory, the file
// standing there is first moved aside as the backup file, replacing an older backup, and the
// new file takes its permission bits; if it cannot be moved aside, nothing is written. The
// backup file, and the remainder file while there is a remainder, are refused as targets there.
// Answers whether the target lay in the source directory.
bool SaveNetData(const std::string& target, const std::string& sourceDirectory,
                 const std::vector<std::string>& chosen, const std::vector<std::string>& remaining,
                 const SectionTable& sections);

} // namespace netedit
