// The program's only contact with the POSIX system: files, the executable's path and the code
// page converter. Paths arrive as code page 932 bytes, the program's own files' names as the file
// system's own; the file system speaks UTF-8.

#include "runtime/codec.h"
#include "runtime/platform.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <iconv.h>
#include <optional>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utility>

namespace netedit::platform {

namespace {

// The system's name of a path: an own name is one already; none for a path that no file can
// bear (see DecodeCp932Exactly).
std::optional<std::string> SystemName(const std::string& path, Names names = Names::Cp932) {
    return names == Names::Own ? std::optional(path) : DecodeCp932Exactly(path);
}

// What stands at `osPath`, through a symbolic link or, with `followLinks` false, at the name
// itself; false when nothing can be looked at there.
bool Look(const std::string& osPath, struct stat& st, bool followLinks = true) {
    return (followLinks ? ::stat(osPath.c_str(), &st) : ::lstat(osPath.c_str(), &st)) == 0;
}

// The text `ask(buffer, size)` writes, the buffer grown until it fits: `ask` answers the text's
// length (one that fills the buffer may have been cut), or -1 with ERANGE for too small a buffer.
template <typename Ask> std::string AskText(Ask ask) {
    std::string text(256, '\0');
    for (;;) {
        const auto length = static_cast<ssize_t>(ask(text.data(), text.size()));
        if (length >= 0 && static_cast<std::size_t>(length) < text.size()) {
            text.resize(static_cast<std::size_t>(length));
            return text;
        }
        if (length < 0 && errno != ERANGE) {
            return {};
        }
        text.resize(text.size() * 2);
    }
}

// The directory that holds `osPath`, "." for a bare name.
std::string ParentOf(const std::string& osPath) {
    auto slash = osPath.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : osPath.substr(0, slash);
}

bool IsDirectory(const std::string& osPath) {
    struct stat st {};
    return Look(osPath, st) && S_ISDIR(st.st_mode);
}

// What a system error on `osPath` comes to; any other error is carried as 1000 + errno.
IoResult CodeFor(int error, const std::string& osPath) {
    if (error == ENOENT) {
        // A missing folder on the way is a bad path, not a missing file.
        return IsDirectory(ParentOf(osPath)) ? IoResult::NotFound : IoResult::BadPath;
    }
    return ResultOf(error,
                    {{IoResult::Ok, {0}},
                     {IoResult::BadPath, {ENOTDIR, ENAMETOOLONG, EINVAL, EILSEQ}},
                     {IoResult::TooManyOpen, {EMFILE, ENFILE}},
                     {IoResult::Denied, {EACCES, EPERM, EROFS, EISDIR}},
                     {IoResult::InUse, {ETXTBSY, EBUSY}},
                     {IoResult::DiskFull, {ENOSPC, EDQUOT, EFBIG}},
                     {IoResult::Exists, {EEXIST}}},
                    static_cast<IoResult>(1000 + error));
}

// Takes an opened handle only when it is a plain file: a directory, a pipe or a device is no
// file to read or write, as on every system the program knows.
IoResult AcceptOnlyFiles(int fd, const std::string& osPath, Handle& handle) {
    if (fd < 0) {
        return CodeFor(errno, osPath);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return IoResult::Denied;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    handle = fd;
    return IoResult::Ok;
}

void SyncDirectory(const std::string& dir) {
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Fresh memory is first touched a page at a time; for a buffer of many megabytes, large pages
// make that touch many times cheaper. Only advice: the system may ignore it.
void AdviseLargeBuffer(const char* data, std::size_t size) {
    constexpr std::size_t LargePage = std::size_t{2} << 20;
    if (size < 4 * LargePage) {
        return;
    }
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + LargePage - 1) & ~(LargePage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(LargePage - 1);
    if (end > begin) {
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    }
}

// One iconv descriptor per direction and thread, opened on first use.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(::iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) {
            ::iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    Converter(Converter&&) = delete;
    Converter& operator=(Converter&&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts `in`; at each sequence that cannot be converted, appends `replacement`, skips
    // `skip(data, left)` bytes and clears `exact`.
    template <typename Skip>
    std::string Run(const std::string& in, std::string_view replacement, Skip skip, bool& exact) {
        std::string out;
        out.reserve(in.size() * 3 / 2 + 16);
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        std::array<char, 4096> chunk{};
        ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        while (inLeft > 0) {
            char* outPtr = chunk.data();
            std::size_t outLeft = chunk.size();
            std::size_t result = ::iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            int error = errno;
            out.append(chunk.data(), static_cast<std::size_t>(outPtr - chunk.data()));
            if (result != static_cast<std::size_t>(-1) || error == E2BIG) {
                continue;
            }
            out += replacement;
            exact = false;
            std::size_t step = skip(reinterpret_cast<const unsigned char*>(inPtr), inLeft);
            inPtr += step;
            inLeft -= step;
            ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t cd_;
};

// Without the system's converter tables only ASCII survives a crossing.
std::string AsciiOnly(const std::string& in, std::string_view replacement, bool& exact) {
    std::string out;
    for (char c : in) {
        if (static_cast<unsigned char>(c) < 0x80) {
            out += c;
        } else {
            out += replacement;
            exact = false;
        }
    }
    return out;
}

// A file whose permission bits let nobody write it: the read-only attribute of this system.
bool IsReadOnly(const struct stat& st) {
    return S_ISREG(st.st_mode) && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// Not blocking: a pipe or a device named like a file must not freeze the window.
IoResult OpenSystemNameForReading(const std::string& osPath, Handle& handle) {
    return AcceptOnlyFiles(::open(osPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK), osPath, handle);
}

// Reads an opened file in one piece, at most its first `limit` bytes, and closes it.
IoResult ReadAllAndClose(Handle fd, std::string& bytes, std::size_t limit = SIZE_MAX) {
    struct stat st {};
    IoResult code = ::fstat(fd, &st) != 0 ? CodeFor(errno, {}) : IoResult::Ok;
    if (code == IoResult::Ok) {
        const auto size = std::min(static_cast<std::size_t>(st.st_size), limit);
        std::string data;
        data.reserve(size);
        AdviseLargeBuffer(data.data(), size);
        data.resize(size);
        code = ReadToSize(fd, std::move(data), bytes);
    }
    ::close(fd);
    return code;
}

// The temporary files that stand now, for the handler that removes them when the system ends
// the program: fixed slots, since a signal handler may neither allocate nor lock.
struct PendingName {
    volatile std::sig_atomic_t used = 0;
    std::array<char, PATH_MAX> name{};
};
constexpr std::size_t PendingSlots = 8;
// NOLINTBEGIN(cppcoreguidelines-avoid-non-const-global-variables): shared with the signal handler
std::array<PendingName, PendingSlots> pending;
int holds = 0;
// NOLINTEND(cppcoreguidelines-avoid-non-const-global-variables)
constexpr std::array EndingSignals{SIGTERM, SIGINT, SIGHUP};

// Removes the temporary files with async-signal-safe calls alone, then ends the program as the
// signal would have.
extern "C" void RemoveTemporariesAndEnd(int signal) {
    for (const PendingName& slot : pending) {
        if (slot.used != 0) {
            ::unlink(slot.name.data());
        }
    }
    ::raise(signal); // the handler was reset on entry: this ends the program on return
}

sigset_t EndingSet() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : EndingSignals) {
        sigaddset(&set, signal);
    }
    return set;
}

// Installed with the first temporary file; a signal the program was told to ignore stays ignored.
void CatchEndingSignals() {
    static bool installed = false;
    if (installed) {
        return;
    }
    installed = true;
    for (const int signal : EndingSignals) {
        struct sigaction previous {};
        if (::sigaction(signal, nullptr, &previous) != 0 || previous.sa_handler != SIG_DFL) {
            continue;
        }
        struct sigaction action {};
        action.sa_handler = RemoveTemporariesAndEnd;
        action.sa_flags = SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
}

// Creates `osPath` as a new private file and records it for the handler, both with the ending
// signals held, so that no moment has the file without its record.
int CreateRecorded(const std::string& osPath) {
    CatchEndingSignals();
    const sigset_t ending = EndingSet();
    sigset_t before;
    ::sigprocmask(SIG_BLOCK, &ending, &before);
    int fd = -1;
    PendingName* slot = nullptr;
    for (PendingName& candidate : pending) {
        if (candidate.used == 0 && osPath.size() < candidate.name.size()) {
            slot = &candidate;
            break;
        }
    }
    if (slot == nullptr) {
        errno = EMFILE;
    } else {
        fd = ::open(osPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    }
    if (fd >= 0) {
        std::memcpy(slot->name.data(), osPath.c_str(), osPath.size() + 1);
        slot->used = 1;
    }
    const int error = errno;
    ::sigprocmask(SIG_SETMASK, &before, nullptr);
    errno = error;
    return fd;
}

void ForgetTemporary(const std::string& osPath) {
    for (PendingName& slot : pending) {
        if (slot.used != 0 && osPath == slot.name.data()) {
            slot.used = 0;
        }
    }
}

// The bits a new file gets: 0666 less the umask, which can only be read by setting it.
mode_t UsualNewFileBits() {
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return 0666 & ~mask;
}

// The owning group's and the mask's entries of a POSIX ACL in the kernel's form (a version, then
// entries of tag, permission and id); false when it has none.
bool AclGroupBits(const std::string& acl, mode_t& groupBits) {
    constexpr std::size_t Header = 4;
    constexpr std::size_t Entry = 8;
    constexpr unsigned GroupObject = 0x04;
    constexpr unsigned Mask = 0x10;
    unsigned group = 7;
    unsigned mask = 7;
    bool found = false;
    for (std::size_t at = Header; at + Entry <= acl.size(); at += Entry) {
        const auto byte = [&](std::size_t i) {
            return static_cast<unsigned>(static_cast<unsigned char>(acl[at + i]));
        };
        const unsigned tag = byte(0) | (byte(1) << 8);
        const unsigned permissions = (byte(2) | (byte(3) << 8)) & 7;
        if (tag == GroupObject) {
            group = permissions;
            found = true;
        } else if (tag == Mask) {
            mask = permissions;
        }
    }
    groupBits = static_cast<mode_t>((group & mask) << 3);
    return found;
}

constexpr const char* AccessAcl = "system.posix_acl_access";

// The value of the extended attribute `name` of the file at `path`; empty when it has none.
std::string AttributeValue(const std::string& path, const char* name) {
    return AskText([&](char* data, std::size_t size) { return ::getxattr(path.c_str(), name, data, size); });
}

// Copies the extended attributes of `model`, its ACL among them, to `fd`; false when the ACL
// could not be copied.
bool CopyAttributes(const std::string& model, int fd) {
    const std::string names =
        AskText([&](char* data, std::size_t size) { return ::listxattr(model.c_str(), data, size); });
    bool aclKept = true;
    for (std::size_t at = 0; at < names.size(); at = names.find('\0', at) + 1) {
        const char* name = names.c_str() + at;
        const std::string value = AttributeValue(model, name);
        if (::fsetxattr(fd, name, value.data(), value.size(), 0) != 0 && std::strcmp(name, AccessAcl) == 0) {
            aclKept = false;
        }
    }
    return aclKept;
}

} // namespace

IoResult Rename(const std::string& from, const std::string& to, bool replacing, Names names) {
    return OnSystemNames(
        SystemName(from, names), SystemName(to, names), true,
        [&](const std::string& osFrom, const std::string& osTo) {
            if (replacing) {
                return ::rename(osFrom.c_str(), osTo.c_str()) != 0 ? CodeFor(errno, osTo) : IoResult::Ok;
            }
            if (::renameat2(AT_FDCWD, osFrom.c_str(), AT_FDCWD, osTo.c_str(), RENAME_NOREPLACE) == 0) {
                return IoResult::Ok;
            }
            if (errno != EINVAL && errno != ENOSYS) {
                return CodeFor(errno, osTo);
            }
            // File systems without the no-replace rename: a hard link fails on an existing
            // target too.
            if (::link(osFrom.c_str(), osTo.c_str()) != 0) {
                return CodeFor(errno, osTo);
            }
            ::unlink(osFrom.c_str());
            return IoResult::Ok;
        });
}

// What stands at `path`; a link there is followed, or told as a link.
PathKind KindAt(const std::string& path, bool followLinks, Names names) {
    return KindOnSystemName(SystemName(path, names), [&](const std::string& osPath) {
        struct stat st {};
        if (!Look(osPath, st, followLinks)) {
            return errno == ENOENT || errno == ENOTDIR ? PathKind::Missing : PathKind::Other;
        }
        return S_ISLNK(st.st_mode) ? PathKind::Link : S_ISREG(st.st_mode) ? PathKind::File : PathKind::Other;
    });
}

IoResult CreateForWriting(const std::string& path, Handle& handle, Names names) {
    return OnSystemName(SystemName(path, names), true, [&](const std::string& osPath) {
        if (struct stat st{}; Look(osPath, st) && IsReadOnly(st)) {
            return IoResult::Denied;
        }
        const int fd = ::open(osPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0666);
        if (fd < 0 && errno == ENXIO) {
            return IoResult::Denied; // a pipe that nobody reads
        }
        return AcceptOnlyFiles(fd, osPath, handle);
    });
}

IoResult ReadSome(Handle handle, char* data, std::size_t size, std::size_t& got) {
    got = 0;
    for (;;) {
        ssize_t n = ::read(handle, data, size);
        if (n >= 0) {
            got = static_cast<std::size_t>(n);
            return IoResult::Ok;
        }
        if (errno != EINTR) {
            return CodeFor(errno, {});
        }
    }
}

IoResult WriteAll(Handle handle, const char* data, std::size_t size) {
    if (InjectedFailure()) {
        return IoResult::DiskFull;
    }
    while (size > 0) {
        ssize_t n = ::write(handle, data, size);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return CodeFor(errno, {});
        }
        if (n == 0) {
            return IoResult::DiskFull; // the system took nothing: count it as a full disk
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return IoResult::Ok;
}

IoResult CloseHandle(Handle handle) {
    const bool injected = InjectedFailure();
    if (::close(handle) != 0 && errno != EINTR) {
        return CodeFor(errno, {});
    }
    return injected ? IoResult::DeviceError : IoResult::Ok;
}

IoResult MayErase(const std::string& path, Names names) {
    return OnSystemName(SystemName(path, names), false, [](const std::string& osPath) {
        struct stat st {};
        if (!Look(osPath, st, false)) {
            return CodeFor(errno, osPath);
        }
        if (IsReadOnly(st) || S_ISDIR(st.st_mode)) {
            return IoResult::Denied;
        }
        // Erasing takes the right to change the folder, and in a sticky folder owning the file.
        const std::string folder = ParentOf(osPath);
        struct stat dir {};
        if (!Look(folder, dir) || ::access(folder.c_str(), W_OK | X_OK) != 0) {
            return IoResult::Denied;
        }
        const uid_t me = ::geteuid();
        const bool othersOnly =
            (dir.st_mode & S_ISVTX) != 0 && me != 0 && st.st_uid != me && dir.st_uid != me;
        return othersOnly ? IoResult::Denied : IoResult::Ok;
    });
}

IoResult StampOf(const std::string& path, FileStamp& stamp) {
    return OnSystemName(SystemName(path), false, [&](const std::string& osPath) {
        struct stat st {};
        if (!Look(osPath, st)) {
            return CodeFor(errno, osPath);
        }
        stamp = {.volume = st.st_dev,
                 .file = st.st_ino,
                 .size = static_cast<unsigned long long>(st.st_size),
                 .modified = st.st_mtim.tv_sec * 1'000'000'000LL + st.st_mtim.tv_nsec};
        return IoResult::Ok;
    });
}

std::string LinkedFile(const std::string& path) {
    const std::optional<std::string> osPath = SystemName(path);
    struct stat st {};
    if (!osPath || !Look(*osPath, st, false) || !S_ISLNK(st.st_mode)) {
        return path;
    }
    char* real = ::realpath(osPath->c_str(), nullptr);
    if (real == nullptr) {
        return path; // a link that leads nowhere is replaced like a file
    }
    std::string linked = EncodeCp932Path(real);
    ::free(real);
    return linked;
}

bool SystemFullName(const std::string& /*path*/, std::string& /*full*/) {
    return false; // "." and ".." are resolved by name, as the file dialogs give paths here
}

IoResult ReadWholeFile(const std::string& path, std::string& bytes, Names names, std::size_t limit) {
    return OnSystemName(SystemName(path, names), false, [&](const std::string& osPath) {
        Handle fd = -1;
        const IoResult code = OpenSystemNameForReading(osPath, fd);
        return code != IoResult::Ok ? code : ReadAllAndClose(fd, bytes, limit);
    });
}

IoResult LookAtTarget(const std::string& path, Names names) {
    return OnSystemName(SystemName(path, names), false, [](const std::string& osPath) {
        struct stat st {};
        if (!Look(osPath, st)) {
            return CodeFor(errno, osPath); // what cannot be looked at is not missing
        }
        // Only a plain file the user may write is replaced: never a folder, a device or a read-only file.
        if (!S_ISREG(st.st_mode) || IsReadOnly(st)) {
            return IoResult::Denied;
        }
        return ::access(osPath.c_str(), W_OK) != 0 ? CodeFor(errno, osPath) : IoResult::Ok;
    });
}

// Born private: nobody else may open the text before it is whole and has its final bits.
IoResult CreateNew(const std::string& path, Handle& handle, Names names) {
    return OnSystemName(SystemName(path, names), false, [&](const std::string& osPath) {
        const int fd = CreateRecorded(osPath);
        if (fd < 0) {
            return CodeFor(errno, osPath);
        }
        handle = fd;
        return IoResult::Ok;
    });
}

IoResult KeepNew(Handle /*handle*/) {
    return IoResult::Ok; // the record goes when the file is put in place
}

IoResult OpenToOverwrite(const std::string& path, unsigned long long size, bool followLinks, Handle& handle,
                         Names names) {
    return OnSystemName(SystemName(path, names), true, [&](const std::string& osPath) {
        const int flags = O_WRONLY | O_CLOEXEC | O_NONBLOCK | (followLinks ? 0 : O_NOFOLLOW);
        const int fd = ::open(osPath.c_str(), flags);
        if (fd < 0 && errno == ELOOP) {
            return IoResult::Denied;
        }
        if (const IoResult code = AcceptOnlyFiles(fd, osPath, handle); code != IoResult::Ok) {
            return code;
        }
        struct stat st {};
        int error = ::fstat(handle, &st) != 0 ? errno : 0;
        // Growing first: the blocks are there before a byte changes, and the old bytes stay.
        if (error == 0 && std::cmp_greater(size, st.st_size)) {
            error = ::posix_fallocate(handle, 0, static_cast<off_t>(size));
            if (error != 0) {
                [[maybe_unused]] const int restored = ::ftruncate(handle, st.st_size);
            }
        }
        if (error != 0) {
            ::close(handle);
            return CodeFor(error, osPath);
        }
        return IoResult::Ok;
    });
}

IoResult SetLength(Handle handle, unsigned long long size) {
    if (InjectedFailure(true)) {
        return IoResult::DeviceError;
    }
    return ::ftruncate(handle, static_cast<off_t>(size)) != 0 ? CodeFor(errno, {}) : IoResult::Ok;
}

void TakePermissions(Handle handle, const std::string& model) {
    if (model.empty()) {
        [[maybe_unused]] const int changed = ::fchmod(handle, UsualNewFileBits());
        return;
    }
    const std::optional<std::string> osPath = SystemName(model);
    struct stat like {};
    if (!osPath || !Look(*osPath, like)) {
        return; // it stays the user's alone
    }
    mode_t bits = (IsReadOnly(like) ? (like.st_mode | S_IWUSR) : like.st_mode) & 07777;
    struct stat own {};
    if (::fstat(handle, &own) == 0 && (like.st_uid != own.st_uid || like.st_gid != own.st_gid) &&
        ::fchown(handle, like.st_uid, like.st_gid) != 0) {
        // Only a privileged user can give the file back to its owner; a member keeps its group.
        [[maybe_unused]] const int grouped = ::fchown(handle, static_cast<uid_t>(-1), like.st_gid);
    }
    if (::fstat(handle, &own) == 0 && own.st_gid != like.st_gid) {
        // Another group's members were others to the old file: they get no more than others did.
        bits &= ~(S_IRWXG & ~((bits & S_IRWXO) << 3));
    }
    const std::string acl = AttributeValue(*osPath, AccessAcl);
    mode_t aclGroup = 0;
    const bool extendedAcl = !acl.empty() && AclGroupBits(acl, aclGroup);
    // Safe first: the bits as if the ACL were lost (the owning group's own entry, not the mask).
    const mode_t withoutAcl = extendedAcl ? (bits & ~S_IRWXG) | (bits & aclGroup) : bits;
    [[maybe_unused]] const int changed = ::fchmod(handle, withoutAcl);
    if (CopyAttributes(*osPath, handle) && extendedAcl) {
        [[maybe_unused]] const int masked = ::fchmod(handle, bits); // the group bits are the ACL's mask again
    }
}

IoResult FlushToDisk(Handle handle) {
    if (InjectedFailure()) {
        return IoResult::DeviceError;
    }
    return ::fsync(handle) != 0 ? CodeFor(errno, {}) : IoResult::Ok;
}

IoResult PutInPlace(const std::string& from, const std::string& to, Names names) {
    if (const IoResult code = Rename(from, to, true, names); code != IoResult::Ok) {
        return code;
    }
    if (const auto osFrom = SystemName(from, names)) {
        ForgetTemporary(*osFrom);
    }
    if (const auto osTo = SystemName(to, names)) {
        SyncDirectory(ParentOf(*osTo)); // durability of the rename only; the new text is already safe
    }
    return IoResult::Ok;
}

void Discard(const std::string& path, Names names) {
    if (const auto osPath = SystemName(path, names)) {
        ::unlink(osPath->c_str());
        ForgetTemporary(*osPath);
    }
}

void HoldInterruptions(bool hold) {
    holds += hold ? 1 : -1;
    if (holds == (hold ? 1 : 0)) {
        const sigset_t ending = EndingSet();
        ::sigprocmask(hold ? SIG_BLOCK : SIG_UNBLOCK, &ending, nullptr);
    }
}

std::string ExecutablePath() {
    return AskText([](char* data, std::size_t size) { return ::readlink("/proc/self/exe", data, size); });
}

std::string CurrentFolder() {
    return EncodeCp932Path(AskText([](char* data, std::size_t size) {
        return ::getcwd(data, size) == nullptr ? ssize_t{-1} : static_cast<ssize_t>(std::strlen(data));
    }));
}

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name); // NOLINT(concurrency-mt-unsafe): read on the one thread
    return value == nullptr ? std::string() : std::string(value);
}

bool MayCreateIn(const std::string& folder) {
    return IsDirectory(folder) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

IoResult MakeFolders(const std::string& folder) {
    for (std::size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
        const std::string step = folder.substr(0, end);
        if (!step.empty() && ::mkdir(step.c_str(), 0700) != 0 && errno != EEXIST) {
            return CodeFor(errno, step);
        }
        if (end == std::string::npos) {
            break;
        }
    }
    return IsDirectory(folder) ? IoResult::Ok : IoResult::Denied;
}

std::string ConvertCp932ToUtf8(const std::string& bytes, bool& exact) {
    thread_local Converter converter("UTF-8", "CP932");
    if (!converter.ok()) {
        return AsciiOnly(bytes, "\xEF\xBF\xBD", exact);
    }
    return converter.Run(
        bytes, "\xEF\xBF\xBD", [](const unsigned char*, std::size_t) { return 1; }, exact);
}

std::string ConvertUtf8ToCp932(const std::string& utf8, bool& exact) {
    thread_local Converter converter("CP932", "UTF-8");
    if (!converter.ok()) {
        return AsciiOnly(utf8, "?", exact);
    }
    return converter.Run(utf8, "?", Utf8Length, exact);
}

} // namespace netedit::platform
