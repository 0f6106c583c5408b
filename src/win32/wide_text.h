#pragma once

#include <string>
#include <string_view>
#include <windows.h>

// Text meets Windows as UTF-16 only at the call: the program's texts stay code page 932 bytes
// (entries, paths) or UTF-8 (its fixed captions and messages).
namespace netedit::win32 {

std::wstring WideOfUtf8(std::string_view utf8);
// Bytes that are no character show as U+FFFD, as on Linux.
std::wstring WideOfCp932(std::string_view bytes);
// A path from the system, with a character the code page cannot hold as UnnamableByte.
std::string Cp932PathOfWide(std::wstring_view wide);
std::string Utf8OfWide(std::wstring_view wide);
// The text a window holds: its caption, or a control's text.
std::wstring TextOfWindow(HWND window);

} // namespace netedit::win32
