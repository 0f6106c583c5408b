#include "runtime/line_list.h"

#include "runtime/failure.h"
#include "runtime/messages.h"
#include "runtime/platform.h"

#include <algorithm>

namespace netedit {

LineList::LineList(std::initializer_list<std::string_view> lines) {
    for (auto line : lines) {
        push_back(line);
    }
}

LineList SplitLines(std::string_view bytes) {
    LineList lines;
    lines.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1, bytes.size());
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t start = pos;
        while (pos < bytes.size() && bytes[pos] != '\r' && bytes[pos] != '\n') {
            ++pos;
        }
        lines.push_back(bytes.substr(start, pos - start));
        if (pos < bytes.size() && bytes[pos] == '\r') {
            ++pos;
        }
        if (pos < bytes.size() && bytes[pos] == '\n') {
            ++pos;
        }
    }
    return lines;
}

std::string JoinLines(const LineList& lines) {
    std::string text;
    text.reserve(lines.byteCount() + 2 * lines.size());
    for (auto line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void LoadLines(const std::string& path, LineList& lines) {
    std::string bytes;
    if (platform::ReadWholeFile(path, bytes) != 0) {
        throw Failure(Message(msg::CannotOpen, path));
    }
    lines = SplitLines(bytes);
}

void SaveLines(const LineList& lines, const std::string& path) {
    SaveText(JoinLines(lines), path);
}

void SaveText(const std::string& text, const std::string& path) {
    bool createFailed = false;
    if (platform::ReplaceFileContents(path, text, createFailed) != 0) {
        throw Failure(createFailed ? Message(msg::CannotCreate, path) : Message(msg::WriteError));
    }
}

} // namespace netedit
