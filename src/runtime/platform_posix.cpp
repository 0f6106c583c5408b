// The program's only contact with the POSIX system: files, the executable's path and the code
// page converter. Paths arrive as code page 932 bytes; the file system speaks UTF-8.

#include "runtime/codec.h"
#include "runtime/platform.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <iconv.h>
#include <optional>
#include <random>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace netedit::platform {

namespace {

int injectedFailureCountdown = 0; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables): test switch

// True for the one call that a test has chosen to fail.
bool InjectedFailure() {
    return injectedFailureCountdown > 0 && --injectedFailureCountdown == 0;
}

// The system's name of a path: false for a path that no file can bear (see DecodeCp932Exactly).
bool ToOsPath(const std::string& path, std::string& osPath) {
    std::optional<std::string> decoded = DecodeCp932Exactly(path);
    if (!decoded) {
        return false;
    }
    osPath = std::move(*decoded);
    return true;
}

constexpr int BadName = 3;
constexpr int InjectedCode = 1005; // as an I/O error of the device would come

// Readies a call on `path`: its system name, or BadName for a name no file can bear, or the
// code of a failure that a test has chosen for this call.
int StartCall(const std::string& path, std::string& osPath) {
    if (!ToOsPath(path, osPath)) {
        return BadName;
    }
    return InjectedFailure() ? InjectedCode : 0;
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
    return ::stat(osPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The program's I/O code for a system error on `osPath`.
int CodeFor(int error, const std::string& osPath) {
    switch (error) {
    case 0:
        return 0;
    case ENOENT:
        // A missing folder on the way is a bad path, not a missing file.
        return IsDirectory(ParentOf(osPath)) ? 2 : 3;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
        return 3;
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return 5;
    case ETXTBSY:
    case EBUSY:
        return 32;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return 112;
    default:
        return 1000 + error;
    }
}

// Takes an opened handle only when it is a plain file: a directory, a pipe or a device is no
// file to read or write, as on every system the program knows.
int AcceptOnlyFiles(int fd, const std::string& osPath, Handle& handle) {
    if (fd < 0) {
        return CodeFor(errno, osPath);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return 5;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    handle = fd;
    return 0;
}

int OpenOsPath(const std::string& osPath, Handle& handle) {
    // Not blocking: a pipe or a device named like a file must not freeze the window.
    int fd = ::open(osPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    return AcceptOnlyFiles(fd, osPath, handle);
}

// Creates a fresh file beside `osPath` with the permission bits a new file gets (0666 less
// the umask), so that a file that did not exist before ends up as an ordinary new file would.
int CreateTemporary(const std::string& osPath, std::string& tempPath, Handle& handle) {
    std::string dir = ParentOf(osPath);
    std::string name = osPath.substr(osPath.find_last_of('/') + 1);
    // Long names would push the temporary name past the system's limit.
    std::string prefix = dir + "/." + (name.size() <= 200 ? name : std::string("netedit")) + ".";
    constexpr std::string_view Letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> pick(0, Letters.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = prefix;
        for (int i = 0; i < 6; ++i) {
            tempPath += Letters[pick(random)];
        }
        int fd = ::open(tempPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            handle = fd;
            return 0;
        }
        if (errno != EEXIST) {
            return CodeFor(errno, tempPath);
        }
    }
    return CodeFor(EEXIST, tempPath);
}

void SyncDirectory(const std::string& dir) {
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd); // durability of the rename only; the new text is already safe
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

// Where a save really goes: a symbolic link is followed so that the link itself survives.
std::string SaveTarget(const std::string& osPath) {
    struct stat st {};
    if (::lstat(osPath.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = ::realpath(osPath.c_str(), nullptr)) {
            std::string resolved(real);
            ::free(real);
            return resolved;
        }
    }
    return osPath;
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

using Producer = std::function<void(const PieceWriter&)>;

// Hands what `produce` writes to `fd`, gives the file the permission bits and owner of `like`
// (when given) and flushes it to the disk.
int WriteAndFlush(Handle fd, const Producer& produce, const struct stat* like) {
    int code = 0;
    produce([&](const char* data, std::size_t size) {
        if (code == 0) {
            code = WriteAll(fd, data, size);
        }
        return code == 0;
    });
    if (code == 0 && like != nullptr) {
        ::fchmod(fd, like->st_mode & 07777);
        if (like->st_uid != ::geteuid() || like->st_gid != ::getegid()) {
            // Best effort: only a privileged user can give the file back to its owner.
            [[maybe_unused]] int ignored = ::fchown(fd, like->st_uid, like->st_gid);
        }
    }
    if (code == 0) {
        code = InjectedFailure() ? InjectedCode : ::fsync(fd) != 0 ? CodeFor(errno, {}) : 0;
    }
    return code;
}

// Writes a file in its own place: only for a directory that takes no new file, where nothing
// better is possible. A write that falls short leaves what was written.
int WriteInPlace(const std::string& target, const Producer& produce, bool& createFailed) {
    Handle fd = -1;
    const int opened =
        InjectedFailure()
            ? InjectedCode
            : AcceptOnlyFiles(::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NONBLOCK), target,
                              fd);
    if (opened != 0) {
        return opened;
    }
    createFailed = false;
    int code = 0;
    try {
        code = WriteAndFlush(fd, produce, nullptr);
    } catch (...) {
        ::close(fd);
        throw;
    }
    if (::close(fd) != 0 && code == 0 && errno != EINTR) {
        code = CodeFor(errno, target);
    }
    return code;
}

// What stands at a save's target: 0 for a plain file the program may replace (its details in
// `old`), 2 for nothing, else the code of the refusal.
int LookAtTarget(const std::string& target, struct stat& old) {
    if (::stat(target.c_str(), &old) != 0) {
        return errno == ENOENT ? 2 : CodeFor(errno, target); // what cannot be looked at is not missing
    }
    // Only a plain file we may write is replaced: never a folder, a device or a read-only file.
    if (!S_ISREG(old.st_mode) || IsReadOnly(old)) {
        return 5;
    }
    return ::access(target.c_str(), W_OK) != 0 ? CodeFor(errno, target) : 0;
}

} // namespace

void FailNthCall(int n) {
    injectedFailureCountdown = n;
}

int OpenForReading(const std::string& path, Handle& handle) {
    std::string osPath;
    if (const int code = StartCall(path, osPath)) {
        return code;
    }
    return OpenOsPath(osPath, handle);
}

int CreateForWriting(const std::string& path, Handle& handle) {
    std::string osPath;
    if (const int code = StartCall(path, osPath)) {
        return code;
    }
    struct stat st {};
    if (::stat(osPath.c_str(), &st) == 0 && IsReadOnly(st)) {
        return 5;
    }
    int fd = ::open(osPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0 && errno == ENXIO) {
        return 5; // a pipe that nobody reads
    }
    return AcceptOnlyFiles(fd, osPath, handle);
}

int ReadSome(Handle handle, char* data, std::size_t size, std::size_t& got) {
    got = 0;
    if (InjectedFailure()) {
        return InjectedCode;
    }
    for (;;) {
        ssize_t n = ::read(handle, data, size);
        if (n >= 0) {
            got = static_cast<std::size_t>(n);
            return 0;
        }
        if (errno != EINTR) {
            return CodeFor(errno, {});
        }
    }
}

int WriteAll(Handle handle, const char* data, std::size_t size) {
    if (InjectedFailure()) {
        return CodeFor(ENOSPC, {});
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
            return CodeFor(ENOSPC, {}); // the system took nothing: count it as a full disk
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return 0;
}

int CloseHandle(Handle handle) {
    const bool injected = InjectedFailure();
    if (::close(handle) != 0 && errno != EINTR) {
        return CodeFor(errno, {});
    }
    return injected ? InjectedCode : 0;
}

int MayErase(const std::string& path) {
    std::string osPath;
    if (const int code = StartCall(path, osPath)) {
        return code;
    }
    struct stat st {};
    if (::lstat(osPath.c_str(), &st) != 0) {
        return CodeFor(errno, osPath);
    }
    if (IsReadOnly(st)) {
        return 5;
    }
    // Erasing takes the right to change the folder, and in a sticky folder owning the file.
    const std::string folder = ParentOf(osPath);
    struct stat dir {};
    if (::stat(folder.c_str(), &dir) != 0 || ::access(folder.c_str(), W_OK | X_OK) != 0) {
        return 5;
    }
    const uid_t me = ::geteuid();
    if ((dir.st_mode & S_ISVTX) != 0 && me != 0 && st.st_uid != me && dir.st_uid != me) {
        return 5;
    }
    return 0;
}

int EraseFile(const std::string& path) {
    std::string osPath;
    if (const int code = StartCall(path, osPath)) {
        return code;
    }
    struct stat st {};
    if (::lstat(osPath.c_str(), &st) == 0 && IsReadOnly(st)) {
        return 5;
    }
    if (::unlink(osPath.c_str()) != 0) {
        return CodeFor(errno, osPath);
    }
    return 0;
}

bool RenameNoReplace(const std::string& from, const std::string& to) {
    std::string osFrom;
    std::string osTo;
    if (!ToOsPath(from, osFrom) || !ToOsPath(to, osTo) || InjectedFailure()) {
        return false;
    }
    if (::renameat2(AT_FDCWD, osFrom.c_str(), AT_FDCWD, osTo.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // File systems without the no-replace rename: a hard link fails on an existing target too.
    if (::link(osFrom.c_str(), osTo.c_str()) != 0) {
        return false;
    }
    ::unlink(osFrom.c_str());
    return true;
}

bool RenameReplacing(const std::string& from, const std::string& to) {
    std::string osFrom;
    std::string osTo;
    if (!ToOsPath(from, osFrom) || !ToOsPath(to, osTo) || InjectedFailure()) {
        return false;
    }
    return ::rename(osFrom.c_str(), osTo.c_str()) == 0;
}

PathKind KindOfPath(const std::string& path) {
    std::string osPath;
    if (!ToOsPath(path, osPath)) {
        return PathKind::Missing; // no file can bear the name
    }
    if (InjectedFailure()) {
        return PathKind::Other;
    }
    struct stat st {};
    if (::stat(osPath.c_str(), &st) != 0) {
        return errno == ENOENT || errno == ENOTDIR ? PathKind::Missing : PathKind::Other;
    }
    return S_ISREG(st.st_mode) ? PathKind::File : PathKind::Other;
}

int ReadWholeFile(const std::string& path, std::string& bytes) {
    Handle fd = -1;
    if (int code = OpenForReading(path, fd)) {
        return code;
    }
    struct stat st {};
    int code = 0;
    std::string data;
    if (::fstat(fd, &st) != 0) {
        code = CodeFor(errno, {});
    } else {
        const auto size = static_cast<std::size_t>(st.st_size);
        data.reserve(size);
        AdviseLargeBuffer(data.data(), size);
        data.resize(size);
        code = ReadToSize(fd, data);
    }
    ::close(fd);
    if (code == 0) {
        bytes = std::move(data);
    }
    return code;
}

int ReplaceFileContents(const std::string& path, const Producer& produce, bool& createFailed,
                        const std::string& permissionsFrom) {
    createFailed = true;
    std::string osPath;
    if (!ToOsPath(path, osPath)) {
        return BadName;
    }
    const std::string target = SaveTarget(osPath);
    struct stat old {};
    const int standing = InjectedFailure() ? InjectedCode : LookAtTarget(target, old);
    if (standing != 0 && standing != 2) {
        return standing;
    }
    const bool exists = standing == 0;
    std::string modelPath;
    const bool hasModel = exists || (!permissionsFrom.empty() && ToOsPath(permissionsFrom, modelPath) &&
                                     ::stat(modelPath.c_str(), &old) == 0);
    std::string tempPath;
    Handle fd = -1;
    if (int code = InjectedFailure() ? InjectedCode : CreateTemporary(target, tempPath, fd)) {
        // A folder that takes no new file may still let the file itself be written.
        return exists && code == 5 ? WriteInPlace(target, produce, createFailed) : code;
    }
    createFailed = false;
    int code = 0;
    try {
        code = WriteAndFlush(fd, produce, hasModel ? &old : nullptr);
    } catch (...) {
        ::close(fd);
        ::unlink(tempPath.c_str());
        throw;
    }
    if (::close(fd) != 0 && code == 0 && errno != EINTR) {
        code = CodeFor(errno, tempPath);
    }
    if (code == 0) {
        code = InjectedFailure()                                 ? InjectedCode
               : ::rename(tempPath.c_str(), target.c_str()) != 0 ? CodeFor(errno, target)
                                                                 : 0;
    }
    if (code != 0) {
        ::unlink(tempPath.c_str());
        return code;
    }
    SyncDirectory(ParentOf(target));
    return 0;
}

std::string ExecutablePath() {
    std::string buffer(256, '\0');
    for (;;) {
        ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) {
            return {};
        }
        if (static_cast<std::size_t>(n) < buffer.size()) {
            buffer.resize(static_cast<std::size_t>(n));
            return EncodeCp932Path(buffer);
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string CurrentFolder() {
    std::string buffer(256, '\0');
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(std::char_traits<char>::length(buffer.c_str()));
    return EncodeCp932Path(buffer);
}

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name); // NOLINT(concurrency-mt-unsafe): read on the one thread
    return value == nullptr ? std::string() : EncodeCp932Path(value);
}

bool MayCreateIn(const std::string& folder) {
    std::string osPath;
    return ToOsPath(folder, osPath) && IsDirectory(osPath) && ::access(osPath.c_str(), W_OK | X_OK) == 0;
}

int MakeFolders(const std::string& folder) {
    std::string osPath;
    if (!ToOsPath(folder, osPath)) {
        return BadName;
    }
    for (std::size_t end = osPath.find('/', 1);; end = osPath.find('/', end + 1)) {
        const std::string step = osPath.substr(0, end);
        if (!step.empty() && ::mkdir(step.c_str(), 0700) != 0 && errno != EEXIST) {
            return CodeFor(errno, step);
        }
        if (end == std::string::npos) {
            break;
        }
    }
    return IsDirectory(osPath) ? 0 : 5;
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
