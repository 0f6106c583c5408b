#include "netdata/net_data_writer.h"

#include "netdata/entry_text.h"
#include "runtime/failure.h"
#include "runtime/line_file.h"
#include "runtime/line_list.h"
#include "runtime/messages.h"
#include "runtime/paths.h"
#include "runtime/platform.h"
#include "runtime/text.h"

namespace netedit {

namespace {

constexpr std::string_view LineEnd = "\r\n";

// The program's own files in the source directory are no target: saving onto the backup would
// erase it, and a target named like the remainder would be overwritten by it.
void RefuseOwnFiles(const std::string& target, const std::string& directory, bool writesRemainder) {
    if (target == directory + BackupFileName ||
        (writesRemainder && target == directory + RemainderFileName)) {
        throw Failure(Message(msg::CannotCreate, target));
    }
}

// Moves the file standing at the target aside as the backup; answers whether there was one.
// An older backup disappears only in the one rename that puts the target in its place, so the
// previous target's bytes always stand under one of the two names. With no file at the target
// the older backup stays: it may hold the only copy of the original file.
bool MoveTargetAside(const std::string& target, const std::string& directory) {
    const platform::PathKind standing = platform::KindOfPath(target);
    if (standing == platform::PathKind::Other) {
        throw Failure(Message(msg::CannotCreate, target)); // a folder is never replaced by a file
    }
    if (standing == platform::PathKind::Missing) {
        return false;
    }
    const std::string backup = directory + BackupFileName;
    LineFile oldBackup;
    oldBackup.BindName(backup);
    oldBackup.OpenForRead();
    const bool backupStands = TakeIOCode() == 0;
    if (backupStands) {
        oldBackup.CloseLines();
        CheckIO();
        if (const int code = platform::MayErase(backup)) {
            throw Failure(IOMessage(code), code);
        }
    }
    // A backup that could not be opened is no file to replace: the rename that never replaces
    // then refuses, and the target stays as it was.
    if (!(backupStands ? platform::RenameReplacing(target, backup) : MoveFileTo(target, backup))) {
        throw Failure(Message(msg::CannotBackUp, target));
    }
    return true;
}

// The section body of every entry, found before anything is written: an entry without a
// section fails here, with no file touched.
std::vector<SectionTable::Body> BodiesOf(const std::vector<std::string>& entries,
                                         const SectionTable& sections) {
    std::vector<SectionTable::Body> bodies;
    bodies.reserve(entries.size());
    for (const std::string& entry : entries) {
        bodies.push_back(sections.body(SectionOfEntry(entry)));
    }
    return bodies;
}

// Hands the new file's text to `out` piece by piece.
template <typename Out> void WriteNetData(const std::vector<SectionTable::Body>& bodies, Out& out) {
    for (std::size_t position = 0; position < bodies.size(); ++position) {
        const std::string header = "[" + NumToText(static_cast<std::int32_t>(position)) + "]";
        out(header);
        out(LineEnd);
        const SectionTable::Body& body = bodies[position];
        for (std::size_t i = 0; i < body.size(); ++i) {
            out(body[i]);
            out(LineEnd);
        }
    }
}

// Gathers small pieces into writes of a megabyte: few system calls, and a file of any size
// costs no more memory than that.
class ChunkedSink {
public:
    explicit ChunkedSink(const TextSink& sink) : sink_(sink) { buffer_.reserve(ChunkBytes); }
    void operator()(std::string_view piece) {
        buffer_.append(piece);
        if (buffer_.size() >= ChunkBytes) {
            flush();
        }
    }
    void flush() {
        if (!buffer_.empty()) {
            sink_(buffer_);
            buffer_.clear();
        }
    }

private:
    static constexpr std::size_t ChunkBytes = std::size_t{1} << 20;
    const TextSink& sink_;
    std::string buffer_;
};

void SaveBodies(const std::vector<SectionTable::Body>& bodies, const std::string& path,
                const std::string& permissionsFrom = {}) {
    SaveStream(
        path,
        [&bodies](const TextSink& sink) {
            ChunkedSink out(sink);
            WriteNetData(bodies, out);
            out.flush();
        },
        permissionsFrom);
}

} // namespace

std::string BuildNetDataText(const std::vector<std::string>& entries, const SectionTable& sections) {
    std::string text;
    auto append = [&text](std::string_view piece) { text.append(piece); };
    WriteNetData(BodiesOf(entries, sections), append);
    return text;
}

bool SaveNetData(const std::string& target, const std::string& sourceDirectory,
                 const std::vector<std::string>& chosen, const std::vector<std::string>& remaining,
                 const SectionTable& sections) {
    const std::vector<SectionTable::Body> bodies = BodiesOf(chosen, sections);
    const std::vector<SectionTable::Body> remainder = BodiesOf(remaining, sections);
    const std::string directory = DirPart(target);
    const bool sameDirectory = directory == sourceDirectory;
    std::string replaced; // where the file that stood at the target now stands
    if (sameDirectory) {
        RefuseOwnFiles(target, directory, !remainder.empty());
        if (MoveTargetAside(target, directory)) {
            replaced = directory + BackupFileName;
        }
    }
    SaveBodies(bodies, target, replaced);
    if (!remainder.empty()) {
        SaveBodies(remainder, sourceDirectory + RemainderFileName);
    }
    return sameDirectory;
}

} // namespace netedit
