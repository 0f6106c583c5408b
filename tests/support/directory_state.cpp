#include "support/directory_state.h"

#include "support/temp_dir.h"

#include <cstdio>
#include <sys/stat.h>

namespace netedit::testing {

namespace fs = std::filesystem;

DirectoryState ReadDirectoryState(const fs::path& dir) {
    DirectoryState state;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        const std::string name = fs::relative(entry.path(), dir).string();
        if (entry.is_directory()) {
            state[name] = "/";
            continue;
        }
        struct stat st {};
        ::stat(entry.path().c_str(), &st);
        std::string mode;
        if ((st.st_mode & 07777) != 0644) {
            char text[16];
            std::snprintf(text, sizeof text, "(%04o)", st.st_mode & 07777);
            mode = text;
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
        const bool hasMode = content.size() >= 6 && content[0] == '(' && content[5] == ')';
        WriteFileBytes(path, hasMode ? content.substr(6) : content);
        ::chmod(path.c_str(),
                hasMode ? static_cast<mode_t>(std::stoi(content.substr(1, 4), nullptr, 8)) : 0644);
    }
}

} // namespace netedit::testing
