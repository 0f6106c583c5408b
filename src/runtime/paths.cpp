#include "runtime/paths.h"

#include "runtime/codec.h"
#include "runtime/platform.h"

#include <vector>

namespace netedit {

namespace {

constexpr std::size_t MaxNameBytes = 255;

bool IsSeparator(char c, PathStyle style) {
    if (style == PathStyle::Posix) {
        return c == '/';
    }
    return c == '\\' || c == ':' || c == '/';
}

// Where the name begins and where its extension's dot stands, found by one double-byte aware
// scan: the second byte of a character is neither a separator nor a dot.
struct PathLayout {
    std::size_t nameStart = 0;
    std::size_t dot = std::string_view::npos;
};

PathLayout Scan(std::string_view path, PathStyle style) {
    PathLayout layout;
    std::size_t pos = 0;
    while (pos < path.size()) {
        char c = path[pos];
        if (IsLeadByte(static_cast<unsigned char>(c))) {
            pos += 2;
            continue;
        }
        if (IsSeparator(c, style)) {
            layout.nameStart = pos + 1;
            layout.dot = std::string_view::npos;
        } else if (c == '.') {
            layout.dot = pos;
        }
        ++pos;
    }
    return layout;
}

} // namespace

std::string DirPart(std::string_view path, PathStyle style) {
    return std::string(path.substr(0, Scan(path, style).nameStart));
}

std::string NamePart(std::string_view path, PathStyle style) {
    return std::string(path.substr(Scan(path, style).nameStart, MaxNameBytes));
}

std::string ReplaceExt(std::string_view path, std::string_view ext, PathStyle style) {
    std::string result(path.substr(0, Scan(path, style).dot));
    result += ext;
    return result;
}

std::string FullPath(std::string_view path, std::string_view folder) {
    std::string whole =
        path.starts_with('/') ? std::string(path) : std::string(folder) + "/" + std::string(path);
    std::vector<std::string_view> steps;
    std::string_view rest = whole;
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string_view step = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (step == ".." && !steps.empty()) {
            steps.pop_back();
        } else if (!step.empty() && step != "." && step != "..") {
            steps.push_back(step);
        }
    }
    std::string full;
    for (const std::string_view step : steps) {
        full += '/';
        full += step;
    }
    return full.empty() ? "/" : full;
}

std::string FullPath(std::string_view path) {
    const std::string folder = platform::CurrentFolder();
    // A current folder that has gone names nothing; the path is better left as it was given.
    return folder.empty() ? std::string(path) : FullPath(path, folder);
}

std::string ProgramPath() {
    return platform::ExecutablePath();
}

bool MoveFileTo(const std::string& from, const std::string& to) {
    return platform::RenameNoReplace(from, to);
}

std::string TitleFromProgramPath(std::string_view path, PathStyle style) {
    std::string title = NamePart(path, style);
    // A dot is never the second byte of a double-byte character, so a plain search is safe.
    title = title.substr(0, title.find('.'));
    std::size_t pos = 0;
    while (pos < title.size()) {
        auto byte = static_cast<unsigned char>(title[pos]);
        if (IsLeadByte(byte)) {
            pos += 2;
            continue;
        }
        if (pos > 0 && byte >= 'A' && byte <= 'Z') {
            title[pos] = static_cast<char>(byte - 'A' + 'a');
        }
        ++pos;
    }
    return title;
}

std::string ProgramTitle() {
    static const std::string title = TitleFromProgramPath(ProgramPath());
    return title;
}

} // namespace netedit
