// The program's only contact with Windows: files, the executable's path and the code page
// converter. Paths arrive as code page 932 bytes and reach the system as UTF-16, converted by
// naming code page 932 itself, so that the program behaves alike under every system locale.

#include "runtime/codec.h"
#include "runtime/platform.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>
#include <windows.h>

namespace netedit::platform {

namespace {

constexpr UINT CodePage = 932;

// --- Text ---

// The single bytes that code page 932 leaves unused. Windows may take some of them to private
// characters; here they are no character, as on every other system, so that UnnamableByte,
// which stands for a character lost on the way in, names no file.
bool IsUnusedSingleByte(unsigned char byte) {
    return byte == 0x80 || byte == 0xA0 || byte >= 0xFD;
}

bool UsesOnlyDefinedBytes(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (IsLeadByte(byte)) {
            ++i; // its second byte is checked by the converter
        } else if (IsUnusedSingleByte(byte)) {
            return false;
        }
    }
    return true;
}

// UTF-16 of `bytes` in the code page `from`; false when a sequence is no character there.
bool ToWide(UINT from, std::string_view bytes, std::wstring& wide) {
    wide.clear();
    if (bytes.empty()) {
        return true;
    }
    if (bytes.size() > INT_MAX || (from == CodePage && !UsesOnlyDefinedBytes(bytes))) {
        return false;
    }
    const int size = static_cast<int>(bytes.size());
    const int length = ::MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length <= 0) {
        return false;
    }
    wide.resize(static_cast<std::size_t>(length));
    ::MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), length);
    return true;
}

// `wide` in the code page `to`; a character without an exact form there becomes "?" and
// clears `exact`, never a look-alike.
std::string FromWide(UINT to, std::wstring_view wide, bool& exact) {
    if (wide.empty() || wide.size() > INT_MAX) {
        return {};
    }
    const int size = static_cast<int>(wide.size());
    const DWORD flags = to == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* const usedDefaultOut = to == CP_UTF8 ? nullptr : &usedDefault;
    const int length = ::WideCharToMultiByte(to, flags, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(std::max(length, 0)), '\0');
    ::WideCharToMultiByte(to, flags, wide.data(), size, bytes.data(), length, nullptr, usedDefaultOut);
    if (usedDefault) {
        exact = false;
    }
    return bytes;
}

// Converts `in` from the code page `from` to `to` through UTF-16. Each character that does not
// convert exactly becomes `replacement`, `skip(data, left)` bytes are passed over, and `exact`
// turns false.
template <typename Skip>
std::string Convert(UINT from, UINT to, const std::string& in, std::string_view replacement, Skip skip,
                    bool& exact) {
    std::wstring wide;
    bool whole = true;
    if (ToWide(from, in, wide)) {
        std::string out = FromWide(to, wide, whole);
        if (whole) {
            return out;
        }
    }
    // Rare: convert one character at a time to find those that do not.
    std::string out;
    std::string_view rest = in;
    while (!rest.empty()) {
        const auto* data = reinterpret_cast<const unsigned char*>(rest.data());
        const std::size_t length = from == CodePage ? (IsLeadByte(data[0]) && rest.size() > 1 ? 2 : 1)
                                                    : Utf8Length(data, rest.size());
        bool one = true;
        std::string converted;
        if (ToWide(from, rest.substr(0, length), wide) && (converted = FromWide(to, wide, one), one)) {
            out += converted;
            rest.remove_prefix(length);
            continue;
        }
        out += replacement;
        exact = false;
        rest.remove_prefix(std::min<std::size_t>(rest.size(), skip(data, rest.size())));
    }
    return out;
}

// A name from the system in code page 932 (see EncodeCp932Path).
std::string FromSystem(std::wstring_view wide) {
    bool exact = true;
    return EncodeCp932Path(FromWide(CP_UTF8, wide, exact));
}

// --- Paths and codes ---

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/' || c == L':';
}

