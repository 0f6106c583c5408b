#include "win32/dual_list_window.h"

#include "editor/ui_texts.h"
#include "editor/window_description.h"
#include "win32/artwork.h"
#include "win32/dpi.h"
#include "win32/flat_button.h"
#include "win32/fonts.h"
#include "win32/keys.h"
#include "win32/taskbar_entry.h"
#include "win32/wide_text.h"

#include <commctrl.h>
#include <optional>
#include <shellapi.h>
#include <windowsx.h>

namespace netedit::win32 {

namespace {

constexpr wchar_t WindowClass[] = L"NeteditDualList";
constexpr int FirstId = 100; // a control's id is FirstId and its place in the table by Control

// The row of the window description a child was made from, by the child's id; none for an id
// of no child of the table.
const ControlRow* RowOfChild(UINT id) {
    const std::size_t index = static_cast<std::size_t>(id) - FirstId; // an id below wraps past the end
    return index < ControlCount ? RowOf(static_cast<Control>(index)) : nullptr;
}

} // namespace

DualListWindow::DualListWindow(UserDialogs& dialogs, ProgramFiles files) {
    const HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), L"MAINICON");
    taskbarEntry_ = std::make_unique<TaskbarEntry>(icon);
    create(WindowClass, icon, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
           WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, WideOfUtf8(ui::WindowCaption),
           taskbarEntry_->hwnd());
    taskbarEntry_->serve(hwnd_);
    dpi_ = DpiOf(hwnd_);
    buildControls();
    placeControls();
    dialog_ = std::make_unique<TDualListDlg>(*srcList_, *dstList_, *this, dialogs, std::move(files));
    drag_ = std::make_unique<EntryDrag>(hwnd_, *dialog_, *srcList_, *dstList_);
    dialog_->Create();
    acceptFilesWhileOpenable();
}

DualListWindow::~DualListWindow() {
    if (::IsWindow(hwnd_)) {
        ::DestroyWindow(hwnd_);
    }
    ::DeleteObject(font_);
    ::DeleteObject(flatFont_);
}

int DualListWindow::px(int pixelsAt96) const {
    return AtDpi(pixelsAt96, dpi_);
}

