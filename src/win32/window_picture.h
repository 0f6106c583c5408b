#pragma once

#include <windows.h>

namespace netedit::win32 {

// The client area of `window` as it draws itself, its children included, at most maxWidth ×
// maxHeight pixels with its proportions kept (never enlarged): a 32-bit DIB section, opaque, for
// the task bar's thumbnail and preview. The caller deletes it; nullptr when the system refuses.
HBITMAP PictureOf(HWND window, int maxWidth, int maxHeight);

} // namespace netedit::win32
