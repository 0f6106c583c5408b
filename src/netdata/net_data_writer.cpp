#include "netdata/net_data_writer.h"

#include "netdata/entry_text.h"
#include "runtime/failure.h"
#include "runtime/line_list.h"
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
constexpr int AccessDenied = 5;

// Whether `target` is the file `name` in `directory`: the same file where both stand, else the
// same name, which Windows takes regardless of letter case.
bool IsFileIn(const std::string& target, const std::string& directory, std::string_view name) {
    platform::FileStamp a;
    platform::FileStamp b;
    if (platform::StampOf(target, a) == 0 && platform::StampOf(directory + std::string(name), b) == 0) {
        return a.SameFile(b);
    }
    const std::string given = NamePart(target);
    const auto fold = [](char c) {
        return NativePathStyle == PathStyle::Windows && c >= 'a' && c <= 'z'
                   ? static_cast<char>(c - 'a' + 'A')
                   : c;
    };
    return std::ranges::equal(given, name, {}, fold, fold);
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
    if (platform::LookAtTarget(target.file) == AccessDenied) {
        throw Failure(IOMessage(AccessDenied), AccessDenied);
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
    platform::Handle probe = -1;
    const bool backupStands = platform::OpenForReading(backup, probe) == 0;
    if (backupStands) {
        platform::CloseHandle(probe);
        if (const int code = platform::MayErase(backup)) {
            throw Failure(IOMessage(code), code);
        }
    }
    // A backup that could not be opened is no file to replace: the rename that never replaces
    // then refuses, and the target stays as it was.
    if (const int code =
            backupStands ? platform::RenameReplacing(target.file, backup) : MoveFileTo(target.file, backup)) {
        throw Failure(RefusalMessage(code, Message(msg::CannotBackUp, target.chosen)), code);
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

// The new file's text for `bodies`, handed over a megabyte at a time.
TextProducer NetDataText(const std::vector<SectionTable::Body>& bodies) {
    return [&bodies](const TextSink& sink) {
        ChunkedSink out(sink);
        WriteNetData(bodies, out);
        out.flush();
    };
}

} // namespace

std::string BuildNetDataText(const std::vector<std::string>& entries, const SectionTable& sections) {
    std::string text;
    auto append = [&text](std::string_view piece) { text.append(piece); };
    WriteNetData(BodiesOf(entries, sections), append);
    return text;
}

bool SaveNetData(const std::string& target, const std::string& loadedPath,
                 const std::vector<std::string>& chosen, const std::vector<std::string>& remaining,
                 const SectionTable& sections) {
    const std::vector<SectionTable::Body> bodies = BodiesOf(chosen, sections);
    const std::vector<SectionTable::Body> remainder = BodiesOf(remaining, sections);
    // Through symbolic links: the folders of the files themselves decide.
    const Target destination{platform::LinkedFile(target), target};
    const std::string loaded = platform::LinkedFile(loadedPath);
    const std::string sourceDirectory = DirPart(loaded);
    const bool sameDirectory = SameFolder(DirPart(destination.file), sourceDirectory);
    if (sameDirectory) {
        RefuseOwnFiles(destination, sourceDirectory, !remainder.empty());
    }
    RefuseProtected(destination);
    // Everything new is written and flushed before anything is moved: a write that fails leaves
    // every file as it was.
    NewFile newTarget(target, NetDataText(bodies));
    std::optional<NewFile> newRemainder;
    if (!remainder.empty()) {
        newRemainder.emplace(sourceDirectory + RemainderFileName, NetDataText(remainder), loaded);
    }
    if (sameDirectory) {
        MoveTargetAside(destination, sourceDirectory);
    }
    newTarget.PutInPlace();
    if (newRemainder) {
        newRemainder->PutInPlace();
    }
    return sameDirectory;
}

LoadedFile StampLoaded(const std::string& path) {
    LoadedFile loaded{path, {}};
    if (platform::FileStamp stamp; platform::StampOf(path, stamp) == 0) {
        loaded.stamp = stamp;
    }
    return loaded;
}

bool ChangedSinceLoad(const LoadedFile& loaded, const std::string& target) {
    platform::FileStamp standing;
    if (!loaded.stamp || platform::StampOf(target, standing) != 0) {
        return false; // nothing stands there to be replaced
    }
    if (standing.SameFile(*loaded.stamp)) {
        return standing != *loaded.stamp; // the loaded file, written since
    }
    // Another file under the loaded file's name: it was replaced since.
    platform::FileStamp underName;
    return platform::StampOf(loaded.path, underName) == 0 && underName.SameFile(standing);
}

void FollowSave(LoadedFile& loaded, const std::string& target) {
    platform::FileStamp standing;
    platform::FileStamp underName;
    if (platform::StampOf(target, standing) == 0 && platform::StampOf(loaded.path, underName) == 0 &&
        standing.SameFile(underName)) {
        loaded.stamp = standing;
    }
}

} // namespace netedit
