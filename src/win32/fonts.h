#pragma once

#include <string>
#include <windows.h>

namespace netedit::win32 {

// The program's Japanese face: "ＭＳ Ｐゴシック" where installed, else the first Japanese interface
// font found; empty when none is, and the system then picks by the character set.
const std::wstring& JapaneseFamily();
HFONT MakeFont(int pixelHeight, int weight, BYTE charSet, const std::wstring& family);

} // namespace netedit::win32
