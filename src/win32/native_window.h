#pragma once

#include <string>
#include <windows.h>

namespace netedit::win32 {

// A window of one of the program's own classes. The class is registered on first use, and one
// window procedure hands each message to the object that made the window, for as long as both
// exist; a window that outlives its object is gone with it.
class NativeWindow {
public:
    NativeWindow() = default;
    virtual ~NativeWindow();
    NativeWindow(const NativeWindow&) = delete;
    NativeWindow& operator=(const NativeWindow&) = delete;
    NativeWindow(NativeWindow&&) = delete;
    NativeWindow& operator=(NativeWindow&&) = delete;

    HWND hwnd() const { return hwnd_; }

protected:
    // Creates the window, of no size yet, with the button face for its background; false when
    // the system refuses. Messages reach `handle` from the first one on.
    bool create(const wchar_t* className, HICON icon, DWORD exStyle, DWORD style, const std::wstring& title,
                HWND owner);
    virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT byDefault(UINT message, WPARAM wParam, LPARAM lParam) const {
        return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    }

    HWND hwnd_ = nullptr;

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

} // namespace netedit::win32
