#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace netedit::testing {

// A fresh directory under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The full path of `name` inside the directory, as the program's byte string (with "/" at the end for
    // "").
    std::string file(std::string_view name) const;

private:
    std::filesystem::path path_;
};

std::string ReadFileBytes(const std::filesystem::path& path);
// Writes a net data file of UTF-8 lines as code page 932 with CR LF, and gives its full path.
std::string WriteNetDataFile(const TempDir& dir, std::string_view name,
                             const std::vector<std::string>& utf8Lines);
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

} // namespace netedit::testing
