#pragma once

#include <string>
#include <string_view>

namespace netedit {

// Which bytes separate the parts of a path. The program uses the set of the platform it runs
// on; both sets are available everywhere so that either can be tested on any machine.
enum class PathStyle {
    Windows, // "\" and ":" (and "/", which Windows accepts as well)
    Posix,   // "/"
    // Windows' separators in UTF-8 text: the program's own names there (see platform.h), where
    // no byte of a character is ever a separator.
    WindowsUtf8,
};

#ifdef _WIN32
inline constexpr PathStyle NativePathStyle = PathStyle::Windows;
inline constexpr PathStyle OwnPathStyle = PathStyle::WindowsUtf8;
#else
inline constexpr PathStyle NativePathStyle = PathStyle::Posix;
inline constexpr PathStyle OwnPathStyle = PathStyle::Posix;
#endif

// Path scanning is double-byte aware: the second byte of a code page 932 character is never a
// separator or a dot, even when it is 0x5C. FullPath takes paths in code page 932 only.

// Up to and including the last separator; empty when there is none.
std::string DirPart(std::string_view path, PathStyle style = NativePathStyle);
// After the last separator (the whole path when there is none), at most 255 bytes.
std::string NamePart(std::string_view path, PathStyle style = NativePathStyle);
// The path with `ext` (".INI") in place of its extension, or appended when it has none.
std::string ReplaceExt(std::string_view path, std::string_view ext, PathStyle style = NativePathStyle);

// The full path that `path` names from `folder` (or, without one, from the current folder), with
// its "." and ".." steps and doubled separators resolved by name, as the file dialogs give their
// paths: two names of one folder then compare equal. On Windows the root is a drive ("C:"), a
// network share ("\\server\share") or, without either, the bare separator, and the steps are
// joined by the first separator the path was given with.
std::string FullPath(std::string_view path, std::string_view folder, PathStyle style = NativePathStyle);
// Without a folder: the system's own full name where it has one (see platform::SystemFullName).
std::string FullPath(std::string_view path);

// Whether two folder names (each ending with its separator) reach the same folder: one folder
// through a symbolic link, in other letter case or by a short name is still that folder. Where
// either cannot be looked at, the names must be equal byte for byte.
bool SameFolder(const std::string& a, const std::string& b);

// The program's title: the executable's file name up to its first ".", lower-cased after its
// first byte (double-byte characters unchanged). "EDITOR.EXE" gives "Editor". The program's title
// is code page 932 text.
std::string TitleFromProgramPath(std::string_view path, PathStyle style = NativePathStyle);
std::string ProgramTitle();

} // namespace netedit
