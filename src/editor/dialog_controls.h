#pragma once

#include <string>

namespace netedit {

// The window's controls, by their names in the window.
enum class Control {
    None,       // the window itself
    BitBtn1,    // "開く": opens the net data file, once a run
    OKBtn,      // "OK": saves the right list as the new file
    CancelBtn,  // "ｷｬﾝｾﾙ": puts the left list back as loaded; never closes the window
    CloseBtn,   // "閉じる": closes the window, asking first while the choice is unsaved
    SrcList,    // the left list: the loaded file's entries
    DstList,    // the right list: the new file's entries, in its order
    BitBtn2,    // "ﾍﾙﾌﾟ": shows the help
    IncludeBtn, // ">": moves the selected entries to the right
    IncAllBtn,  // ">>": moves every entry to the right
    ExcludeBtn, // "<": moves the selected entries back to the left
    ExAllBtn,   // "<<": moves every entry back to the left
    Label1,     // the remembered source path, shortened
    Label2,     // the remembered destination path, shortened
    SrcLabel,   // "既存データ：", the caption over the left list
    DstLabel,   // "新データ：", the caption over the right list
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
