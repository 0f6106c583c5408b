#include "win32/flat_button.h"

#include "win32/fonts.h"
#include "win32/wide_text.h"

namespace netedit::win32 {

FlatButton::FlatButton(HWND parent, int id, const wchar_t* caption)
    : hwnd_(::CreateWindowExW(0, L"STATIC", caption, WS_CHILD | WS_VISIBLE | SS_OWNERDRAW | SS_NOTIFY, 0, 0,
                              0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              ::GetModuleHandleW(nullptr), nullptr)),
      labelProcedure_(reinterpret_cast<WNDPROC>(
          ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure)))) {
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void FlatButton::draw(const DRAWITEMSTRUCT& item, HFONT font) const {
    const HDC dc = item.hDC;
    RECT face = item.rcItem;
    ::FillRect(dc, &face, ::GetSysColorBrush(COLOR_BTNFACE));
    const bool enabled = ::IsWindowEnabled(hwnd_) != 0;
    if (hot_ && enabled) {
        ::DrawEdge(dc, &face, BDR_RAISEDINNER, BF_RECT);
    }
    DrawCaption(dc, TextOfWindow(hwnd_), face, font, enabled);
}

void FlatButton::setHot(bool hot) {
    if (hot_ != hot) {
        hot_ = hot;
        ::InvalidateRect(hwnd_, nullptr, TRUE);
    }
}

LRESULT CALLBACK FlatButton::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* button = reinterpret_cast<FlatButton*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (button == nullptr) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    switch (message) {
    case WM_MOUSEMOVE:
        if (!button->hot_) {
            TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, hwnd, 0};
            ::TrackMouseEvent(&leave);
            button->setHot(true);
        }
        break;
    case WM_MOUSELEAVE:
        button->setHot(false);
        break;
    case WM_ENABLE:
        button->setHot(false); // a disabled button hears of the pointer no more
        break;
    default:
        break;
    }
    return ::CallWindowProcW(button->labelProcedure_, hwnd, message, wParam, lParam);
}

} // namespace netedit::win32
