#include "win32/dpi.h"

namespace netedit::win32 {

namespace {

template <typename Function> Function Lookup(const char* name, const wchar_t* module = L"user32.dll") {
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleW(module), name)));
}

} // namespace

void BecomeDpiAware() {
    using Aware = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    if (const auto aware = Lookup<Aware>("SetProcessDpiAwarenessContext")) {
        aware(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    } else {
        ::SetProcessDPIAware();
    }
}

UINT DpiOf(HWND window) {
    using Dpi = UINT(WINAPI*)(HWND);
    if (const auto dpi = Lookup<Dpi>("GetDpiForWindow")) {
        return dpi(window);
    }
    HDC dc = ::GetDC(window);
    const int perInch = ::GetDeviceCaps(dc, LOGPIXELSX);
    ::ReleaseDC(window, dc);
    return static_cast<UINT>(perInch);
}

void AdjustFrameForDpi(RECT& frame, HWND window, UINT dpi) {
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
    using Adjust = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    if (const auto adjust = Lookup<Adjust>("AdjustWindowRectExForDpi")) {
        adjust(&frame, style, FALSE, exStyle, dpi);
    } else {
        ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
}

PixelRect WorkAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    return {area.left, area.top, area.right - area.left, area.bottom - area.top};
}

HICON SystemIconAt(const wchar_t* icon, int size) {
    using Load = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
    static const auto load = Lookup<Load>("LoadIconWithScaleDown", L"comctl32.dll");
    HICON made = nullptr;
    if (load != nullptr && SUCCEEDED(load(nullptr, icon, size, size, &made))) {
        return made;
    }
    return ::CopyIcon(::LoadIconW(nullptr, icon));
}

} // namespace netedit::win32
