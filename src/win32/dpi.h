#pragma once

#include "editor/window_description.h"

#include <windows.h>

// The monitor's dpi, through the calls of Windows 10 1703 and later where they exist: looked up
// when the program starts, so that the program still starts, scaled once for the whole screen,
// on a Windows 10 that lacks them.
namespace netedit::win32 {

// Each monitor's own dpi where the system offers it, else the screen's.
void BecomeDpiAware();
UINT DpiOf(HWND window);
// A length given at 96 dpi, in pixels at `dpi`, rounded to the nearest.
inline int AtDpi(int pixelsAt96, UINT dpi) {
    return ::MulDiv(pixelsAt96, static_cast<int>(dpi), 96);
}
// The window's outer rectangle for a client rectangle at `dpi`.
void AdjustFrameForDpi(RECT& frame, HWND window, UINT dpi);
// The work area of the monitor `window` stands on.
PixelRect WorkAreaOf(HWND window);
// The system's icon (IDI_...) drawn for `size` pixels where the system can, else its usual
// picture; the caller destroys it.
HICON SystemIconAt(const wchar_t* icon, int size);

} // namespace netedit::win32