void DualListWindow::buildControls() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    tooltips_ = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0,
                                  0, 0, hwnd_, nullptr, instance, nullptr);
    ::SendMessageW(tooltips_, TTM_SETDELAYTIME, TTDT_INITIAL, HintDelayMs);
    ::SendMessageW(tooltips_, TTM_SETDELAYTIME, TTDT_AUTOPOP, HintShownMs);
    for (const ControlRow& layout : WindowControls) {
        const auto id = static_cast<int>(FirstId + IndexOf(layout.control));
        const auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
        HWND control = nullptr;
        switch (layout.kind) {
        case ControlKind::List: {
            auto list = std::make_unique<EntryListBox>(hwnd_, id, WideOfUtf8(layout.caption),
                                                       WideOfUtf8(layout.description));
            control = list->hwnd();
            (layout.control == Control::SrcList ? srcList_ : dstList_) = std::move(list);
            break;
        }
        case ControlKind::Label:
            // Native labels take "&" as a mnemonic and clip at their edge.
            control = ::CreateWindowExW(0, L"STATIC", WideOfUtf8(layout.caption).c_str(),
                                        WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, 0, 0, 0, 0, hwnd_, menu,
                                        instance, nullptr);
            break;
        case ControlKind::Flat:
            flatButtons_.push_back(
                std::make_unique<FlatButton>(hwnd_, id, WideOfUtf8(layout.caption).c_str()));
            control = flatButtons_.back()->hwnd();
            break;
        case ControlKind::Push:
            control = ::CreateWindowExW(0, L"BUTTON", WideOfUtf8(layout.caption).c_str(),
                                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, 0, 0, 0, hwnd_,
                                        menu, instance, nullptr);
            break;
        }
        controls_[IndexOf(layout.control)] = control;
        if (layout.kind != ControlKind::List) {
            described_.push_back(std::make_unique<DescribedControl>(control, layout));
        }
        ::EnableWindow(control, layout.startsEnabled ? TRUE : FALSE);
        if (layout.hint != nullptr) {
            const std::wstring hint = WideOfUtf8(layout.hint);
            TTTOOLINFOW tool{};
            tool.cbSize = TTTOOLINFOW_V2_SIZE;
            tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            tool.hwnd = hwnd_;
            tool.uId = reinterpret_cast<UINT_PTR>(control);
            tool.lpszText = const_cast<wchar_t*>(hint.c_str());
            ::SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
}

void DualListWindow::makeFonts() {
    ::DeleteObject(font_);
    ::DeleteObject(flatFont_);
    font_ = MakeFont(WindowFont, px(WindowFont.pixels));
    flatFont_ = MakeFont(FlatButtonFont, px(FlatButtonFont.pixels));
    ::SendMessageW(tooltips_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE); // its own has no Japanese
}

void DualListWindow::placeControls() {
    makeFonts();
    RECT frame{0, 0, px(ClientWidth), px(ClientHeight)};
    AdjustFrameForDpi(frame, hwnd_, dpi_);
    ::SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const ControlRow& layout : WindowControls) {
        HWND control = controls_[IndexOf(layout.control)];
        ::SendMessageW(control, WM_SETFONT,
                       reinterpret_cast<WPARAM>(layout.kind == ControlKind::Flat ? flatFont_ : font_), FALSE);
        ::MoveWindow(control, px(layout.left), px(layout.top), px(layout.width), px(layout.height), TRUE);
    }
    // A row as high as the font's line.
    HDC dc = ::GetDC(hwnd_);
    const HGDIOBJ old = ::SelectObject(dc, font_);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    ::SelectObject(dc, old);
    ::ReleaseDC(hwnd_, dc);
    srcList_->setRowHeight(metrics.tmHeight);
    dstList_->setRowHeight(metrics.tmHeight);
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void DualListWindow::showCentred() {
    RECT frame{};
    ::GetWindowRect(hwnd_, &frame);
    const PixelRect place = CentredIn(WorkAreaOf(hwnd_), frame.right - frame.left, frame.bottom - frame.top);
    ::SetWindowPos(hwnd_, nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::ShowWindow(taskbarEntry_->hwnd(), SW_SHOWNA);
    ::ShowWindow(hwnd_, SW_SHOW);
    ::UpdateWindow(hwnd_);
}

HWND DualListWindow::hwndOf(Control control) const {
    return controls_[IndexOf(control)];
}

Control DualListWindow::controlOf(HWND hwnd) const {
    for (const ControlRow& row : WindowControls) {
        if (hwnd != nullptr && controls_[IndexOf(row.control)] == hwnd) {
            return row.control;
        }
    }
    return Control::None;
}

bool DualListWindow::takeKey(const MSG& message) {
    // With Alt held the keys come as the system's (the moves' keys are Alt with an arrow).
    const bool keyDown = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    if (message.hwnd != hwnd_ && !::IsChild(hwnd_, message.hwnd)) {
        return false;
    }
    if (drag_->takeKey(message)) {
        return true;
    }
    if (!keyDown) {
        return false;
    }
    const Key key = KeyOf(message.wParam, Held(VK_SHIFT));
    if (key == Key::Other) {
        return false;
    }
    if (!dialog_->KeyDown(key, HeldModifiers())) {
        return false;
    }
    taskbarEntry_->refresh();
    return true;
}

// ---- What the dialog asks of its controls ----

bool DualListWindow::isControlEnabled(Control control) const {
    return ::IsWindowEnabled(hwndOf(control)) != 0;
}

void DualListWindow::setControlEnabled(Control control, bool enabled) {
    ::EnableWindow(hwndOf(control), enabled ? TRUE : FALSE);
    acceptFilesWhileOpenable();
}

void DualListWindow::acceptFilesWhileOpenable() {
    ::DragAcceptFiles(hwnd_, dialog_ != nullptr && dialog_->AcceptsFileDrop(1) ? TRUE : FALSE);
}

// A name from Explorer goes the command line's way: code page 932, or refused.
void DualListWindow::filesDropped(HDROP drop) {
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::wstring name(count == 1 ? ::DragQueryFileW(drop, 0, nullptr, 0) : 0, L'\0');
    if (count == 1) {
        ::DragQueryFileW(drop, 0, name.data(), static_cast<UINT>(name.size() + 1));
    }
    ::DragFinish(drop);
    if (dialog_->AcceptsFileDrop(count)) {
        dialog_->FileDropped(Utf8OfWide(name));
    }
}

Control DualListWindow::focusedControl() const {
    // While a box or a file dialog is up, the window keeps the focus it had.
    const HWND focus = ::GetFocus();
    const bool ours = focus != nullptr && (focus == hwnd_ || ::IsChild(hwnd_, focus));
    return controlOf(ours ? focus : savedFocus_);
}

void DualListWindow::focusControl(Control control) {
    const HWND target = control == Control::None ? hwnd_ : hwndOf(control);
    savedFocus_ = target;
    if (::GetActiveWindow() == hwnd_) {
        ::SetFocus(target);
    }
}

void DualListWindow::setLabelText(Control label, const std::string& text) {
    ::SetWindowTextW(hwndOf(label), WideOfCp932(text).c_str());
}

void DualListWindow::closeWindow() {
    ::SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

// ---- Events ----

LRESULT DualListWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (dialog_ == nullptr) {
        return byDefault(message, wParam, lParam); // the controls are still being built
    }
    if (drag_->handle(message, wParam, lParam)) {
        return 0;
    }
    switch (message) {
    case WM_DROPFILES:
        filesDropped(reinterpret_cast<HDROP>(wParam));
        taskbarEntry_->refresh();
        return 0;
    case WM_COMMAND:
        command(LOWORD(wParam), HIWORD(wParam));
        taskbarEntry_->refresh();
        return 0;
    case WM_MOVE:
        taskbarEntry_->follow();
        return 0;
    case WM_DRAWITEM:
        if (const ControlRow* row = RowOfChild(static_cast<UINT>(wParam))) {
            draw(*row, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        }
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        ::BeginPaint(hwnd_, &paint);
        ::EndPaint(hwnd_, &paint);
        dialog_->Paint();
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = ::GetFocus();
            if (focus != nullptr && (focus == hwnd_ || ::IsChild(hwnd_, focus))) {
                savedFocus_ = focus;
            }
        } else {
            ::SetFocus(savedFocus_ != nullptr && ::IsWindowEnabled(savedFocus_) ? savedFocus_ : hwnd_);
        }
        return 0;
    case WM_DPICHANGED: {
        dpi_ = HIWORD(wParam);
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        placeControls();
        return 0;
    }
    case WM_QUERYENDSESSION: {
        // Logging off or shutting down asks as any close does, and No refuses; meanwhile the
        // system tells the user what it waits for.
        ::ShutdownBlockReasonCreate(hwnd_, WideOfUtf8(ui::UnsavedEntriesWaiting).c_str());
        const bool closes = dialog_->CloseQuery();
        ::ShutdownBlockReasonDestroy(hwnd_);
        return closes ? TRUE : FALSE;
    }
    case WM_CLOSE:
        if (dialog_->CloseQuery()) {
            ::DestroyWindow(hwnd_);
        }
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

void DualListWindow::command(UINT id, int code) {
    const ControlRow* layout = RowOfChild(id);
    if (layout == nullptr) {
        return;
    }
    const Control control = layout->control;
    switch (layout->kind) {
    case ControlKind::List:
        if (code == LBN_SELCHANGE) {
            dialog_->ListClicked(control);
        } else if (code == LBN_DBLCLK) {
            const DWORD at = ::GetMessagePos();
            const EntryListBox& list = control == Control::SrcList ? *srcList_ : *dstList_;
            if (const std::optional<std::size_t> row = list.rowAt({GET_X_LPARAM(at), GET_Y_LPARAM(at)})) {
                dialog_->DoubleClicked(control, *row);
            }
        }
        break;
    case ControlKind::Flat:
        if (code == STN_CLICKED || code == STN_DBLCLK) { // a second click of a double-click moves again
            dialog_->Press(control);
        }
        break;
    case ControlKind::Push:
        if (code == BN_CLICKED) {
            dialog_->Press(control);
        }
        break;
    case ControlKind::Label:
        break;
    }
}

// Each owner-drawn control draws itself, told by the row it was made from: a list its rows, a
// flat button its face, a push button its picture and caption.
void DualListWindow::draw(const ControlRow& row, const DRAWITEMSTRUCT& item) const {
    switch (row.kind) {
    case ControlKind::List:
        (row.control == Control::SrcList ? srcList_ : dstList_)->drawRow(item);
        break;
    case ControlKind::Flat:
        for (const auto& flat : flatButtons_) {
            if (flat->hwnd() == item.hwndItem) {
                flat->draw(item, flatFont_);
            }
        }
        break;
    case ControlKind::Push:
        drawButton(item, row);
        break;
    case ControlKind::Label:
        break;
    }
}

// A push button with its picture 2 pixels from its left edge and its caption centred in the
// room to the right of it.
void DualListWindow::drawButton(const DRAWITEMSTRUCT& item, const ControlRow& layout) const {
    const HDC dc = item.hDC;
    const bool enabled = (item.itemState & ODS_DISABLED) == 0;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    RECT face = item.rcItem;
    if (focused) {
        ::FrameRect(dc, &face,
                    static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH))); // the default button's frame
        ::InflateRect(&face, -1, -1);
    }
    ::DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    const int shift = pushed ? 1 : 0;
    const int side = px(PictureSide(layout.picture));
    const int pictureLeft = item.rcItem.left + px(2) + shift;
    DrawPicture(dc, layout.picture, pictureLeft, (item.rcItem.top + item.rcItem.bottom - side) / 2 + shift,
                side, enabled);
    const RECT room{pictureLeft + side, item.rcItem.top + shift, item.rcItem.right + shift,
                    item.rcItem.bottom + shift};
    DrawCaption(dc, WideOfUtf8(layout.caption), room, font_, enabled);
    if (focused) {
        RECT ring = face;
        ::InflateRect(&ring, -px(3), -px(3));
        ::DrawFocusRect(dc, &ring);
    }
}

} // namespace netedit::win32
