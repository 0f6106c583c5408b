#include "support/directory_state.h"

#include "support/temp_dir.h"

#include <array>
#include <cstdio>
#include <sys/stat.h>
#ifdef _WIN32
#include <windows.h>
#endif

namespace netedit::testing {

namespace fs = std::filesystem;

namespace {

// Windows knows only the read-only attribute, which shows as 0444 against a usual 0666.
#ifdef _WIN32
constexpr auto UsualBits = fs::perms(0666);
#else
constexpr auto UsualBits = fs::perms(0644);
#endif

} // namespace

DirectoryState ReadDirectoryState(const fs::path& dir) {
    DirectoryState state;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        const std::string name = entry.path().lexically_relative(dir).generic_string();
        if (entry.is_symlink()) {
            state[name] = "->" + fs::read_symlink(entry.path()).generic_string();
            continue;
        }
        if (entry.is_directory()) {
            state[name] = "/";
            continue;
        }
        const fs::perms bits = fs::status(entry.path()).permissions() & fs::perms::all;
        std::string mode;
        if (bits != UsualBits) {
            std::array<char, 16> text{};
            std::snprintf(text.data(), text.size(), "(%04o)", static_cast<unsigned>(bits));
            mode = text.data();
        }
        state[name] = mode + ReadFileBytes(entry.path());
    }
    return state;
}

void LayDirectoryState(const fs::path& dir, const DirectoryState& state) {
    for (const auto& [name, content] : state) {
        const fs::path path = dir / name;
        if (content == "/") {
            fs::create_directory(path);
            continue;
        }
        if (content.starts_with("->")) {
            fs::create_symlink(content.substr(2), path);
            continue;
        }
        const bool hasMode = content.size() >= 6 && content[0] == '(' && content[5] == ')';
        WriteFileBytes(path, hasMode ? content.substr(6) : content);
        fs::permissions(path, hasMode ? fs::perms(std::stoi(content.substr(1, 4), nullptr, 8)) : UsualBits);
    }
}

#ifdef _WIN32
UsualNewFileBits::UsualNewFileBits() : previous_(0) {}
UsualNewFileBits::~UsualNewFileBits() = default;

int OpenHandles() {
    DWORD count = 0;
    ::GetProcessHandleCount(::GetCurrentProcess(), &count);
    return static_cast<int>(count);
}
#else
UsualNewFileBits::UsualNewFileBits() : previous_(static_cast<int>(::umask(022))) {}
UsualNewFileBits::~UsualNewFileBits() {
    ::umask(static_cast<mode_t>(previous_));
}

int OpenHandles() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}
#endif

} // namespace netedit::testing
