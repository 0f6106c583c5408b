#include "editor/settings_file.h"

#include "runtime/codec.h"
#include "runtime/failure.h"
#include "runtime/messages.h"
#include "runtime/paths.h"
#include "runtime/platform.h"
#include "runtime/text.h"

#include <algorithm>

namespace netedit {

namespace {

constexpr std::string_view SourceKey = "SrcFile";
constexpr std::string_view DestinationKey = "DstFile";
constexpr std::int64_t MaxValueBytes = 255;
constexpr std::size_t CaptionBytes = 25;
constexpr std::int64_t CaptionHeadBytes = 22;
constexpr char CtrlZ = 0x1A;
// Two keys of at most 255 bytes each: beyond this nothing can matter, and a damaged settings
// file of gigabytes must not hold up the start.
constexpr std::size_t MaxSettingsBytes = std::size_t{64} << 10;

} // namespace

void ReadSettings(const std::string& settingsPath, RememberedPaths& paths) {
    std::string bytes;
    if (platform::ReadWholeFile(settingsPath, bytes, platform::Names::Own, MaxSettingsBytes) != platform::IoResult::Ok) {
        return; // a settings file that cannot be read is none
    }
    bytes.resize(std::min(bytes.find(CtrlZ), bytes.size())); // Ctrl-Z ends the file, as does the limit
    // A line ends only at CR, an LF right after it belonging to the line end.
    for (std::size_t begin = 0; begin < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\r', begin), bytes.size());
        const std::string line = bytes.substr(begin, end - begin);
        begin = end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        const auto p = static_cast<std::int64_t>(FindPos("=", line));
        const std::string key = p == 0 ? std::string() : CopyPart(line, 1, p - 1);
        const std::string value = CopyPart(line, p + 1, MaxValueBytes);
        if (key == SourceKey) {
            paths.source = value;
        } else if (key == DestinationKey) {
            paths.destination = value;
        }
    }
}

void WriteSettings(const std::string& settingsPath, const RememberedPaths& paths) {
    const std::string text = std::string(SourceKey) + "=" + paths.source + "\r\n" +
                             std::string(DestinationKey) + "=" + paths.destination + "\r\n";
    platform::Handle handle = -1;
    using platform::IoResult;
    IoResult code = platform::CreateForWriting(settingsPath, handle, platform::Names::Own);
    if (code == IoResult::Ok) {
        code = platform::WriteAll(handle, text.data(), text.size());
        const IoResult closed = platform::CloseHandle(handle);
        code = code != IoResult::Ok ? code : closed;
    }
    if (code != IoResult::Ok) {
        throw Failure(IOMessage(code));
    }
}

std::string PathCaption(std::string_view path, PathStyle style) {
    if (path.size() <= CaptionBytes) {
        return std::string(path);
    }
    const std::string name = NamePart(path, style);
    const std::int64_t head = CaptionHeadBytes - static_cast<std::int64_t>(name.size());
    return CopyPart(path, 1, head) + "..." + name;
}

} // namespace netedit
