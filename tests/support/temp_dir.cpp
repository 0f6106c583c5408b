#include "support/temp_dir.h"

#include "runtime/codec.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace netedit::testing {

TempDir::TempDir() {
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate = std::filesystem::temp_directory_path() / ("netedit-test-" + std::to_string(rd()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary directory");
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ec);
    std::filesystem::remove_all(path_, ec);
}

// Joined as bytes: a name in code page 932 must reach the program as it is, not through the
// path type's idea of the system's code page.
std::string TempDir::file(std::string_view name) const {
#ifdef _WIN32
    return path_.string() + "\\" + std::string(name);
#else
    return path_.string() + "/" + std::string(name);
#endif
}

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

std::string WriteNetDataFile(const TempDir& dir, std::string_view name,
                             const std::vector<std::string>& utf8Lines) {
    std::string bytes;
    for (const auto& line : utf8Lines) {
        bytes += EncodeCp932(line) + "\r\n";
    }
    WriteFileBytes(dir.path() / std::string(name), bytes);
    return dir.file(name);
}

} // namespace netedit::testing