// Whether Windows would take `osPath` for another name: it drops the dots and spaces that end
// a step ("OBN.NET." is OBN.NET), so such a name would reach a file the program did not name.
bool SystemWouldAlter(const std::wstring& osPath) {
    std::size_t start = 0;
    for (std::size_t end = 0; end <= osPath.size(); ++end) {
        if (end < osPath.size() && !IsSeparator(osPath[end])) {
            continue;
        }
        const std::wstring_view step = std::wstring_view(osPath).substr(start, end - start);
        start = end + 1;
        if (!step.empty() && step != L"." && step != L".." && (step.back() == L'.' || step.back() == L' ')) {
            return true;
        }
    }
    return false;
}

// The text `ask(buffer, size)` writes, the buffer grown until it fits: `ask` answers the text's
// length, or for too small a buffer the size it needs (or its own size: the text was cut); 0
// for a failure, which gives no text.
template <typename Ask> std::wstring AskText(Ask ask) {
    std::wstring text(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ask(text.data(), static_cast<DWORD>(text.size()));
        if (length < text.size()) {
            text.resize(length);
            return text;
        }
        text.resize(std::max<std::size_t>(length, text.size() * 2));
    }
}

// The system's full form of `osPath` ("C:name" taken from the current folder of drive C:);
// empty where it gives none.
std::wstring FullPathOf(const std::wstring& osPath) {
    return AskText(
        [&](wchar_t* data, DWORD size) { return ::GetFullPathNameW(osPath.c_str(), size, data, nullptr); });
}

// Windows takes a name of 248 characters or more (a folder's limit; a file's is 260) only in
// its long form, "\\?\C:\..." or "\\?\UNC\server\share\...", which it takes as it stands:
// the name is made full first, with the system's separators and no "." or ".." steps.
std::wstring InLongForm(const std::wstring& osPath) {
    constexpr std::size_t ShortLimit = 248;
    const std::wstring full = osPath.size() < ShortLimit ? std::wstring() : FullPathOf(osPath);
    if (full.empty() || osPath.starts_with(L"\\\\?\\")) {
        return osPath;
    }
    return full.starts_with(L"\\\\") ? L"\\\\?\\UNC\\" + full.substr(2) : L"\\\\?\\" + full;
}

// A path the system gave in its long form, as the program writes it.
std::wstring WithoutLongPrefix(std::wstring path) {
    if (path.starts_with(L"\\\\?\\UNC\\")) {
        return L"\\\\" + path.substr(8);
    }
    return path.starts_with(L"\\\\?\\") ? path.substr(4) : path;
}

// The system's name of a path (an own name is UTF-8, see platform.h); none for a path that no
// file can bear, one with a byte that is no character, with a NUL, which would end the name
// early, or that Windows would alter.
std::optional<std::wstring> SystemName(const std::string& path, Names names = Names::Cp932) {
    std::wstring osPath;
    if (path.find('\0') != std::string::npos ||
        !ToWide(names == Names::Own ? CP_UTF8 : CodePage, path, osPath) || SystemWouldAlter(osPath)) {
        return std::nullopt;
    }
    return InLongForm(osPath);
}

// What a system error comes to: Windows' own codes are the program's, and the system's other
// words for the same few cases are brought to them.
IoResult CodeFor(DWORD error) {
    return ResultOf(error,
                    {{IoResult::BadPath,
                      {ERROR_INVALID_NAME, ERROR_BAD_PATHNAME, ERROR_FILENAME_EXCED_RANGE,
                       ERROR_INVALID_DRIVE, ERROR_BAD_NETPATH, ERROR_BAD_NET_NAME, ERROR_DIRECTORY}},
                     {IoResult::Denied, {ERROR_WRITE_PROTECT}},
                     {IoResult::InUse, {ERROR_LOCK_VIOLATION}},
                     {IoResult::DiskFull, {ERROR_HANDLE_DISK_FULL}},
                     {IoResult::Exists, {ERROR_ALREADY_EXISTS}}},
                    static_cast<IoResult>(error));
}

