#include "win32/described_control.h"

#include "editor/keyboard.h"
#include "editor/ui_texts.h"
#include "win32/wide_text.h"

#include <string>

namespace netedit::win32 {

namespace {

bool IsButton(ControlKind kind) {
    return kind == ControlKind::Push || kind == ControlKind::Flat;
}

} // namespace

long DescribedControl::role() const {
    return IsButton(row_.kind) ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_STATICTEXT;
}

std::wstring DescribedControl::name() const {
    const std::wstring text = TextOfWindow(hwnd_);
    // A flat button draws its caption as it is; labels and push buttons take "&" as a marker.
    return row_.kind == ControlKind::Flat ? text : WideOfUtf8(ShownText(Utf8OfWide(text)));
}

std::wstring DescribedControl::description() const {
    const char* described = row_.description != nullptr ? row_.description : row_.hint;
    return described != nullptr ? WideOfUtf8(described) : std::wstring();
}

std::wstring DescribedControl::keyboardShortcut() const {
    const MoveKey* move = MoveKeyOf(row_.control);
    return move != nullptr ? WideOfUtf8(move->name) : std::wstring();
}

long DescribedControl::kindState() const {
    return row_.kind == ControlKind::Label ? STATE_SYSTEM_READONLY : 0;
}

std::wstring DescribedControl::defaultAction() const {
    return IsButton(row_.kind) ? WideOfUtf8(ui::PressAction) : std::wstring();
}

// Only where a click could press it: not while it is disabled, nor while a box has the window
// disabled. Posted, not sent: a press may open a box, and the reader that asked must not wait.
bool DescribedControl::doDefaultAction() {
    if (!IsButton(row_.kind) || !::IsWindowEnabled(hwnd_) ||
        !::IsWindowEnabled(::GetAncestor(hwnd_, GA_ROOT))) {
        return false;
    }
    const WORD click = row_.kind == ControlKind::Flat ? STN_CLICKED : BN_CLICKED;
    const auto id = static_cast<WORD>(::GetDlgCtrlID(hwnd_));
    return ::PostMessageW(::GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(id, click),
                          reinterpret_cast<LPARAM>(hwnd_)) != FALSE;
}

} // namespace netedit::win32
