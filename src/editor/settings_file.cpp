#include "editor/settings_file.h"

#include "runtime/codec.h"
#include "runtime/failure.h"
#include "runtime/line_file.h"
#include "runtime/messages.h"
#include "runtime/paths.h"
#include "runtime/text.h"

namespace netedit {

namespace {

constexpr std::string_view SourceKey = "SrcFile";
constexpr std::string_view DestinationKey = "DstFile";
constexpr std::int64_t MaxValueBytes = 255;
constexpr std::size_t CaptionBytes = 25;
constexpr std::int64_t CaptionHeadBytes = 22;

} // namespace

void ReadSettings(const std::string& settingsPath, RememberedPaths& paths) {
    LineFile file;
    try {
        file.BindName(settingsPath);
        file.OpenForRead();
        CheckIO();
        while (true) {
            const bool atEnd = file.AtEnd();
            CheckIO();
            if (atEnd) {
                break;
            }
            const std::string line = file.ReadLine();
            CheckIO();
            const auto p = static_cast<std::int64_t>(FindPos("=", line));
            const std::string key = p == 0 ? std::string() : CopyPart(line, 1, p - 1);
            const std::string value = CopyPart(line, p + 1, MaxValueBytes);
            if (key == SourceKey) {
                paths.source = value;
            } else if (key == DestinationKey) {
                paths.destination = value;
            }
        }
    } catch (const Failure&) {
        // A settings file that cannot be read leaves the paths as far as they were read.
    }
    file.CloseLines();
    TakeIOCode();
}

void WriteSettings(const std::string& settingsPath, const RememberedPaths& paths) {
    if (!DecodeCp932Exactly(settingsPath)) {
        throw Failure(Message(msg::CannotCreate, settingsPath)); // a program folder no file can name
    }
    LineFile file;
    file.BindName(settingsPath);
    file.OpenForWrite();
    CheckIO();
    file.WriteText(std::string(SourceKey) + "=");
    file.WriteText(paths.source);
    file.EndLine();
    CheckIO();
    file.WriteText(std::string(DestinationKey) + "=");
    file.WriteText(paths.destination);
    file.EndLine();
    CheckIO();
    file.CloseLines();
    CheckIO();
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
