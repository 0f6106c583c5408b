#include "netdata/net_data_writer.h"

#include "netdata/entry_text.h"
#include "runtime/failure.h"
#include "runtime/line_file.h"
#include "runtime/messages.h"
#include "runtime/paths.h"
#include "runtime/platform.h"
#include "runtime/safe_save.h"
#include "runtime/text.h"

#include <algorithm>
#include <optional>

namespace netedit {

namespace {

constexpr std::string_view LineEnd = "\r\n";
using platform::IoResult;

// Whether `target` is the file `name` in `directory`: the same file where both stand, else the
// same name regardless of letter case, as Windows and many shared file systems take names.
bool IsFileIn(const std::string& target, const std::string& directory, std::string_view name) {
    platform::FileStamp a;
    platform::FileStamp b;
    if (platform::StampOf(target, a) == IoResult::Ok &&
        platform::StampOf(directory + std::string(name), b) == IoResult::Ok) {
        return a.SameFile(b);
    }
    const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    return std::ranges::equal(NamePart(target), name, {}, fold, fold);
}

// Where a save goes: the file a symbolic link leads to, and the name the user chose for it.
struct Target {
    std::string file;
    std::string chosen;
};

// The program's own files in the source directory are no target: saving onto the backup would
// erase it, and a target named like the remainder would be overwritten by it.
void RefuseOwnFiles(const Target& target, const std::string& directory, bool writesRemainder) {
    if (IsFileIn(target.file, directory, BackupFileName) ||
        (writesRemainder && IsFileIn(target.file, directory, RemainderFileName))) {
        throw Failure(Message(msg::CannotCreate, target.chosen));
    }
}

// A file the user protected, or may not write, is never replaced, as no editor saves over it.
void RefuseProtected(const Target& target) {
    if (platform::KindOfPath(target.file) == platform::PathKind::Other) {
        throw Failure(Message(msg::CannotCreate, target.chosen)); // a folder is never replaced by a file
    }
    if (platform::LookAtTarget(target.file) == IoResult::Denied) {
        throw Failure(IOMessage(IoResult::Denied));
    }
}

// The backup's name must take the file standing at the target: whatever stands there now (a link
// as a name, never the file it leads to) must be one the user may replace, before anything changes.
void CheckBackupName(const Target& target, const std::string& directory) {
    const std::string backup = directory + BackupFileName;
    const platform::PathKind standing = platform::KindOfName(backup);
    if (standing == platform::PathKind::Other) {
        throw Failure(Message(msg::CannotBackUp, target.chosen));
    }
    if (const IoResult code =
            standing == platform::PathKind::Missing ? IoResult::Ok : platform::MayErase(backup);
        code != IoResult::Ok) {
        throw Failure(IOMessage(code));
    }
}

// Moves the file standing at the target aside as the backup, if one stands there.
// An older backup disappears only in the one rename that puts the target in its place, so the
// previous target's bytes always stand under one of the two names. With no file at the target
// the older backup stays: it may hold the only copy of the original file.
void MoveTargetAside(const Target& target, const std::string& directory) {
    const platform::PathKind standing = platform::KindOfPath(target.file);
    if (standing == platform::PathKind::Other) {
        throw Failure(Message(msg::CannotCreate, target.chosen));
    }
    if (standing == platform::PathKind::Missing) {
        return;
    }
    const std::string backup = directory + BackupFileName;
    const bool backupStands = platform::KindOfName(backup) != platform::PathKind::Missing;
    if (backupStands) {
        CheckBackupName(target, directory); // it may have changed while the new files were written
    }
    if (const IoResult code = backupStands ? platform::RenameReplacing(target.file, backup)
                                           : platform::RenameNoReplace(target.file, backup);
        code != IoResult::Ok) {
        throw Failure(RefusalMessage(code, Message(msg::CannotBackUp, target.chosen)));
    }
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

// Hands the new file's text to `out` piece by piece: a body's lines are found again only now,
// and those that already end in CR LF go out as one piece of the loaded bytes.
template <typename Out> void WriteNetData(const std::vector<SectionTable::Body>& bodies, Out& out) {
    for (std::size_t position = 0; position < bodies.size(); ++position) {
        const std::string header = "[" + NumToText(static_cast<std::int32_t>(position)) + "]";
        out(header);
        out(LineEnd);
        WriteCrLfLines(bodies[position], out);
    }
}

// Gathers small pieces into writes of a megabyte, and hands a large piece on as it is: few system
// calls, no copy of a large body, and a file of any size costs no more memory than that.
class ChunkedSink {
public:
    explicit ChunkedSink(const TextSink& sink) : sink_(sink) { buffer_.reserve(ChunkBytes); }
    void operator()(std::string_view piece) {
        if (piece.size() >= StraightBytes) {
            flush();
            sink_(piece);
            return;
        }
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
    static constexpr std::size_t StraightBytes = std::size_t{1} << 16; // cheaper written than copied
    const TextSink& sink_;
    std::string buffer_;
};

} // namespace

TextProducer NetDataText(const std::vector<std::string>& entries, const SectionTable& sections) {
    return [bodies = BodiesOf(entries, sections)](const TextSink& sink) {
        ChunkedSink out(sink);
        WriteNetData(bodies, out);
        out.flush();
    };
}

SaveResult SaveNetData(const std::string& target, const std::string& loadedPath,
                       const std::vector<std::string>& chosen, const std::vector<std::string>& remaining,
                       const SectionTable& sections, const std::function<bool()>& mayReplace) {
    TextProducer chosenText = NetDataText(chosen, sections);
    TextProducer remainderText = NetDataText(remaining, sections);
    // Through symbolic links: the folders of the files themselves decide.
    const Target destination{platform::LinkedFile(target), target};
    const std::string loaded = platform::LinkedFile(loadedPath);
    const std::string sourceDirectory = DirPart(loaded);
    const bool sameDirectory = SameFolder(DirPart(destination.file), sourceDirectory);
    if (sameDirectory) {
        RefuseOwnFiles(destination, sourceDirectory, !remaining.empty());
    }
    RefuseProtected(destination);
    if (sameDirectory && platform::KindOfPath(destination.file) != platform::PathKind::Missing) {
        CheckBackupName(destination, sourceDirectory);
    }
    // Everything new is written and flushed before anything is moved: a write that fails leaves
    // every file as it was.
    NewFile newTarget(target, std::move(chosenText));
    std::optional<NewFile> newRemainder;
    if (!remaining.empty()) {
        newRemainder.emplace(sourceDirectory + RemainderFileName, std::move(remainderText), Naming::Own,
                             loaded);
    }
    if (!mayReplace()) {
        return SaveResult::Abandoned;
    }
    const InterruptionsHeld held;
    if (sameDirectory) {
        MoveTargetAside(destination, sourceDirectory);
    }
    newTarget.PutInPlace();
    if (newRemainder) {
        newRemainder->PutInPlace();
    }
    return sameDirectory ? SaveResult::InLoadedFolder : SaveResult::Elsewhere;
}

bool SaveNetData(const std::string& target, const std::string& loadedPath,
                 const std::vector<std::string>& chosen, const std::vector<std::string>& remaining,
                 const SectionTable& sections) {
    return SaveNetData(target, loadedPath, chosen, remaining, sections, [] { return true; }) ==
           SaveResult::InLoadedFolder;
}

LoadedFile StampLoaded(const std::string& path) {
    LoadedFile loaded{path, {}};
    if (platform::FileStamp stamp; platform::StampOf(path, stamp) == IoResult::Ok) {
        loaded.stamp = stamp;
    }
    return loaded;
}

std::optional<platform::FileStamp> ChangeSinceLoad(const LoadedFile& loaded, const std::string& target) {
    platform::FileStamp standing;
    if (!loaded.stamp || platform::StampOf(target, standing) != IoResult::Ok) {
        return {}; // nothing stands there to be replaced
    }
    if (standing.SameFile(*loaded.stamp)) {
        return standing != *loaded.stamp ? std::optional(standing) : std::nullopt; // written since
    }
    // Another file under the loaded file's name: it was replaced since.
    platform::FileStamp underName;
    if (platform::StampOf(loaded.path, underName) == IoResult::Ok && underName.SameFile(standing)) {
        return standing;
    }
    return {};
}

void AcceptChange(LoadedFile& loaded, const platform::FileStamp& standing) {
    loaded.stamp = standing;
}

void FollowSave(LoadedFile& loaded, const std::string& target) {
    platform::FileStamp standing;
    platform::FileStamp underName;
    if (platform::StampOf(target, standing) == IoResult::Ok &&
        platform::StampOf(loaded.path, underName) == IoResult::Ok && standing.SameFile(underName)) {
        loaded.stamp = standing;
    }
}

} // namespace netedit
