#pragma once

#include "netdata/section_table.h"
#include "runtime/platform.h"
#include "runtime/safe_save.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace netedit {

// The backup of the replaced file and the entries left over, beside the files they belong to.
inline constexpr const char* BackupFileName = "OBNNET.ORG";
inline constexpr const char* RemainderFileName = "OBNNET.TMP";

// The text of a new net data file, handed to a sink a megabyte at a time: for each entry in list
// order a header "[" + its position + "]", then the body of the entry's section byte for byte,
// every line ended by CR LF. Fails at once, before any text, when an entry text carries no
// section number of the table. `sections` must outlive the producer.
TextProducer NetDataText(const std::vector<std::string>& entries, const SectionTable& sections);

// How a save ended: in the loaded file's folder (the file standing at the target, if any, now the
// backup), in another folder, or abandoned before anything changed.
enum class SaveResult { InLoadedFolder, Elsewhere, Abandoned };

// Writes `chosen` as the new file at `target` and `remaining` (when there are any) as the
// remainder file beside the file loaded from `loadedPath`, the loaded file's permission bits
// with it. When the target lies in that folder, the file standing there is moved aside as the
// backup file, replacing an older backup; if it cannot be, nothing is changed. Both new files
// are written and flushed before anything is moved or replaced, so a failure while writing
// changes nothing; `mayReplace` is asked then, just before the first change, and false abandons
// the save with every file as it was. A symbolic link as target or loaded file stands for the
// file it leads to; the backup and remainder are names the program chooses, and a link there is
// replaced as a name, never followed. The backup file, and the remainder file while there is a
// remainder, are refused as targets there, and so is a read-only file anywhere, with the access
// message; so is a save that would have to replace a name the user may not replace.
SaveResult SaveNetData(const std::string& target, const std::string& loadedPath,
                       const std::vector<std::string>& chosen, const std::vector<std::string>& remaining,
                       const SectionTable& sections, const std::function<bool()>& mayReplace);
// The same, never abandoned: whether the target lay in the loaded file's folder.
bool SaveNetData(const std::string& target, const std::string& loadedPath,
                 const std::vector<std::string>& chosen, const std::vector<std::string>& remaining,
                 const SectionTable& sections);

// The file the entries were loaded from, as it stood when it was read (no stamp when it could
// not be looked at): a save does not replace it unasked once another program has changed it.
struct LoadedFile {
    std::string path;
    std::optional<platform::FileStamp> stamp;
};

// Stamps the file at `path` before it is read: a change while it is read shows as a change.
LoadedFile StampLoaded(const std::string& path);
// Whether a save at `target` would move aside or replace the loaded file although it is no
// longer the one loaded (replaced by another file, or written since): the stamp of the file
// standing there then, none when nothing changed.
std::optional<platform::FileStamp> ChangeSinceLoad(const LoadedFile& loaded, const std::string& target);
// The user agreed to replace the changed file as it stood with `standing`: only a further change
// is one since the load.
void AcceptChange(LoadedFile& loaded, const platform::FileStamp& standing);
// After a save at `target`: what now stands under the loaded file's name is the program's own.
void FollowSave(LoadedFile& loaded, const std::string& target);

} // namespace netedit
