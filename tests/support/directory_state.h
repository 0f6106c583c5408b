#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace netedit::testing {

// What stands in a directory, by relative name: a folder as "/", a symbolic link as "->" and
// where it leads, a file as its bytes, led by its permission bits in parentheses ("(0600)",
// "(0444)" for a read-only file) when they are not the system's usual ones for a new file.
using DirectoryState = std::map<std::string, std::string>;

DirectoryState ReadDirectoryState(const std::filesystem::path& dir);
// Lays `state` out in an empty `dir` (folders first, as their names sort before their files).
void LayDirectoryState(const std::filesystem::path& dir, const DirectoryState& state);

// While it lives, files the program creates get the usual bits (a umask of 022 on POSIX).
class UsualNewFileBits {
public:
    UsualNewFileBits();
    ~UsualNewFileBits();
    UsualNewFileBits(const UsualNewFileBits&) = delete;
    UsualNewFileBits& operator=(const UsualNewFileBits&) = delete;

private:
    int previous_;
};

// The files and other handles this process holds open: a file left open shows here.
int OpenHandles();

} // namespace netedit::testing
