#include "win32/message_box.h"

#include "win32/accessible.h"
#include "win32/dpi.h"
#include "win32/fonts.h"
#include "win32/keys.h"
#include "win32/native_window.h"
#include "win32/wide_text.h"

#include <array>
#include <optional>
#include <vector>

namespace netedit::win32 {

namespace {

constexpr int FirstButtonId = 1000;

// A box reads as a dialog named by its caption; its text and buttons are its window's children.
class BoxWindow : public NativeWindow, public AccessibleControl {
public:
    BoxWindow(HWND owner, const BoxContent& content) : owner_(owner), content_(content) {}
    BoxWindow(const BoxWindow&) = delete;
    BoxWindow& operator=(const BoxWindow&) = delete;
    BoxWindow(BoxWindow&&) = delete;
    BoxWindow& operator=(BoxWindow&&) = delete;
    ~BoxWindow() override { ::DeleteObject(font_); }

    int run();

    long role() const override { return ROLE_SYSTEM_DIALOG; }
    std::wstring name() const override { return content_.caption; }

private:
    struct Button {
        HWND hwnd;
        BoxButton row;
    };

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void build();
    HWND makeChild(const wchar_t* windowClass, const std::wstring& text, DWORD style, const PixelRect& place,
                   int id);
    bool takeKey(const MSG& message);
    void press(const Button& button);
    const Button* buttonOf(HWND hwnd) const;
    const Button* buttonOfBit(unsigned bit) const;

