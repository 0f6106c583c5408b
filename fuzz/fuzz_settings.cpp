// Arbitrary bytes as the settings file beside the program: reading never fails, never keeps
// more than 255 bytes of a path, and what it keeps can always be shown as a caption.
#include "editor/settings_file.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdlib.h>
#include <string>
#include <string_view>
#include <unistd.h>

using namespace netedit;

namespace {

constexpr std::size_t MaxPathBytes = 255;

void Require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// One file per fuzzing process, rewritten for every input. It is unlinked at once and reached
// through its descriptor, so a run that ends however it ends leaves nothing behind.
int SettingsFile() {
    static const int fd = [] {
        char name[] = "/tmp/netedit-fuzz-settings-XXXXXX";
        const int created = mkstemp(name);
        Require(created >= 0);
        unlink(name);
        return created;
    }();
    return fd;
}

void CheckCaption(const std::string& path, PathStyle style) {
    const std::string caption = PathCaption(path, style);
    if (path.size() <= 25) {
        Require(caption == path);
    } else {
        // Head, "...", and the name, which ends the caption whole.
        const std::string name = NamePart(path, style);
        Require(caption.size() >= 3 + name.size());
        Require(caption.compare(caption.size() - name.size(), name.size(), name) == 0);
        Require(caption.size() == std::max<std::size_t>(25, 3 + name.size()));
        Require(path.starts_with(std::string_view(caption).substr(0, caption.size() - name.size() - 3)));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int fd = SettingsFile();
    Require(ftruncate(fd, 0) == 0);
    Require(pwrite(fd, data, size, 0) == static_cast<ssize_t>(size));
    const std::string path = "/proc/self/fd/" + std::to_string(fd);

    RememberedPaths paths;
    ReadSettings(path, paths);
    Require(paths.source.size() <= MaxPathBytes);
    Require(paths.destination.size() <= MaxPathBytes);

    // A line never reaches past a CR or a Ctrl-Z, so neither can be part of a path.
    for (const std::string* p : {&paths.source, &paths.destination}) {
        Require(p->find('\r') == std::string::npos);
        Require(p->find('\x1a') == std::string::npos);
        CheckCaption(*p, PathStyle::Windows);
        CheckCaption(*p, PathStyle::Posix);
    }

    // A path read back is the bytes after "SrcFile=" or "DstFile=" somewhere in the input.
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (!paths.source.empty()) {
        Require(input.find("SrcFile=" + paths.source) != std::string_view::npos);
    }
    if (!paths.destination.empty()) {
        Require(input.find("DstFile=" + paths.destination) != std::string_view::npos);
    }
    return 0;
}
