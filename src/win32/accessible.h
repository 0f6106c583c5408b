#pragma once

#include <cstddef>
#include <oleacc.h>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace netedit::win32 {

// IAccessible's interface id, written out: MinGW's import library hands the linker the import
// thunk's bytes instead, and every question would be refused.
inline constexpr GUID AccessibleInterfaceId{
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// What a control tells a screen reader about itself, asked afresh on every question. Whatever it
// does not answer (its parent, place and neighbours, and the children of a control without rows)
// the system's standard object for its window answers.
class AccessibleControl {
public:
    virtual ~AccessibleControl() = default;

    virtual long role() const = 0;
    virtual std::wstring name() const = 0;
    virtual std::wstring description() const { return {}; }
    // The state of the control's kind; unavailable, invisible, focusable and focused come from
    // its window.
    virtual long kindState() const { return 0; }
    virtual bool takesFocus() const { return false; }
    // The default action's name, empty where there is none, and doing it as a click would;
    // false where nothing was done.
    virtual std::wstring defaultAction() const { return {}; }
    // The key that presses it beyond its own letter, such as "Alt+Right"; empty for none.
    virtual std::wstring keyboardShortcut() const { return {}; }
    virtual bool doDefaultAction() { return false; }

    // A control with rows answers for them itself; rows are children 1 to rowCount().
    virtual bool hasRows() const { return false; }
    virtual std::size_t rowCount() const { return 0; }
    virtual long rowRole() const { return ROLE_SYSTEM_LISTITEM; }
    virtual std::wstring rowName(std::size_t /*row*/) const { return {}; }
    virtual long rowState(std::size_t /*row*/) const { return 0; }
    // In screen coordinates.
    virtual RECT rowRect(std::size_t /*row*/) const { return {}; }
    virtual std::optional<std::size_t> rowAt(POINT /*screen*/) const { return std::nullopt; }
    virtual std::optional<std::size_t> focusedRow() const { return std::nullopt; }
    virtual std::vector<std::size_t> selectedRows() const { return {}; }
};

// Whether `hwnd` holds the keyboard focus as a screen reader sees it: the focus of the thread
// in front, so no control of a window behind another shows as focused.
bool HasReaderFocus(HWND hwnd);

// Makes `hwnd` answer screen readers with what `control` tells, for as long as both live. The
// objects handed out find the control again through a property of the window on every call, and
// answer that they are disconnected once either is gone.
class AccessibleWindow {
public:
    AccessibleWindow(HWND hwnd, AccessibleControl& control);
    ~AccessibleWindow();
    AccessibleWindow(const AccessibleWindow&) = delete;
    AccessibleWindow& operator=(const AccessibleWindow&) = delete;
    AccessibleWindow(AccessibleWindow&&) = delete;
    AccessibleWindow& operator=(AccessibleWindow&&) = delete;

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);
    void detach();

    HWND hwnd_;
};

} // namespace netedit::win32
