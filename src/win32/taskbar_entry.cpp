#include "win32/taskbar_entry.h"

#include "runtime/paths.h"
#include "win32/wide_text.h"
#include "win32/window_picture.h"

#include <dwmapi.h>

namespace netedit::win32 {

TaskbarEntry::TaskbarEntry(HICON icon) {
    create(L"NeteditProgram", icon, 0, WS_POPUP | WS_CAPTION | WS_SYSMENU, WideOfCp932(ProgramTitle()),
           nullptr);
    // A window of no size has no picture of its own: the system asks for the dialog's.
    const BOOL on = TRUE;
    ::DwmSetWindowAttribute(hwnd_, DWMWA_FORCE_ICONIC_REPRESENTATION, &on, sizeof on);
    ::DwmSetWindowAttribute(hwnd_, DWMWA_HAS_ICONIC_BITMAP, &on, sizeof on);
}

void TaskbarEntry::follow() {
    RECT frame{};
    ::GetWindowRect(dialog_, &frame);
    ::SetWindowPos(hwnd_, nullptr, frame.left, frame.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TaskbarEntry::refresh() const {
    ::DwmInvalidateIconicBitmaps(hwnd_);
}

// The dialog, or the box or file dialog it shows, or the box that one shows.
void TaskbarEntry::bringFront() const {
    HWND front = ::GetLastActivePopup(dialog_);
    while (::IsWindowEnabled(front) == FALSE && ::GetLastActivePopup(front) != front) {
        front = ::GetLastActivePopup(front);
    }
    ::SetForegroundWindow(front);
}

LRESULT TaskbarEntry::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (dialog_ == nullptr || ::IsWindow(dialog_) == FALSE) {
        return byDefault(message, wParam, lParam); // the dialog is not made yet, or gone
    }
    switch (message) {
    case WM_ACTIVATE: // a click on the entry, Alt+Tab
        if (LOWORD(wParam) == WA_INACTIVE || HIWORD(wParam) != 0) {
            return byDefault(message, wParam, lParam); // minimized, the restore follows
        }
        bringFront();
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_RESTORE) {
            const LRESULT result = byDefault(message, wParam, lParam);
            bringFront();
            return result;
        }
        return byDefault(message, wParam, lParam); // the close comes back as WM_CLOSE
    case WM_CLOSE:
        // While a box or a file dialog is up the dialog takes no input: the close waits for it.
        if (::IsWindowEnabled(dialog_) != FALSE) {
            ::SendMessageW(dialog_, WM_CLOSE, 0, 0);
        } else {
            bringFront();
        }
        return 0;
    case WM_DWMSENDICONICTHUMBNAIL: { // at most as wide as the high word says, as high as the low
        const HBITMAP picture = PictureOf(dialog_, HIWORD(lParam), LOWORD(lParam));
        if (picture != nullptr) {
            ::DwmSetIconicThumbnail(hwnd_, picture, 0);
            ::DeleteObject(picture);
        }
        return 0;
    }
    case WM_DWMSENDICONICLIVEPREVIEWBITMAP: { // the dialog at its place, in a frame of the system's
        RECT client{};
        ::GetClientRect(dialog_, &client);
        const HBITMAP picture = PictureOf(dialog_, client.right, client.bottom);
        POINT offset{};
        ::ClientToScreen(dialog_, &offset);
        RECT entry{};
        ::GetWindowRect(hwnd_, &entry);
        offset = {offset.x - entry.left, offset.y - entry.top};
        if (picture != nullptr) {
            ::DwmSetIconicLivePreviewBitmap(hwnd_, picture, &offset, DWM_SIT_DISPLAYFRAME);
            ::DeleteObject(picture);
        }
        return 0;
    }
    default:
        return byDefault(message, wParam, lParam);
    }
}

} // namespace netedit::win32
