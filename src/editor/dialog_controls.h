#pragma once

#include <string>

namespace netedit {

// The window's controls that the dialog's logic addresses, by their names in the window.
enum class Control {
    None, // the window itself
    BitBtn1,
    OKBtn,
    CancelBtn,
    CloseBtn,
    SrcList,
    DstList,
    BitBtn2,
    IncludeBtn,
    IncAllBtn,
    ExcludeBtn,
    ExAllBtn,
    Label1,
    Label2,
};

// What the dialog needs of its window besides the two lists and the user dialogs.
class DialogControls {
public:
    virtual ~DialogControls() = default;

    virtual bool isControlEnabled(Control control) const = 0;
    virtual void setControlEnabled(Control control, bool enabled) = 0;
    // The control that holds the window's own focus, also while a box of the window is up;
    // None while the window itself holds it.
    virtual Control focusedControl() const = 0;
    virtual void focusControl(Control control) = 0;
    // Shows a text (code page 932) in Label1 or Label2.
    virtual void setLabelText(Control label, const std::string& text) = 0;
    // Asks the window to close, as its close box does; the close question decides.
    virtual void closeWindow() = 0;
};

} // namespace netedit
