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
    ~BoxWindow() override {
        ::DeleteObject(font_);
        if (icon_ != nullptr) {
            ::DestroyIcon(icon_);
        }
    }

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
    void layOut(UINT dpi, const RECT* suggested);
    HWND makeChild(const wchar_t* windowClass, const std::wstring& text, DWORD style, int id);
    bool takeKey(const MSG& message);
    void press(const Button& button);
    const Button* buttonOf(HWND hwnd) const;
    const Button* buttonOfBit(unsigned bit) const;

    HWND owner_;
    const BoxContent& content_;
    HFONT font_ = nullptr;
    HICON icon_ = nullptr;
    HWND message_ = nullptr;
    HWND savedFocus_ = nullptr; // the button that held the focus when the box was left
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
    message_ = makeChild(L"STATIC", content_.text, SS_LEFT | SS_NOPREFIX, -1);
    const std::vector<BoxButton> shown = ButtonsOf(content_.buttonSet);
    const unsigned defaultBit = DefaultButtonOf(content_.buttonSet);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const DWORD role = shown[i].bit == defaultBit ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        const HWND button = makeChild(L"BUTTON", WideOfUtf8(shown[i].caption), WS_TABSTOP | role,
                                      FirstButtonId + static_cast<int>(i));
        buttons_.push_back({button, shown[i]});
    }
    // At the dpi of the monitor the box will stand on: its owner's.
    layOut(DpiOf(owner_ != nullptr ? owner_ : hwnd_), nullptr);
}

// Sizes the font, the icon, the children and the box for `dpi`: centred on the work area at
// first, where the system suggests once the box has moved to a monitor of another dpi.
void BoxWindow::layOut(UINT dpi, const RECT* suggested) {
    const HFONT font = MakeFont(BoxFont, AtDpi(BoxFont.pixels, dpi));
    const PixelRect area = WorkAreaOf(suggested != nullptr || owner_ == nullptr ? hwnd_ : owner_);
    HDC dc = ::GetDC(hwnd_);
    const HGDIOBJ old = ::SelectObject(dc, font);
    static constexpr wchar_t Letters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE letters{};
    ::GetTextExtentPoint32W(dc, Letters, 52, &letters);
    // The text in the core's lines, measured in this font, within half the work area.
    const auto widthOf = [dc](std::string_view piece) {
        const std::wstring wide = WideOfUtf8(piece);
        SIZE size{};
        ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
        return static_cast<int>(size.cx);
    };
    std::wstring lines;
    for (const std::string& line : WrapBoxText(Utf8OfWide(content_.text), area.width / 2, widthOf)) {
        lines += (lines.empty() ? L"" : L"\n") + WideOfUtf8(line);
    }
    RECT textRect{};
    ::DrawTextW(dc, lines.c_str(), static_cast<int>(lines.size()), &textRect,
                DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX);
    ::SelectObject(dc, old);
    ::ReleaseDC(hwnd_, dc);
    ::SetWindowTextW(message_, lines.c_str());

    // The system's icon drawn at this size, not its usual size stretched.
    const int iconSize = AtDpi(MessageIconSize, dpi);
    if (icon_ != nullptr) {
        ::DestroyIcon(icon_);
    }
    icon_ = content_.icon != nullptr ? SystemIconAt(content_.icon, iconSize) : nullptr;
    const MessageLayout layout =
        LayoutMessage({static_cast<int>(letters.cx / 52), static_cast<int>(letters.cy)}, textRect.right,
                      textRect.bottom, icon_ != nullptr, static_cast<int>(buttons_.size()), iconSize);
    iconPlace_ = layout.icon;
    const auto place = [font](HWND child, const PixelRect& where) {
        ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        ::MoveWindow(child, where.left, where.top, where.width, where.height, TRUE);
    };
    place(message_, layout.message);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        place(buttons_[i].hwnd, layout.buttons[i]);
    }
    ::DeleteObject(font_);
    font_ = font;

    RECT frame{0, 0, layout.clientWidth, layout.clientHeight};
    AdjustFrameForDpi(frame, hwnd_, dpi);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const PixelRect box = suggested != nullptr ? PixelRect{suggested->left, suggested->top, width, height}
                                               : CentredIn(area, width, height);
    ::SetWindowPos(hwnd_, nullptr, box.left, box.top, box.width, box.height, SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

HWND BoxWindow::makeChild(const wchar_t* windowClass, const std::wstring& text, DWORD style, int id) {
    return ::CreateWindowExW(0, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, hwnd_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr),
                             nullptr);
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
    case WM_ACTIVATE:
        // As the system's own dialogs do, the box gives the focus back to the button that had it.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = ::GetFocus();
            savedFocus_ = focus != nullptr && ::IsChild(hwnd_, focus) ? focus : savedFocus_;
            return 0;
        }
        if (savedFocus_ != nullptr) {
            ::SetFocus(savedFocus_);
            return 0;
        }
        return byDefault(message, wParam, lParam);
    case WM_DPICHANGED:
        layOut(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
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
