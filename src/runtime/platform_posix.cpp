// The program's only contact with the POSIX system: files, the executable's path and the code
// page converter. Paths arrive as code page 932 bytes; the file system speaks UTF-8.

#include "runtime/codec.h"
#include "runtime/platform.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <iconv.h>
#include <random>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace netedit::platform {

namespace {

std::string ToOsPath(const std::string& path) {
    return DecodeCp932(path);
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
void AdviseLargeBuffer(char* data, std::size_t size) {
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

    // Converts `in`; at each sequence that cannot be converted, appends `replacement` and
    // skips `skip(data, left)` bytes.
    template <typename Skip> std::string Run(const std::string& in, std::string_view replacement, Skip skip) {
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

// The length of the UTF-8 character at `data`, 1 for a byte that starts none.
std::size_t Utf8Length(const unsigned char* data, std::size_t left) {
    unsigned char lead = data[0];
    std::size_t length = lead >= 0xF0 && lead <= 0xF7 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    for (std::size_t k = 1; k < length; ++k) {
        if (k >= left || (data[k] & 0xC0) != 0x80) {
            return k;
        }
    }
    return length;
}

// Without the system's converter tables only ASCII survives a crossing.
std::string AsciiOnly(const std::string& in, std::string_view replacement) {
    std::string out;
    for (char c : in) {
        if (static_cast<unsigned char>(c) < 0x80) {
            out += c;
        } else {
            out += replacement;
        }
    }
    return out;
}

} // namespace

int OpenForReading(const std::string& path, Handle& handle) {
    return OpenOsPath(ToOsPath(path), handle);
}

int CreateForWriting(const std::string& path, Handle& handle) {
    std::string osPath = ToOsPath(path);
    int fd = ::open(osPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0 && errno == ENXIO) {
        return 5; // a pipe that nobody reads
    }
    return AcceptOnlyFiles(fd, osPath, handle);
}

int ReadSome(Handle handle, char* data, std::size_t size, std::size_t& got) {
    for (;;) {
        ssize_t n = ::read(handle, data, size);
        if (n >= 0) {
            got = static_cast<std::size_t>(n);
            return 0;
        }
        if (errno != EINTR) {
            got = 0;
            return CodeFor(errno, {});
        }
    }
}

int WriteAll(Handle handle, const char* data, std::size_t size) {
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
    if (::close(handle) != 0 && errno != EINTR) {
        return CodeFor(errno, {});
    }
    return 0;
}

int EraseFile(const std::string& path) {
    std::string osPath = ToOsPath(path);
    if (::unlink(osPath.c_str()) != 0) {
        return CodeFor(errno, osPath);
    }
    return 0;
}

bool RenameNoReplace(const std::string& from, const std::string& to) {
    std::string osFrom = ToOsPath(from);
    std::string osTo = ToOsPath(to);
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

PathKind KindOfPath(const std::string& path) {
    struct stat st {};
    if (::stat(ToOsPath(path).c_str(), &st) != 0) {
        return PathKind::Missing;
    }
    return S_ISREG(st.st_mode) ? PathKind::File : PathKind::Other;
}

int ReadWholeFile(const std::string& path, std::string& bytes) {
    std::string osPath = ToOsPath(path);
    Handle fd = -1;
    if (int code = OpenOsPath(osPath, fd)) {
        return code;
    }
    struct stat st {};
    int code = 0;
    std::string data;
    if (::fstat(fd, &st) != 0) {
        code = CodeFor(errno, osPath);
    } else {
        const auto size = static_cast<std::size_t>(st.st_size);
        data.reserve(size);
        AdviseLargeBuffer(data.data(), size);
        data.resize(size);
        std::size_t filled = 0;
        while (filled < data.size()) {
            std::size_t got = 0;
            code = ReadSome(fd, data.data() + filled, data.size() - filled, got);
            if (code != 0 || got == 0) {
                break; // a file that shrank meanwhile ends where its bytes end
            }
            filled += got;
        }
        data.resize(filled);
    }
    ::close(fd);
    if (code == 0) {
        bytes = std::move(data);
    }
    return code;
}

int ReplaceFileContents(const std::string& path, const std::function<void(const PieceWriter&)>& produce,
                        bool& createFailed) {
    createFailed = true;
    std::string target = SaveTarget(ToOsPath(path));
    struct stat old {};
    bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists) {
        // Only a plain file we may write is replaced: never a folder or a device.
        if (!S_ISREG(old.st_mode)) {
            return 5;
        }
        if (::access(target.c_str(), W_OK) != 0) {
            return CodeFor(errno, target);
        }
    }
    std::string tempPath;
    Handle fd = -1;
    if (int code = CreateTemporary(target, tempPath, fd)) {
        return code;
    }
    createFailed = false;
    int code = 0;
    try {
        produce([&](const char* data, std::size_t size) {
            if (code == 0) {
                code = WriteAll(fd, data, size);
            }
            return code == 0;
        });
    } catch (...) {
        ::close(fd);
        ::unlink(tempPath.c_str());
        throw;
    }
    if (code == 0 && exists) {
        ::fchmod(fd, old.st_mode & 0777);
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            // Best effort: only a privileged user can give the file back to its owner.
            [[maybe_unused]] int ignored = ::fchown(fd, old.st_uid, old.st_gid);
        }
    }
    if (code == 0 && ::fsync(fd) != 0) {
        code = CodeFor(errno, tempPath);
    }
    if (::close(fd) != 0 && code == 0 && errno != EINTR) {
        code = CodeFor(errno, tempPath);
    }
    if (code == 0 && ::rename(tempPath.c_str(), target.c_str()) != 0) {
        code = CodeFor(errno, target);
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
            return EncodeCp932(buffer);
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string ConvertCp932ToUtf8(const std::string& bytes) {
    thread_local Converter converter("UTF-8", "CP932");
    if (!converter.ok()) {
        return AsciiOnly(bytes, "\xEF\xBF\xBD");
    }
    return converter.Run(bytes, "\xEF\xBF\xBD", [](const unsigned char*, std::size_t) { return 1; });
}

std::string ConvertUtf8ToCp932(const std::string& utf8) {
    thread_local Converter converter("CP932", "UTF-8");
    if (!converter.ok()) {
        return AsciiOnly(utf8, "?");
    }
    return converter.Run(utf8, "?", Utf8Length);
}

} // namespace netedit::platform
