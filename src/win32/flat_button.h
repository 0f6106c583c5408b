#pragma once

#include <windows.h>

namespace netedit::win32 {

// A flat button: a label that answers clicks, so that it never takes the focus, drawn raised
// while the pointer rests on it and greyed while disabled.
class FlatButton {
public:
    FlatButton(HWND parent, int id, const wchar_t* caption);
    FlatButton(const FlatButton&) = delete;
    FlatButton& operator=(const FlatButton&) = delete;
    FlatButton(FlatButton&&) = delete;
    FlatButton& operator=(FlatButton&&) = delete;
    ~FlatButton() = default;

    HWND hwnd() const { return hwnd_; }
    // Draws the button, for the parent's WM_DRAWITEM.
    void draw(const DRAWITEMSTRUCT& item, HFONT font) const;

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void setHot(bool hot);

    HWND hwnd_;
    WNDPROC labelProcedure_;
    bool hot_ = false;
};

} // namespace netedit::win32
