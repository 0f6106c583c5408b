#include "netdata/net_data_writer.h"

#include "netdata/entry_text.h"
#include "runtime/failure.h"
#include "runtime/line_file.h"
#include "runtime/line_list.h"
#include "runtime/messages.h"
#include "runtime/paths.h"
#include "runtime/platform.h"
#include "runtime/text.h"

#include <cstdint>

namespace netedit {

namespace {

constexpr std::string_view LineEnd = "\r\n";

// Clears the way for the new file: an older backup is erased, then the file at the target
// becomes the backup. Refuses when a file stands at the target and cannot be moved aside,
// since writing then would leave the user's file with no copy.
void MoveTargetAside(const std::string& target, const std::string& directory) {
    const platform::PathKind standing = platform::KindOfPath(target);
    if (standing == platform::PathKind::Other) {
        throw Failure(Message(msg::CannotCreate, target)); // a folder is never replaced by a file
    }
    const std::string backup = directory + BackupFileName;
    LineFile oldBackup;
    oldBackup.BindName(backup);
    oldBackup.OpenForRead();
    if (TakeIOCode() == 0) {
        oldBackup.CloseLines();
        CheckIO();
        oldBackup.EraseFile();
        CheckIO();
    }
    if (standing == platform::PathKind::File && !MoveFileTo(target, backup)) {
        throw Failure(Message(msg::CannotBackUp, target));
    }
}

} // namespace

std::string BuildNetDataText(const std::vector<std::string>& entries, const SectionTable& sections) {
    // Sized ahead, the text is built in one allocation; each section is measured once.
    std::vector<SectionTable::Body> bodies;
    bodies.reserve(entries.size());
    std::vector<std::size_t> sectionBytes(static_cast<std::size_t>(sections.count()), SIZE_MAX);
    std::size_t size = 0;
    for (const std::string& entry : entries) {
        const int section = SectionOfEntry(entry);
        bodies.push_back(sections.body(section));
        std::size_t& bytes = sectionBytes[static_cast<std::size_t>(section)];
        if (bytes == SIZE_MAX) {
            bytes = bodies.back().writtenBytes();
        }
        size += bytes + 16; // and the header
    }
    std::string text;
    text.reserve(size);
    for (std::size_t position = 0; position < entries.size(); ++position) {
        const SectionTable::Body& body = bodies[position];
        text += '[';
        text += NumToText(static_cast<std::int32_t>(position));
        text += ']';
        text += LineEnd;
        for (std::size_t i = 0; i < body.size(); ++i) {
            text += body[i];
            text += LineEnd;
        }
    }
    return text;
}

bool SaveNetData(const std::string& target, const std::string& sourceDirectory,
                 const std::vector<std::string>& chosen, const std::vector<std::string>& remaining,
                 const SectionTable& sections) {
    const std::string text = BuildNetDataText(chosen, sections);
    const std::string directory = DirPart(target);
    const bool sameDirectory = directory == sourceDirectory;
    if (sameDirectory) {
        MoveTargetAside(target, directory);
    }
    SaveText(text, target);
    if (!remaining.empty()) {
        SaveText(BuildNetDataText(remaining, sections), sourceDirectory + RemainderFileName);
    }
    return sameDirectory;
}

} // namespace netedit
