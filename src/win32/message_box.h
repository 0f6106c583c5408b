#pragma once

#include "editor/message_box.h"

#include <functional>
#include <string>
#include <windows.h>

namespace netedit::win32 {

inline constexpr wchar_t MessageBoxClass[] = L"NeteditMessageBox";

struct BoxContent {
    std::wstring caption;
    std::wstring text;
    const wchar_t* icon = nullptr; // one of the system's IDI_ icons, or none
    unsigned buttonSet = buttons::Ok;
    std::function<void(HWND box)> help; // what the Help button does; the box stays open
};

// The system's icon for a box of `kind`, nullptr for a Custom box.
const wchar_t* IconOf(MsgKind kind);
// Shows a modal box over `owner`, laid out by the core's rules in the program's Japanese font,
// and gives the result of the button pressed; the close box and Alt+F4 give results::Cancel.
int RunMessageBox(HWND owner, const BoxContent& content);

} // namespace netedit::win32
