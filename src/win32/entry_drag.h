#pragma once

#include "editor/dual_list_dlg.h"
#include "win32/entry_list_box.h"

#include <windows.h>

namespace netedit::win32 {

// A drag of chosen entries inside the window: the window holds the mouse until the release,
// which drops them where the dialog says, or Escape or a lost capture, which change nothing.
// Nothing is offered to other programs.
class EntryDrag {
public:
    EntryDrag(HWND window, TDualListDlg& dialog, EntryListBox& srcList, EntryListBox& dstList);

    bool dragging() const { return from_ != Control::None; }
    void begin(Control list);
    // A message of the window during a drag; true when it belonged to the drag.
    bool handle(UINT message, WPARAM wParam, LPARAM lParam);
    // A key during a drag: Escape cancels it, and no key reaches anything else.
    bool takeKey(const MSG& message);
    // The pointer at `screen` as the dialog sees it.
    ListPointer pointerAt(POINT screen) const;

private:
    void follow(POINT screen);
    void end();

    HWND window_;
    TDualListDlg& dialog_;
    EntryListBox& srcList_;
    EntryListBox& dstList_;
    Control from_ = Control::None;
    POINT pointer_{}; // on the screen
    int scroll_ = 0;
};

} // namespace netedit::win32