    HWND owner_;
    const BoxContent& content_;
    HFONT font_ = nullptr;
    HICON icon_ = nullptr;
    PixelRect iconPlace_;
    std::vector<Button> buttons_;
    int result_ = 0; // 0 while the box is open
    std::optional<AccessibleWindow> access_;
};

int BoxWindow::run() {
    if (!create(MessageBoxClass, nullptr, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
                WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, content_.caption, owner_)) {
        return results::Cancel;
    }
    access_.emplace(hwnd_, *this);
    build();
    // The owner takes no input while the box is up, and becomes active again when it goes.
    const bool ownerWasEnabled = owner_ != nullptr && ::IsWindowEnabled(owner_);
    if (ownerWasEnabled) {
        ::EnableWindow(owner_, FALSE);
    }
    ::ShowWindow(hwnd_, SW_SHOW);
    const Button* first = buttonOfBit(DefaultButtonOf(content_.buttonSet));
    ::SetFocus(first != nullptr ? first->hwnd : (buttons_.empty() ? hwnd_ : buttons_.front().hwnd));

    MSG message;
    while (result_ == 0) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            // The program is ending: the quit goes on to the main loop.
            ::PostQuitMessage(got == 0 ? static_cast<int>(message.wParam) : 1);
            result_ = results::Cancel;
            break;
        }
        if (!takeKey(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    if (ownerWasEnabled) {
        ::EnableWindow(owner_, TRUE);
    }
    ::DestroyWindow(hwnd_);
    return result_;
}

void BoxWindow::build() {
    // At the dpi of the monitor the box will stand on: its owner's.
    const HWND reference = owner_ != nullptr ? owner_ : hwnd_;
    const UINT dpi = DpiOf(reference);
    font_ = MakeFont(BoxFont, ::MulDiv(BoxFont.pixels, static_cast<int>(dpi), 96));
    const PixelRect area = WorkAreaOf(reference);
    HDC dc = ::GetDC(hwnd_);
    const HGDIOBJ old = ::SelectObject(dc, font_);
    static constexpr wchar_t Letters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE letters{};
    ::GetTextExtentPoint32W(dc, Letters, 52, &letters);
    // The same flags as the label that shows it, so the text fits where it was measured.
    RECT textRect{0, 0, area.width / 2, 0};
    ::DrawTextW(dc, content_.text.c_str(), static_cast<int>(content_.text.size()), &textRect,
                DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    ::SelectObject(dc, old);
    ::ReleaseDC(hwnd_, dc);

    const std::vector<BoxButton> shown = ButtonsOf(content_.buttonSet);
    icon_ = content_.icon != nullptr ? ::LoadIconW(nullptr, content_.icon) : nullptr;
    const MessageLayout layout =
        LayoutMessage({static_cast<int>(letters.cx / 52), static_cast<int>(letters.cy)}, textRect.right,
                      textRect.bottom, icon_ != nullptr, static_cast<int>(shown.size()),
                      ::MulDiv(MessageIconSize, static_cast<int>(dpi), 96));
    iconPlace_ = layout.icon;
    makeChild(L"STATIC", content_.text, SS_LEFT | SS_NOPREFIX, layout.message, -1);
    const unsigned defaultBit = DefaultButtonOf(content_.buttonSet);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const std::wstring caption = WideOfUtf8(shown[i].caption);
        const DWORD role = shown[i].bit == defaultBit ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        const HWND button = makeChild(L"BUTTON", caption, WS_TABSTOP | role, layout.buttons[i],
                                      FirstButtonId + static_cast<int>(i));
        buttons_.push_back({button, shown[i]});
    }

    RECT frame{0, 0, layout.clientWidth, layout.clientHeight};
    AdjustFrameForDpi(frame, hwnd_, dpi);
    const PixelRect place = CentredIn(area, frame.right - frame.left, frame.bottom - frame.top);
    ::SetWindowPos(hwnd_, nullptr, place.left, place.top, place.width, place.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND BoxWindow::makeChild(const wchar_t* windowClass, const std::wstring& text, DWORD style,
                          const PixelRect& place, int id) {
    const HWND child =
        ::CreateWindowExW(0, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                          place.width, place.height, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return child;
}

// Enter, Escape, Tab and the buttons' letters, decided here before any control sees them.
bool BoxWindow::takeKey(const MSG& message) {
    if ((message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) ||
        (message.hwnd != hwnd_ && !::IsChild(hwnd_, message.hwnd))) {
        return false;
    }
    const WPARAM key = message.wParam;
    const char letter = key >= 'A' && key <= 'Z' ? static_cast<char>(key) : '\0';
    const Button* focused = buttonOf(::GetFocus());
    const BoxKeyAction action =
        DecideBoxKey(KeyOf(key, Held(VK_SHIFT)), HeldModifiers(), letter, content_.buttonSet,
                     focused != nullptr ? static_cast<std::size_t>(focused - buttons_.data()) : NoButton);
    switch (action.kind) {
    case BoxKeyAction::Press:
        press(buttons_[action.button]);
        return true;
    case BoxKeyAction::Focus:
        ::SetFocus(buttons_[action.button].hwnd);
        return true;
    case BoxKeyAction::Swallow:
        return true;
    case BoxKeyAction::PassOn:
        break;
    }
    return false;
}

void BoxWindow::press(const Button& button) {
    if (button.row.result != 0) {
        result_ = button.row.result;
    } else if (content_.help) {
        content_.help(hwnd_);
    }
}

const BoxWindow::Button* BoxWindow::buttonOf(HWND hwnd) const {
    for (const Button& button : buttons_) {
        if (hwnd != nullptr && button.hwnd == hwnd) {
            return &button;
        }
    }
    return nullptr;
}

const BoxWindow::Button* BoxWindow::buttonOfBit(unsigned bit) const {
    for (const Button& button : buttons_) {
        if (bit != 0 && button.row.bit == bit) {
            return &button;
        }
    }
    return nullptr;
}

LRESULT BoxWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            if (const Button* button = buttonOf(reinterpret_cast<HWND>(lParam))) {
                press(*button);
            }
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = ::BeginPaint(hwnd_, &paint);
        if (icon_ != nullptr) {
            ::DrawIconEx(dc, iconPlace_.left, iconPlace_.top, icon_, iconPlace_.width, iconPlace_.height, 0,
                         nullptr, DI_NORMAL);
        }
        ::EndPaint(hwnd_, &paint);
        return 0;
    }
    case WM_CLOSE: // the close box, the system menu's close and Alt+F4
        result_ = results::Cancel;
        return 0;
    default:
        return byDefault(message, wParam, lParam);
    }
}

} // namespace

const wchar_t* IconOf(MsgKind kind) {
    const std::array ByKind{IDI_WARNING, IDI_ERROR, IDI_INFORMATION, IDI_QUESTION};
    return HasIcon(kind) ? ByKind.at(static_cast<std::size_t>(kind)) : nullptr;
}

int RunMessageBox(HWND owner, const BoxContent& content) {
    BoxWindow box(owner, content);
    return box.run();
}

} // namespace netedit::win32
