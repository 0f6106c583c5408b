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

// Where the name begins and where its extension's dot stands, found by one scan. In code page
// 932 it is double-byte aware, as the second byte of a character may be "\\"; a "\\", a "/" or a
// dot is never part of a character in UTF-8, so other paths are scanned byte by byte.
struct PathLayout {
    std::size_t nameStart = 0;
    std::size_t dot = std::string_view::npos;
};

PathLayout Scan(std::string_view path, PathStyle style) {
    PathLayout layout;
    std::size_t pos = 0;
    while (pos < path.size()) {
        char c = path[pos];
        if (style == PathStyle::Windows && IsLeadByte(static_cast<unsigned char>(c))) {
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

// The separators between the steps of a full path: never ":", which only ends a drive.
bool IsStepSeparator(char c, PathStyle style) {
    return c == '/' || (style != PathStyle::Posix && c == '\\');
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

namespace {

// The steps of `rest` between its separators, with "." and ".." resolved; ".." never climbs above
// the root. A "\" can be the second byte of a character; a "/" never is.
std::vector<std::string_view> ResolvedSteps(std::string_view rest, PathStyle style) {
    std::vector<std::string_view> steps;
    std::size_t start = 0;
    for (std::size_t pos = 0; pos <= rest.size(); ++pos) {
        if (style == PathStyle::Windows && pos < rest.size() &&
            IsLeadByte(static_cast<unsigned char>(rest[pos]))) {
            ++pos;
            continue;
        }
        if (pos < rest.size() && !IsStepSeparator(rest[pos], style)) {
            continue;
        }
        const std::string_view step = rest.substr(start, pos - start);
        start = pos + 1;
        if (step == ".." && !steps.empty()) {
            steps.pop_back();
        } else if (!step.empty() && step != "." && step != "..") {
            steps.push_back(step);
        }
    }
    return steps;
}

// How a Windows path begins: its drive ("C:"), its network share ("\\server\share"), or nothing.
std::string_view WindowsRoot(std::string_view path) {
    if (path.size() >= 2 && path[1] == ':' && !IsLeadByte(static_cast<unsigned char>(path[0]))) {
        return path.substr(0, 2);
    }
    if (path.starts_with("\\\\") || path.starts_with("//")) {
        std::size_t separators = 0;
        for (std::size_t pos = 2; pos < path.size(); ++pos) {
            if (IsLeadByte(static_cast<unsigned char>(path[pos]))) {
                ++pos;
            } else if (IsStepSeparator(path[pos], PathStyle::Windows) && ++separators == 2) {
                return path.substr(0, pos);
            }
        }
        return path;
    }
    return {};
}

std::string WindowsFullPath(std::string_view path, std::string_view folder) {
    std::string_view root = WindowsRoot(path);
    std::string whole;
    if (!root.empty() &&
        (root.size() > 2 || (path.size() > 2 && IsStepSeparator(path[2], PathStyle::Windows)))) {
        whole = path; // from a drive's root or a share
    } else if (root.empty() && !path.empty() && IsStepSeparator(path[0], PathStyle::Windows)) {
        whole = std::string(WindowsRoot(folder)) + std::string(path); // from the root of the folder's drive
    } else if (!root.empty()) {
        whole =
            std::string(root) + "\\" + std::string(path.substr(2)); // "C:name": taken from the drive's root
    } else {
        whole = std::string(folder) + "\\" + std::string(path);
    }
    root = WindowsRoot(whole);
    const std::string_view rest = std::string_view(whole).substr(root.size());
    char separator = '\\';
    for (std::size_t pos = 0; pos < rest.size(); ++pos) {
        if (IsLeadByte(static_cast<unsigned char>(rest[pos]))) {
            ++pos;
        } else if (IsStepSeparator(rest[pos], PathStyle::Windows)) {
            separator = rest[pos];
            break;
        }
    }
    std::string full(root);
    for (const std::string_view step : ResolvedSteps(rest, PathStyle::Windows)) {
        full += separator;
        full += step;
    }
    return full.size() == root.size() ? full + separator : full;
}

} // namespace

std::string FullPath(std::string_view path, std::string_view folder, PathStyle style) {
    if (style == PathStyle::Windows) {
        return WindowsFullPath(path, folder);
    }
    const std::string whole =
        path.starts_with('/') ? std::string(path) : std::string(folder) + "/" + std::string(path);
    std::string full;
    for (const std::string_view step : ResolvedSteps(whole, style)) {
        full += '/';
        full += step;
    }
    return full.empty() ? "/" : full;
}

std::string FullPath(std::string_view path) {
    if (std::string full; platform::SystemFullName(std::string(path), full)) {
        return full;
    }
    const std::string folder = platform::CurrentFolder();
    // A current folder that has gone names nothing; the path is better left as it was given.
    return folder.empty() ? std::string(path) : FullPath(path, folder);
}

bool SameFolder(const std::string& a, const std::string& b) {
    platform::FileStamp first;
    platform::FileStamp second;
    if (platform::StampOf(a, first) != platform::IoResult::Ok ||
        platform::StampOf(b, second) != platform::IoResult::Ok) {
        return a == b;
    }
    return first.SameFile(second);
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
    static const std::string title = TitleFromProgramPath(EncodeCp932(platform::ExecutablePath()));
    return title;
}

} // namespace netedit
