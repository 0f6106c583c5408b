#pragma once

#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "win32/dual_list_window.h"

#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace netedit::testing {

// The Windows window over a file of one section, driven through its real controls with the
// messages a user's clicks and keys send.
class Win32Window : public ::testing::Test {
protected:
    // Opens a file of one section that holds entries of the given names.
    void start(const std::vector<std::string>& entries) {
        std::vector<std::string> lines{"[0]"};
        for (const std::string& name : entries) {
            lines.push_back("Name=" + name);
        }
        dialogs.openAnswers.push_back(WriteNetDataFile(dir, "OBN.NET", lines));
        ProgramFiles files;
        files.settings = dir.file("netedit.INI");
        window = std::make_unique<win32::DualListWindow>(dialogs, files);
        ::ShowWindow(window->hwnd(), SW_SHOW);
        ::SetForegroundWindow(window->hwnd());
        click(Control::BitBtn1);
    }
    HWND at(Control control) const { return window->hwndOf(control); }
    void pump() {
        ::RedrawWindow(window->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageW(&message);
        }
    }
    void click(Control control, int x = 2, int y = 2, WPARAM keys = 0) {
        ::SendMessageW(at(control), WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(x, y));
        ::SendMessageW(at(control), WM_LBUTTONUP, keys, MAKELPARAM(x, y));
        pump();
    }
    void clickRow(Control list, int row, WPARAM keys = 0) {
        RECT box{};
        ::SendMessageW(at(list), LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&box));
        click(list, box.left + 2, box.top + 1, keys);
    }
    bool key(WPARAM virtualKey) {
        const HWND focus = ::GetFocus();
        MSG message{};
        message.hwnd = focus != nullptr ? focus : window->hwnd();
        message.message = WM_KEYDOWN;
        message.wParam = virtualKey;
        return window->takeKey(message);
    }
    LRESULT rows(Control list) const { return ::SendMessageW(at(list), LB_GETCOUNT, 0, 0); }
    std::set<Control> enabled() const {
        std::set<Control> on;
        for (Control control : {Control::BitBtn1, Control::OKBtn, Control::IncludeBtn, Control::IncAllBtn,
                                Control::ExcludeBtn, Control::ExAllBtn}) {
            if (::IsWindowEnabled(at(control))) {
                on.insert(control);
            }
        }
        return on;
    }

    TempDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<win32::DualListWindow> window;
};

} // namespace netedit::testing
