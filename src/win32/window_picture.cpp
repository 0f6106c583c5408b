#include "win32/window_picture.h"

#include <algorithm>
#include <span>

namespace netedit::win32 {

namespace {

HBITMAP DibSection(int width, int height, DWORD** pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    *pixels = static_cast<DWORD*>(bits);
    return bitmap;
}

// The window, then its children bottom to top, each with its frame at its place: one by one, as
// Wine's WM_PRINT leaves the children out, and each on a canvas of its own with its top left
// corner at the origin, as controls expect (Wine's owner-drawn ones clip their drawing away when
// the origin is moved).
void Print(HWND window, HDC dc, UINT parts) {
    ::SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(dc), parts);
    for (HWND child = ::GetWindow(::GetWindow(window, GW_CHILD), GW_HWNDLAST); child != nullptr;
         child = ::GetWindow(child, GW_HWNDPREV)) {
        RECT place{};
        ::GetWindowRect(child, &place);
        ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        const int width = place.right - place.left;
        const int height = place.bottom - place.top;
        if (::IsWindowVisible(child) == FALSE || width <= 0 || height <= 0) {
            continue;
        }
        const HDC own = ::CreateCompatibleDC(dc);
        const HBITMAP canvas = ::CreateCompatibleBitmap(dc, width, height);
        const HGDIOBJ old = ::SelectObject(own, canvas);
        ::BitBlt(own, 0, 0, width, height, dc, place.left, place.top, SRCCOPY); // what lies under it
        Print(child, own, PRF_NONCLIENT | PRF_ERASEBKGND | PRF_CLIENT);
        ::BitBlt(dc, place.left, place.top, width, height, own, 0, 0, SRCCOPY);
        ::SelectObject(own, old);
        ::DeleteObject(canvas);
        ::DeleteDC(own);
    }
}

} // namespace

HBITMAP PictureOf(HWND window, int maxWidth, int maxHeight) {
    RECT client{};
    ::GetClientRect(window, &client);
    const int width = client.right;
    const int height = client.bottom;
    if (width <= 0 || height <= 0 || maxWidth <= 0 || maxHeight <= 0) {
        return nullptr;
    }
    int shownWidth = std::min(width, maxWidth);
    int shownHeight = ::MulDiv(height, shownWidth, width);
    if (shownHeight > maxHeight) {
        shownHeight = maxHeight;
        shownWidth = std::max(1, ::MulDiv(width, maxHeight, height));
    }
    shownHeight = std::max(1, shownHeight);

    DWORD* drawn = nullptr;
    DWORD* shown = nullptr;
    const HBITMAP full = DibSection(width, height, &drawn);
    HBITMAP picture = DibSection(shownWidth, shownHeight, &shown);
    const HDC from = ::CreateCompatibleDC(nullptr);
    const HDC to = ::CreateCompatibleDC(nullptr);
    if (full == nullptr || picture == nullptr || from == nullptr || to == nullptr) {
        ::DeleteObject(picture);
        picture = nullptr;
    } else {
        const HGDIOBJ oldFrom = ::SelectObject(from, full);
        const HGDIOBJ oldTo = ::SelectObject(to, picture);
        Print(window, from, PRF_ERASEBKGND | PRF_CLIENT);
        ::SetStretchBltMode(to, HALFTONE);
        ::SetBrushOrgEx(to, 0, 0, nullptr);
        ::StretchBlt(to, 0, 0, shownWidth, shownHeight, from, 0, 0, width, height, SRCCOPY);
        ::GdiFlush();
        // GDI leaves the alpha byte 0, which the task bar would take for transparent.
        for (DWORD& pixel : std::span(shown, static_cast<std::size_t>(shownWidth) * shownHeight)) {
            pixel |= 0xFF000000U;
        }
        ::SelectObject(from, oldFrom);
        ::SelectObject(to, oldTo);
    }
    ::DeleteDC(from);
    ::DeleteDC(to);
    ::DeleteObject(full);
    return picture;
}

} // namespace netedit::win32
