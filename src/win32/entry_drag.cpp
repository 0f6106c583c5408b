#include "win32/entry_drag.h"

#include <windowsx.h>

namespace netedit::win32 {

namespace {
constexpr UINT_PTR ScrollTimer = 1;
} // namespace

EntryDrag::EntryDrag(HWND window, TDualListDlg& dialog, EntryListBox& srcList, EntryListBox& dstList)
    : window_(window), dialog_(dialog), srcList_(srcList), dstList_(dstList) {
    srcList_.onDragStart = [this] { begin(Control::SrcList); };
    dstList_.onDragStart = [this] { begin(Control::DstList); };
}

ListPointer EntryDrag::pointerAt(POINT screen) const {
    if (const std::optional<ListPointer> over = srcList_.pointerAt(screen, Control::SrcList)) {
        return *over;
    }
    return dstList_.pointerAt(screen, Control::DstList).value_or(ListPointer{});
}

void EntryDrag::begin(Control list) {
    dialog_.BeginDrag(list);
    from_ = list;
    ::SetCapture(window_);
    ::SetTimer(window_, ScrollTimer, DragScrollMs, nullptr);
    POINT screen{};
    ::GetCursorPos(&screen);
    follow(screen);
}

void EntryDrag::follow(POINT screen) {
    pointer_ = screen;
    const DragFeedback feedback = dialog_.DragOver(pointerAt(screen));
    ::SetCursor(::LoadCursorW(nullptr, feedback.canDrop ? IDC_ARROW : IDC_NO));
    srcList_.showDropLine(feedback.lineList == Control::SrcList ? std::optional(feedback.lineTop)
                                                                : std::nullopt);
    dstList_.showDropLine(feedback.lineList == Control::DstList ? std::optional(feedback.lineTop)
                                                                : std::nullopt);
    scroll_ = feedback.scroll;
}

void EntryDrag::end() {
    from_ = Control::None;
    ::KillTimer(window_, ScrollTimer);
    srcList_.showDropLine(std::nullopt);
    dstList_.showDropLine(std::nullopt);
    if (::GetCapture() == window_) {
        ::ReleaseCapture(); // its WM_CAPTURECHANGED finds the drag over
    }
}

bool EntryDrag::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!dragging()) {
        return false;
    }
    POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ClientToScreen(window_, &screen);
    switch (message) {
    case WM_MOUSEMOVE:
        follow(screen);
        return true;
    case WM_LBUTTONUP: {
        const ListPointer pointer = pointerAt(screen);
        end();
        dialog_.Drop(pointer);
        return true;
    }
    case WM_CAPTURECHANGED: // another window took the mouse: the drag is lost
        dialog_.CancelDrag();
        end();
        return true;
    case WM_TIMER:
        if (wParam != ScrollTimer) {
            return false;
        }
        if (const ListPointer pointer = pointerAt(pointer_); scroll_ != 0 && pointer.list != Control::None) {
            (pointer.list == Control::SrcList ? srcList_ : dstList_).scrollByRow(scroll_);
            follow(pointer_);
        }
        return true;
    default:
        return false;
    }
}

bool EntryDrag::takeKey(const MSG& message) {
    if (!dragging()) {
        return false;
    }
    if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) && message.wParam == VK_ESCAPE) {
        dialog_.CancelDrag();
        end();
    }
    return message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN || message.message == WM_CHAR ||
           message.message == WM_KEYUP || message.message == WM_SYSKEYUP;
}

} // namespace netedit::win32
