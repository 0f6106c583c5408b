#pragma once

#include "editor/window_description.h"
#include "win32/accessible.h"

#include <windows.h>

namespace netedit::win32 {

// A label or button of the window as a screen reader reads it: its kind's role, its text as
// shown, the description or else the hint of its row, and for a button a press that is the
// click's own notification to the window.
class DescribedControl : public AccessibleControl {
public:
    DescribedControl(HWND hwnd, const ControlRow& row) : hwnd_(hwnd), row_(row), access_(hwnd, *this) {}

    long role() const override;
    std::wstring name() const override;
    std::wstring description() const override;
    std::wstring keyboardShortcut() const override;
    long kindState() const override;
    bool takesFocus() const override { return row_.kind == ControlKind::Push; }
    std::wstring defaultAction() const override;
    bool doDefaultAction() override;

private:
    HWND hwnd_;
    const ControlRow& row_;
    AccessibleWindow access_;
};

} // namespace netedit::win32
