#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>

// The one door to the operating system. Paths are code page 932 bytes or the program's own names
// (see Names); the platform file converts them to what the system expects.
namespace netedit::platform {

// What a call to the system came to. The numbers are the ones the user reads in an error box
// ("I/O ｴﾗｰ (112)"); a system error the program does not tell apart is carried as it comes
// (Windows: its own code; POSIX: 1000 + errno).
enum class IoResult : int {
    Ok = 0,
    NotFound = 2,
    BadPath = 3, // a missing folder on the way, or a name no file can bear
    TooManyOpen = 4,
    Denied = 5,
    InUse = 32,
    Exists = 80, // what CreateNew answers for a name that is taken
    DiskFull = 112,
    DeviceError = 1117, // what the tests' fault switch makes a call answer
};

#ifdef _WIN32
using Handle = std::intptr_t; // the system's handle
#else
using Handle = int; // the file descriptor
#endif

// How a path names its file. A path the user chose, and every name made from one, is code page
// 932. The program's own files (the settings file and its folder, the help) go by their own
// names: the names the system gives them, whatever code page 932 can hold, so that a home folder
// named "José" serves as well as any. On POSIX an own name is the file system's bytes; on Windows
// it is the UTF-8 of the system's UTF-16 name (see OwnPathStyle).
enum class Names { Cp932, Own };

// Creates or empties a file. A file with no write bit for anyone is read-only, even for root:
// it is not written (Denied).
IoResult CreateForWriting(const std::string& path, Handle& handle, Names names = Names::Cp932);
IoResult ReadSome(Handle handle, char* data, std::size_t size, std::size_t& got);
IoResult WriteAll(Handle handle, const char* data, std::size_t size);
IoResult CloseHandle(Handle handle);
// Ok when the name `path` may be erased or replaced (the name itself: a symbolic link there is
// never followed), NotFound when nothing stands there, else what erasing it would fail with: Denied for
// a read-only file, a folder, or another user's file in a folder where only owners may remove.
IoResult MayErase(const std::string& path, Names names = Names::Cp932);
// Renames a file; Ok or the refusal. Without `replacing` it never replaces a file at `to`; with
// it `from` takes the place of a file standing there in one atomic step.
IoResult Rename(const std::string& from, const std::string& to, bool replacing, Names names = Names::Cp932);
inline IoResult RenameNoReplace(const std::string& from, const std::string& to) {
    return Rename(from, to, false);
}
inline IoResult RenameReplacing(const std::string& from, const std::string& to) {
    return Rename(from, to, true);
}

// What stands at a path: nothing, a regular file, or something else (a directory, a device, or
// a path that cannot be looked at, which is never taken for a missing file).
// KindOfName tells a link (Windows: any reparse point) at the name itself, and never follows it.
enum class PathKind { Missing, File, Other, Link };
PathKind KindAt(const std::string& path, bool followLinks, Names names);
inline PathKind KindOfPath(const std::string& path, Names names = Names::Cp932) {
    return KindAt(path, true, names);
}
inline PathKind KindOfName(const std::string& path, Names names = Names::Cp932) {
    return KindAt(path, false, names);
}

// Which file or folder stands at a path, and which version of it: the same file on the same
// volume has the same `volume` and `file` under every name that reaches it.
struct FileStamp {
    unsigned long long volume = 0;
    unsigned long long file = 0;
    unsigned long long size = 0;
    long long modified = 0; // in the system's own ticks
    bool SameFile(const FileStamp& other) const { return volume == other.volume && file == other.file; }
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
// The stamp of the file or folder at `path`, through symbolic links; Ok or what the look came to.
IoResult StampOf(const std::string& path, FileStamp& stamp);
// The full path of the file a symbolic link at `path` leads to; `path` itself for anything else.
std::string LinkedFile(const std::string& path);
// The full name of `path` as the system's own file dialogs give it (Windows: the folder of a
// drive's own current folder for "C:name", the long names in their real letter case); false
// where the system keeps no such form and the names are taken as given.
bool SystemFullName(const std::string& path, std::string& full);

// Reads the whole file in one piece, at most its first `limit` bytes.
IoResult ReadWholeFile(const std::string& path, std::string& bytes, Names names = Names::Cp932,
                       std::size_t limit = SIZE_MAX);
// Fills `data`, sized to the file, from `handle`; a file that shrank meanwhile shortens it to
// the bytes that were there. `bytes` takes them only when the read went well. Both systems'
// ReadWholeFile end with it.
IoResult ReadToSize(Handle handle, std::string data, std::string& bytes);

// The steps of a safe save, each one call to the system; their order and their promises are the
// core's (runtime/safe_save.h), the same on every system.
// Ok for a plain file at `path` that the user may write, NotFound for none, Denied for a read-only
// file, one the user may not write or something that is no file, else what the look came to.
IoResult LookAtTarget(const std::string& path, Names names = Names::Cp932);
// Creates a new file, unshared and open to nobody else (POSIX: mode 0600), never through a link;
// Exists when anything stands there. It is temporary: it vanishes when the program ends
// before KeepNew, even when the system ends it (POSIX: SIGTERM, SIGINT or SIGHUP; Windows: a
// delete-on-close disposition, which outlives TerminateProcess).
IoResult CreateNew(const std::string& path, Handle& handle, Names names = Names::Cp932);
// Makes the file CreateNew made outlive the program, just before it is put in place.
IoResult KeepNew(Handle handle);
// Opens an existing file to write it again from its start, after making room for `size` bytes
// (never shrinking it yet): a full disk fails here, with the file as it was. SetLength then cuts
// it to what was written. `followLinks` false refuses a link at `path` (Denied).
IoResult OpenToOverwrite(const std::string& path, unsigned long long size, bool followLinks, Handle& handle,
                         Names names = Names::Cp932);
IoResult SetLength(Handle handle, unsigned long long size);
// Gives the written and flushed file at `handle` what the file at `model` has beyond its bytes,
// as far as the system lets: permission bits, owner and group, extended attributes and ACLs
// (Windows: attributes and security descriptor), though never read-only: it is the program's to
// write. What cannot be kept never leaves the file more open than `model`. With no model, the
// bits a new file gets (POSIX: 0666 less the umask).
void TakePermissions(Handle handle, const std::string& model);
IoResult FlushToDisk(Handle handle);
// Puts the written file `from` in the place of `to` in one atomic step, where a file standing at
// `to` hands on what the system keeps of it beyond bytes and permissions. A link standing at `to`
// is replaced as a name: the file it leads to is never touched.
IoResult PutInPlace(const std::string& from, const std::string& to, Names names = Names::Cp932);
// Erases a file the save made itself, whatever the fault switch says: none may be left behind.
void Discard(const std::string& path, Names names = Names::Cp932);
// While held, the system's requests to end the program (POSIX: SIGTERM, SIGINT, SIGHUP) wait,
// so that the renames that put a save's files in place are never cut between them. Windows
// cannot hold TerminateProcess off: nothing.
void HoldInterruptions(bool hold);

// The folder the program runs in, in code page 932.
std::string CurrentFolder();

// The full path of the running program's executable, by its own name.
std::string ExecutablePath();
// The value of an environment variable, empty when unset.
std::string EnvironmentValue(const char* name);
// Whether the user may create files in the folder of that own name.
bool MayCreateIn(const std::string& folder);
// Creates the folder of that own name and the folders on its way that are missing, readable by
// the user alone; Ok when it stands there afterwards.
IoResult MakeFolders(const std::string& folder);

// Code page conversion through the system's converter; `exact` turns false when a sequence
// could not be converted and was replaced.
std::string ConvertCp932ToUtf8(const std::string& bytes, bool& exact);
std::string ConvertUtf8ToCp932(const std::string& utf8, bool& exact);

// For tests of the failure roads: the `n`th call from now that reaches the system (counting
// from 1) fails as a refusing system would; 0 switches this off. Either way the count of calls
// starts again, and FirstChangingCall tells which of them first renamed, erased or emptied a
// file (0 for none).
void FailNthCall(int n);
int FirstChangingCall();
// For the platform files: whether the call now made is the one chosen to fail.
bool InjectedFailure(bool changesFiles = false);
// For the platform files: what the system's errors `errors` come to, and the lookup in a table
// of them; any error the table does not name comes to `otherwise`.
struct ErrorResult {
    IoResult result = IoResult::Ok;
    std::initializer_list<long> errors;
};
inline IoResult ResultOf(long error, std::initializer_list<ErrorResult> table, IoResult otherwise) {
    for (const ErrorResult& row : table) {
        if (std::ranges::find(row.errors, error) != row.errors.end()) {
            return row.result;
        }
    }
    return otherwise;
}
// For the platform files: runs `call` on the system's name of a path, `name`, unless there is
// none (a path no file can bear: BadPath) or the fault switch chose this call to fail.
template <typename Name, typename Call>
IoResult OnSystemName(const std::optional<Name>& name, bool changesFiles, Call call) {
    if (!name) {
        return IoResult::BadPath;
    }
    return InjectedFailure(changesFiles) ? IoResult::DeviceError : call(*name);
}
// The same for a look at what stands at a path: no file can bear a name that is none, and a look
// the fault switch chose comes to what cannot be looked at.
template <typename Name, typename Look>
PathKind KindOnSystemName(const std::optional<Name>& name, Look look) {
    if (!name) {
        return PathKind::Missing;
    }
    return InjectedFailure() ? PathKind::Other : look(*name);
}
// The same for a call on two paths, such as a rename; the fault switch counts it once.
template <typename Name, typename Call>
IoResult OnSystemNames(const std::optional<Name>& from, const std::optional<Name>& to, bool changesFiles,
                       Call call) {
    if (!from) {
        return IoResult::BadPath;
    }
    return OnSystemName(to, changesFiles, [&](const Name& target) { return call(*from, target); });
}

} // namespace netedit::platform
