#pragma once

#include "runtime/paths.h"

#include <string>
#include <string_view>

namespace netedit {

// The two paths the program remembers from one run to the next, in code page 932.
struct RememberedPaths {
    std::string source;      // "SrcFile"
    std::string destination; // "DstFile"
};

// The settings file goes by its own name (see platform.h); its contents are code page 932.

// Reads "SrcFile=" and "DstFile=" lines into `paths`; a later line overrides an earlier one.
// Lines end at CR and the file at Ctrl-Z; a file that cannot be read leaves `paths` as they are.
void ReadSettings(const std::string& settingsPath, RememberedPaths& paths);

// Writes exactly the two lines "SrcFile=..." and "DstFile=...". Fails with the I/O message of
// the first step that goes wrong.
void WriteSettings(const std::string& settingsPath, const RememberedPaths& paths);

// How a label shows a path: whole up to 25 bytes, else its head, "..." and its file name.
// Bytes count, so a cut may split a double-byte character.
std::string PathCaption(std::string_view path, PathStyle style = NativePathStyle);

} // namespace netedit
