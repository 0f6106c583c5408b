#pragma once

#include "win32/native_window.h"

#include <windows.h>

namespace netedit::win32 {

// The program's entry in the task bar and in Alt+Tab, named by the program's title (the dialog's
// caption is another): a window of no size that owns the dialog, shows the dialog's picture as
// its thumbnail and its preview, and hands every activation, restore and close that comes
// through the task bar to the dialog, or to the box or file dialog in front of it.
class TaskbarEntry : public NativeWindow {
public:
    explicit TaskbarEntry(HICON icon);
    void serve(HWND dialog) { dialog_ = dialog; }
    // The dialog moved: the entry stands at its place, where the preview is shown.
    void follow();
    // The dialog's content changed: the thumbnail and the preview are asked for again.
    void refresh() const;

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void bringFront() const;

    HWND dialog_ = nullptr;
};

} // namespace netedit::win32