IoResult LastCode() {
    return CodeFor(::GetLastError());
}

// Whether something stands at `osPath` with any of the attributes `any`. The read-only attribute
// refuses writes and erases: it is asked for by name, since Wine run by root, who may write any
// file, does not enforce it.
bool Has(const std::wstring& osPath, DWORD any) {
    const DWORD attributes = ::GetFileAttributesW(osPath.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & any) != 0;
}

// --- Handles ---

// The program's handle is the system's, as a number.
Handle HandleOf(HANDLE file) {
    return reinterpret_cast<Handle>(file);
}

HANDLE FileOf(Handle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// Opens `osPath` as the call asks, and keeps the handle only for a file on a disk: a folder,
// a device ("CON", "NUL") or a pipe is no file to read or write.
IoResult OpenFile(const std::wstring& osPath, DWORD access, DWORD share, DWORD disposition, HANDLE& file,
                  DWORD flags = FILE_ATTRIBUTE_NORMAL) {
    file = ::CreateFileW(osPath.c_str(), access, share, nullptr, disposition, flags, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return LastCode();
    }
    if (::GetFileType(file) != FILE_TYPE_DISK) {
        ::CloseHandle(file);
        file = INVALID_HANDLE_VALUE;
        return IoResult::Denied;
    }
    return IoResult::Ok;
}

IoResult OpenHandle(const std::wstring& osPath, DWORD access, DWORD share, DWORD disposition,
                    Handle& handle) {
    HANDLE file = INVALID_HANDLE_VALUE;
    if (const IoResult code = OpenFile(osPath, access, share, disposition, file); code != IoResult::Ok) {
        return code;
    }
    handle = HandleOf(file);
    return IoResult::Ok;
}

// Writes all of `data`, however the system splits it; the system's code when it refuses.
IoResult WriteBytes(HANDLE file, const char* data, std::size_t size) {
    while (size > 0) {
        DWORD written = 0;
        const auto piece = static_cast<DWORD>(std::min<std::size_t>(size, std::size_t{1} << 30));
        if (!::WriteFile(file, data, piece, &written, nullptr)) {
            return LastCode();
        }
        if (written == 0) {
            return IoResult::DiskFull; // the system took nothing: count it as a full disk
        }
        data += written;
        size -= written;
    }
    return IoResult::Ok;
}

bool MoveTo(HANDLE file, unsigned long long position) {
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(position);
    return ::SetFilePointerEx(file, at, nullptr, FILE_BEGIN) != 0;
}

IoResult CutAt(HANDLE file, unsigned long long size) {
    return MoveTo(file, size) && ::SetEndOfFile(file) ? IoResult::Ok : LastCode();
}

// --- Saving ---

// A symbolic link or a junction: what stands at the name leads elsewhere.
bool IsLink(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// The attributes a saved file takes over from the one it replaces. Never the read-only one:
// the program could not write its own file again.
constexpr DWORD KeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                 FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Opens a file or a folder to look at it, never holding it against others.
HANDLE OpenToLook(const std::wstring& osPath) {
    return ::CreateFileW(osPath.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// How a file moves: aside to a free name, over a file standing there, or taking over from it.
enum class MoveKind { Aside, Over, TakingOver };

// Moves `from` to `to`; never over a read-only file. Taking over, a file standing at `to` is
// replaced by the system's own replace, which keeps its security and creation time too.
IoResult Move(const std::string& from, const std::string& to, MoveKind kind, Names names = Names::Cp932) {
    const auto move = [&](const std::wstring& osFrom, const std::wstring& osTo) {
        if (Has(osTo, FILE_ATTRIBUTE_READONLY)) {
            return IoResult::Denied;
        }
        const wchar_t* const source = osFrom.c_str();
        const wchar_t* const target = osTo.c_str();
        constexpr DWORD Replacing = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
        if (kind == MoveKind::Aside) {
            return ::MoveFileExW(source, target, MOVEFILE_COPY_ALLOWED) ? IoResult::Ok : LastCode();
        }
        // A name in the long form is moved plainly: Wine's replace writes such a name into a buffer
        // of MAX_PATH characters, past its end. A link is replaced as a name: the system's replace
        // would open the file it leads to.
        const DWORD standing = ::GetFileAttributesW(target);
        if (kind == MoveKind::Over || standing == INVALID_FILE_ATTRIBUTES || IsLink(standing) ||
            osTo.starts_with(L"\\\\?\\")) {
            return ::MoveFileExW(source, target, Replacing) ? IoResult::Ok : LastCode();
        }
        if (::ReplaceFileW(target, source, nullptr,
                           REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                           nullptr)) {
            return IoResult::Ok;
        }
        // The replace may fail after taking the old file away, and some file systems cannot replace
        // at all: the new file, whole and flushed, then takes the place by a plain move, which a file
        // held by another program refuses as well.
        const IoResult code = LastCode();
        return ::MoveFileExW(source, target, Replacing) ? IoResult::Ok : code;
    };
    return OnSystemNames(SystemName(from, names), SystemName(to, names), true, move);
}

// A whole file, or its first `limit` bytes, is read unshared: nobody may have it open meanwhile.
IoResult ReadWhole(const std::wstring& osPath, std::string& bytes, std::size_t limit) {
    Handle handle = -1;
    if (const IoResult code = OpenHandle(osPath, GENERIC_READ, 0, OPEN_EXISTING, handle);
        code != IoResult::Ok) {
        return code;
    }
    LARGE_INTEGER size{};
    const IoResult code =
        ::GetFileSizeEx(FileOf(handle), &size)
            ? ReadToSize(handle, std::string(std::min(static_cast<std::size_t>(size.QuadPart), limit), '\0'),
                         bytes)
            : LastCode();
    ::CloseHandle(FileOf(handle));
    return code;
}

// Whether the name `osPath` stands in its folder, even as a file that waits to vanish until
// another program lets it go (the system refuses to create it again, as access denied).
bool NameIsTaken(const std::wstring& osPath) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(osPath.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    ::FindClose(search);
    return true;
}

IoResult MarkToVanish(HANDLE file, bool vanish) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = vanish ? TRUE : FALSE;
    const bool set =
        ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
    return set ? IoResult::Ok : LastCode();
}

// Makes `file`, `have` bytes long, at least `want` bytes long by writing zeros: making it longer
// alone reserves nothing on file systems that give room only to written bytes. The file keeps
// its length when there is no room for it all.
IoResult MakeRoom(HANDLE file, unsigned long long have, unsigned long long want) {
    IoResult code = IoResult::Ok;
    if (want > have) {
        const std::vector<char> zeros(
            static_cast<std::size_t>(std::min<unsigned long long>(want - have, 1 << 16)));
        code = MoveTo(file, have) ? IoResult::Ok : LastCode();
        for (unsigned long long left = want - have; code == IoResult::Ok && left > 0;) {
            const auto piece = static_cast<std::size_t>(std::min<unsigned long long>(left, zeros.size()));
            code = WriteBytes(file, zeros.data(), piece);
            left -= piece;
        }
        if (code != IoResult::Ok) {
            CutAt(file, have);
        }
    }
    if (code == IoResult::Ok && !MoveTo(file, 0)) {
        code = LastCode();
    }
    return code;
}

// Gives `file` the rights of `osModel`: who may read and change it, then its owner and group,
// each on its own, since making another user the owner needs a privilege seldom held. What the
// system refuses stays as the folder gives it.
void CopySecurity(const std::wstring& osModel, HANDLE file) {
    constexpr SECURITY_INFORMATION Parts[] = {DACL_SECURITY_INFORMATION, OWNER_SECURITY_INFORMATION,
                                              GROUP_SECURITY_INFORMATION};
    constexpr SECURITY_INFORMATION All =
        DACL_SECURITY_INFORMATION | OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION;
    DWORD size = 0;
    ::GetFileSecurityW(osModel.c_str(), All, nullptr, 0, &size);
    std::vector<BYTE> descriptor(size);
    if (size == 0 || !::GetFileSecurityW(osModel.c_str(), All, descriptor.data(), size, &size)) {
        return;
    }
    for (const SECURITY_INFORMATION part : Parts) {
        ::SetKernelObjectSecurity(file, part, descriptor.data());
    }
}

// Where the folders that MakeFolders may create begin: after the drive ("C:\") or after the
// server and share of a network path ("\\server\share\"), which are there or not at all, in
// the long form too.
std::size_t FirstCreatable(const std::wstring& osPath) {
    const bool longForm = osPath.starts_with(L"\\\\?\\");
    if (longForm && !osPath.starts_with(L"\\\\?\\UNC\\")) {
        return std::min<std::size_t>(osPath.size(), 7); // "\\?\C:\"
    }
    if (osPath.size() >= 2 && osPath[1] == L':') {
        // "C:" is a drive, never a folder "C" to make in the current folder.
        return osPath.size() > 2 && IsSeparator(osPath[2]) ? 3 : 2;
    }
    if (!osPath.starts_with(L"\\\\")) {
        return 0;
    }
    std::size_t separators = 0;
    for (std::size_t i = 0; i < osPath.size(); ++i) {
        if (IsSeparator(osPath[i]) && ++separators == (longForm ? 6 : 4)) {
            return i + 1;
        }
    }
    return osPath.size();
}

PathKind KindOfError(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME
               ? PathKind::Missing
               : PathKind::Other;
}

} // namespace

// What stands at `path`; a link there is followed to what it leads to, or told as a link.
PathKind KindAt(const std::string& path, bool followLinks, Names names) {
    return KindOnSystemName(SystemName(path, names), [&](const std::wstring& osPath) {
        DWORD attributes = ::GetFileAttributesW(osPath.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            return KindOfError(::GetLastError());
        }
        if (IsLink(attributes)) {
            if (!followLinks) {
                return PathKind::Link;
            }
            const HANDLE file = OpenToLook(osPath);
            if (file == INVALID_HANDLE_VALUE) {
                return KindOfError(::GetLastError()); // a link that leads nowhere stands for nothing
            }
            BY_HANDLE_FILE_INFORMATION info{};
            const bool known = ::GetFileInformationByHandle(file, &info) != 0;
            ::CloseHandle(file);
            attributes = known ? info.dwFileAttributes : FILE_ATTRIBUTE_DEVICE;
        }
        const bool plain = (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
        return plain ? PathKind::File : PathKind::Other;
    });
}

// A file open for writing lets others read it but not write it.
IoResult CreateForWriting(const std::string& path, Handle& handle, Names names) {
    return OnSystemName(SystemName(path, names), true, [&](const std::wstring& osPath) {
        if (Has(osPath, FILE_ATTRIBUTE_READONLY)) {
            return IoResult::Denied;
        }
        return OpenHandle(osPath, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS, handle);
    });
}

IoResult ReadSome(Handle handle, char* data, std::size_t size, std::size_t& got) {
    got = 0;
    DWORD read = 0;
    const auto piece = static_cast<DWORD>(std::min<std::size_t>(size, std::size_t{1} << 30));
    if (!::ReadFile(FileOf(handle), data, piece, &read, nullptr)) {
        return LastCode();
    }
    got = read;
    return IoResult::Ok;
}

IoResult WriteAll(Handle handle, const char* data, std::size_t size) {
    if (InjectedFailure()) {
        return IoResult::DiskFull;
    }
    return WriteBytes(FileOf(handle), data, size);
}

IoResult CloseHandle(Handle handle) {
    const bool injected = InjectedFailure();
    const HANDLE file = FileOf(handle);
    if (file == INVALID_HANDLE_VALUE) {
        return static_cast<IoResult>(ERROR_INVALID_HANDLE);
    }
    if (!::CloseHandle(file)) {
        return LastCode();
    }
    return injected ? IoResult::DeviceError : IoResult::Ok;
}

IoResult MayErase(const std::string& path, Names names) {
    return OnSystemName(SystemName(path, names), false, [](const std::wstring& osPath) {
        const DWORD attributes = ::GetFileAttributesW(osPath.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            return LastCode();
        }
        if ((attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
            return IoResult::Denied;
        }
        // The right to erase, and no other program holding the file without letting it go; a link
        // is judged itself, never the file it leads to.
        const HANDLE file =
            ::CreateFileW(osPath.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return LastCode();
        }
        ::CloseHandle(file);
        return IoResult::Ok;
    });
}

IoResult Rename(const std::string& from, const std::string& to, bool replacing, Names names) {
    return Move(from, to, replacing ? MoveKind::Over : MoveKind::Aside, names);
}

IoResult StampOf(const std::string& path, FileStamp& stamp) {
    return OnSystemName(SystemName(path), false, [&](const std::wstring& osPath) {
        const HANDLE file = OpenToLook(osPath);
        if (file == INVALID_HANDLE_VALUE) {
            return LastCode();
        }
        BY_HANDLE_FILE_INFORMATION info{};
        const bool known = ::GetFileInformationByHandle(file, &info) != 0;
        const IoResult code = known ? IoResult::Ok : LastCode();
        ::CloseHandle(file);
        const auto wide = [](DWORD high, DWORD low) {
            return (static_cast<unsigned long long>(high) << 32) | low;
        };
        if (known) {
            stamp = {.volume = info.dwVolumeSerialNumber,
                     .file = wide(info.nFileIndexHigh, info.nFileIndexLow),
                     .size = wide(info.nFileSizeHigh, info.nFileSizeLow),
                     .modified = static_cast<long long>(
                         wide(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime))};
        }
        return code;
    });
}

std::string LinkedFile(const std::string& path) {
    const std::optional<std::wstring> osPath = SystemName(path);
    if (!osPath || !Has(*osPath, FILE_ATTRIBUTE_REPARSE_POINT)) {
        return path;
    }
    const HANDLE file = OpenToLook(*osPath);
    if (file == INVALID_HANDLE_VALUE) {
        return path; // a link that leads nowhere is replaced like a file
    }
    const std::wstring final = AskText([&](wchar_t* data, DWORD size) {
        return ::GetFinalPathNameByHandleW(file, data, size, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    });
    ::CloseHandle(file);
    return final.empty() ? path : FromSystem(WithoutLongPrefix(final));
}

bool SystemFullName(const std::string& path, std::string& full) {
    const std::optional<std::wstring> osPath = SystemName(path);
    const std::wstring whole = osPath ? FullPathOf(*osPath) : std::wstring();
    if (whole.empty()) {
        return false;
    }
    // A file that stands: its long names in their real letter case, as the open dialog gives them.
    const std::wstring longName =
        AskText([&](wchar_t* data, DWORD size) { return ::GetLongPathNameW(whole.c_str(), data, size); });
    full = longName.empty() ? std::string() : FromSystem(WithoutLongPrefix(longName));
    if (full.empty() || full.find(UnnamableByte) != std::string::npos) {
        full = FromSystem(WithoutLongPrefix(whole));
    }
    return true;
}

IoResult ReadWholeFile(const std::string& path, std::string& bytes, Names names, std::size_t limit) {
    return OnSystemName(SystemName(path, names), false,
                        [&](const std::wstring& osPath) { return ReadWhole(osPath, bytes, limit); });
}

IoResult LookAtTarget(const std::string& path, Names names) {
    return OnSystemName(SystemName(path, names), false, [](const std::wstring& osPath) {
        if (::GetFileAttributesW(osPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
            return LastCode(); // what cannot be looked at is not missing
        }
        if (Has(osPath, FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DEVICE)) {
            return IoResult::Denied;
        }
        // The file is replaced as it would be created: not while another program holds it open.
        HANDLE file = INVALID_HANDLE_VALUE;
        const IoResult code = OpenFile(osPath, GENERIC_WRITE, 0, OPEN_EXISTING, file);
        if (code == IoResult::Ok) {
            ::CloseHandle(file);
        }
        return code;
    });
}

// The new file is the program's alone while it is written, and is marked to vanish at once:
// the system erases it when its last handle closes, however the program ends. DELETE, WRITE_DAC
// and WRITE_OWNER are what that mark and TakePermissions need; the creator is granted them.
IoResult CreateNew(const std::string& path, Handle& handle, Names names) {
    return OnSystemName(SystemName(path, names), false, [&](const std::wstring& osPath) {
        HANDLE file = INVALID_HANDLE_VALUE;
        const IoResult code =
            OpenFile(osPath, GENERIC_WRITE | DELETE | WRITE_DAC | WRITE_OWNER, 0, CREATE_NEW, file,
                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT);
        if (code == IoResult::Exists || (code == IoResult::Denied && NameIsTaken(osPath))) {
            return IoResult::Exists;
        }
        if (code != IoResult::Ok) {
            return code;
        }
        if (const IoResult marked = MarkToVanish(file, true); marked != IoResult::Ok) {
            ::CloseHandle(file);
            ::DeleteFileW(osPath.c_str());
            return marked;
        }
        handle = HandleOf(file);
        return IoResult::Ok;
    });
}

IoResult KeepNew(Handle handle) {
    if (InjectedFailure()) {
        return IoResult::DeviceError;
    }
    return MarkToVanish(FileOf(handle), false);
}

// Unshared like a new file. The room is made before the first byte changes, so that a full disk
// leaves the file as it was.
IoResult OpenToOverwrite(const std::string& path, unsigned long long size, bool followLinks, Handle& handle,
                         Names names) {
    return OnSystemName(SystemName(path, names), true, [&](const std::wstring& osPath) {
        HANDLE file = INVALID_HANDLE_VALUE;
        const DWORD flags = followLinks ? FILE_ATTRIBUTE_NORMAL : FILE_FLAG_OPEN_REPARSE_POINT;
        IoResult code = OpenFile(osPath, GENERIC_WRITE | FILE_READ_ATTRIBUTES, 0, OPEN_EXISTING, file, flags);
        if (code != IoResult::Ok) {
            return code;
        }
        BY_HANDLE_FILE_INFORMATION info{};
        if (!::GetFileInformationByHandle(file, &info)) {
            code = LastCode();
        } else if ((info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0 || IsLink(info.dwFileAttributes)) {
            code = IoResult::Denied;
        } else {
            const unsigned long long length =
                (static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
            code = MakeRoom(file, length, size);
        }
        if (code != IoResult::Ok) {
            ::CloseHandle(file);
            return code;
        }
        handle = HandleOf(file);
        return IoResult::Ok;
    });
}

IoResult SetLength(Handle handle, unsigned long long size) {
    if (InjectedFailure()) {
        return IoResult::DeviceError;
    }
    return CutAt(FileOf(handle), size);
}

void TakePermissions(Handle handle, const std::string& model) {
    const std::optional<std::wstring> osPath = model.empty() ? std::nullopt : SystemName(model);
    const DWORD attributes = osPath ? ::GetFileAttributesW(osPath->c_str()) : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return; // a new file: the rights the folder gives
    }
    FILE_BASIC_INFO info{}; // times and attributes of 0 stay as they are
    info.FileAttributes = attributes & KeptAttributes;
    const HANDLE file = FileOf(handle);
    ::SetFileInformationByHandle(file, FileBasicInfo, &info, sizeof info);
    CopySecurity(*osPath, file);
    // Where the rights and the read-only attribute are one (Wine keeps both in the Unix mode), a
    // read-only model's rights make the file read-only too: it is the program's to write.
    FILE_BASIC_INFO now{};
    if (::GetFileInformationByHandleEx(file, FileBasicInfo, &now, sizeof now) &&
        (now.FileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
        FILE_BASIC_INFO writable{};
        writable.FileAttributes = now.FileAttributes & ~FILE_ATTRIBUTE_READONLY;
        writable.FileAttributes =
            writable.FileAttributes != 0 ? writable.FileAttributes : FILE_ATTRIBUTE_NORMAL;
        ::SetFileInformationByHandle(file, FileBasicInfo, &writable, sizeof writable);
    }
}

IoResult FlushToDisk(Handle handle) {
    if (InjectedFailure()) {
        return IoResult::DeviceError;
    }
    return ::FlushFileBuffers(FileOf(handle)) ? IoResult::Ok : LastCode();
}

IoResult PutInPlace(const std::string& from, const std::string& to, Names names) {
    return Move(from, to, MoveKind::TakingOver, names);
}

void HoldInterruptions(bool /*hold*/) {} // TerminateProcess cannot be held off

void Discard(const std::string& path, Names names) {
    if (const std::optional<std::wstring> osPath = SystemName(path, names)) {
        ::SetFileAttributesW(osPath->c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(osPath->c_str());
    }
}

std::string ExecutablePath() {
    bool exact = true;
    return FromWide(
        CP_UTF8, AskText([](wchar_t* data, DWORD size) { return ::GetModuleFileNameW(nullptr, data, size); }),
        exact);
}

std::string CurrentFolder() {
    return FromSystem(AskText([](wchar_t* data, DWORD size) { return ::GetCurrentDirectoryW(size, data); }));
}

std::string EnvironmentValue(const char* name) {
    std::wstring wideName;
    if (!ToWide(CP_UTF8, name, wideName)) {
        return {};
    }
    bool exact = true;
    return FromWide(CP_UTF8, AskText([&](wchar_t* data, DWORD size) {
                        return ::GetEnvironmentVariableW(wideName.c_str(), data, size);
                    }),
                    exact);
}

// Windows tells the right to create a file only by creating one: a file that vanishes again
// when closed.
bool MayCreateIn(const std::string& folder) {
    std::optional<std::wstring> osPath = SystemName(folder, Names::Own);
    if (!osPath || !Has(*osPath, FILE_ATTRIBUTE_DIRECTORY)) {
        return false;
    }
    if (!osPath->empty() && !IsSeparator(osPath->back())) {
        *osPath += L'\\';
    }
    const std::wstring probe = *osPath + L"~netedit." + std::to_wstring(::GetCurrentProcessId()) + L".probe";
    const HANDLE file = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return ::GetLastError() == ERROR_FILE_EXISTS; // a probe of this program's own stands there
    }
    ::CloseHandle(file);
    return true;
}

// The folders get the rights the system gives new folders there: under the user's own profile,
// the user's alone.
IoResult MakeFolders(const std::string& folder) {
    return OnSystemName(SystemName(folder, Names::Own), false, [](const std::wstring& osPath) {
        for (std::size_t end = FirstCreatable(osPath); end <= osPath.size(); ++end) {
            if (end < osPath.size() && !IsSeparator(osPath[end])) {
                continue;
            }
            const std::wstring step = osPath.substr(0, end);
            if (step.empty() || IsSeparator(step.back()) || Has(step, FILE_ATTRIBUTE_DIRECTORY)) {
                continue; // a drive or a root, or a folder that stands already
            }
            if (!::CreateDirectoryW(step.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
                return LastCode();
            }
        }
        return Has(osPath, FILE_ATTRIBUTE_DIRECTORY) ? IoResult::Ok : IoResult::Denied;
    });
}

std::string ConvertCp932ToUtf8(const std::string& bytes, bool& exact) {
    return Convert(
        CodePage, CP_UTF8, bytes, "\xEF\xBF\xBD", [](const unsigned char*, std::size_t) { return 1; }, exact);
}

std::string ConvertUtf8ToCp932(const std::string& utf8, bool& exact) {
    return Convert(CP_UTF8, CodePage, utf8, "?", Utf8Length, exact);
}

} // namespace netedit::platform
