// The page's file goes by its own name, not by a code page 932 path: a user's profile may bear a
// name that code page 932 cannot hold, and the help must open there too. It is written as every
// file is, by the safe save (KeepOwnFile): a browser that opens the page meanwhile, or another
// copy of the program showing its help, never finds half a page.

#include "win32/help_page.h"

#include "editor/program_files.h"
#include "win32/resource_ids.h"
#include "win32/wide_text.h"

#include <windows.h>

namespace netedit::win32 {

namespace {

bool IsFullPath(const std::wstring& path) {
    const bool fromDrive = path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
    return fromDrive || path.starts_with(L"\\\\");
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
    return IsFullPath(file) && KeepOwnFile(Utf8OfWide(file), page);
}

} // namespace netedit::win32
