#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace netedit::testing {

// What stands in a directory, by relative name: a folder as "/", a file as its bytes, led by its
// permission bits in parentheses ("(0600)") when they are not the usual 0644.
using DirectoryState = std::map<std::string, std::string>;

DirectoryState ReadDirectoryState(const std::filesystem::path& dir);
// Lays `state` out in an empty `dir` (folders first, as their names sort before their files).
void LayDirectoryState(const std::filesystem::path& dir, const DirectoryState& state);

} // namespace netedit::testing
