// The page's file is reached by its UTF-16 name, not through the program's code page 932 paths:
// a user's profile may bear a name that code page 932 cannot hold, and the help must open there
// too.

#include "win32/help_page.h"

#include "win32/resource_ids.h"

#include <windows.h>

namespace netedit::win32 {

namespace {

bool IsFullPath(const std::wstring& path) {
    const bool fromDrive = path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
    return fromDrive || path.starts_with(L"\\\\");
}

// Whether the file at `file` holds exactly `bytes`; false also when it cannot be read.
bool Holds(const std::wstring& file, std::string_view bytes) {
    const HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    LARGE_INTEGER size{};
    bool same =
        ::GetFileSizeEx(handle, &size) && static_cast<unsigned long long>(size.QuadPart) == bytes.size();
    if (same && !bytes.empty()) {
        std::string held(bytes.size(), '\0');
        DWORD got = 0;
        same = ::ReadFile(handle, held.data(), static_cast<DWORD>(held.size()), &got, nullptr) &&
               got == held.size() && held == bytes;
    }
    ::CloseHandle(handle);
    return same;
}

// Writes `bytes` beside `file` and puts them in its place in one step: a browser that opens the
// page meanwhile, or another copy of the program showing its help, never finds half a page.
bool Replace(const std::wstring& file, std::string_view bytes) {
    const std::wstring written = file + L".~" + std::to_wstring(::GetCurrentProcessId());
    const HANDLE handle = ::CreateFileW(written.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD put = 0;
    const bool whole = ::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) &&
                       put == bytes.size();
    const bool closed = ::CloseHandle(handle) != 0;
    if (whole && closed && ::MoveFileExW(written.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        return true;
    }
    ::DeleteFileW(written.c_str());
    return false;
}

} // namespace

std::string_view HelpPageBytes() {
    const HRSRC found = ::FindResourceW(nullptr, MAKEINTRESOURCEW(NETEDIT_HELP_PAGE_RESOURCE), RT_RCDATA);
    const HGLOBAL loaded = found == nullptr ? nullptr : ::LoadResource(nullptr, found);
    const void* bytes = loaded == nullptr ? nullptr : ::LockResource(loaded);
    if (bytes == nullptr) {
        return {};
    }
    return {static_cast<const char*>(bytes), ::SizeofResource(nullptr, found)};
}

std::wstring HelpPageFile() {
    constexpr wchar_t Page[] = L"%LOCALAPPDATA%\\netedit\\help.html";
    const DWORD size = ::ExpandEnvironmentStringsW(Page, nullptr, 0);
    std::wstring file(size, L'\0');
    const DWORD length = size == 0 ? 0 : ::ExpandEnvironmentStringsW(Page, file.data(), size);
    // Without the variable the name stays as written, which says what is missing.
    if (length == 0 || length > size) {
        return Page;
    }
    file.resize(length - 1); // less the NUL
    return file;
}

bool WritePageIfChanged(const std::wstring& file, std::string_view page) {
    // A name from a variable that names no folder of its own would land in the current folder.
    if (!IsFullPath(file)) {
        return false;
    }
    if (Holds(file, page)) {
        return true;
    }
    const std::wstring folder = file.substr(0, file.find_last_of(L"\\/"));
    if (!::CreateDirectoryW(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
        return false;
    }
    return Replace(file, page);
}

} // namespace netedit::win32
