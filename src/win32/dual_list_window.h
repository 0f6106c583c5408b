#pragma once

#include "editor/dialog_controls.h"
#include "editor/dual_list_dlg.h"
#include "editor/window_description.h"
#include "win32/described_control.h"
#include "win32/entry_drag.h"
#include "win32/entry_list_box.h"
#include "win32/flat_button.h"
#include "win32/native_window.h"
#include "win32/taskbar_entry.h"

#include <array>
#include <memory>
#include <vector>
#include <windows.h>

namespace netedit::win32 {

// The window of the dialog in plain Win32: it builds and draws the controls, forwards the
// user's events to the dialog's logic (TDualListDlg) and does what that logic asks of its
// controls. Sizes are the dialog's pixels at 96 dpi, scaled to the monitor the window is on.
class DualListWindow : public DialogControls, public NativeWindow {
public:
    DualListWindow(UserDialogs& dialogs, ProgramFiles files);
    ~DualListWindow() override;
    DualListWindow(const DualListWindow&) = delete;
    DualListWindow& operator=(const DualListWindow&) = delete;
    DualListWindow(DualListWindow&&) = delete;
    DualListWindow& operator=(DualListWindow&&) = delete;

    HWND hwndOf(Control control) const;
    TDualListDlg& dialog() { return *dialog_; }
    EntryDrag& drag() { return *drag_; }
    const EntryListBox& listOf(Control list) const {
        return list == Control::SrcList ? *srcList_ : *dstList_;
    }
    // Shows the window centred on the work area of its monitor.
    void showCentred();
    // A key on its way to the window or one of its controls, for the dialog to decide; true
    // when the dialog took it and no control may see it.
    bool takeKey(const MSG& message);

    bool isControlEnabled(Control control) const override;
    void setControlEnabled(Control control, bool enabled) override;
    Control focusedControl() const override;
    void focusControl(Control control) override;
    void setLabelText(Control label, const std::string& text) override;
    void closeWindow() override;

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void buildControls();
    void makeFonts();
    void placeControls();
    void command(UINT id, int code);
    void draw(const ControlRow& row, const DRAWITEMSTRUCT& item) const;
    void drawButton(const DRAWITEMSTRUCT& item, const ControlRow& layout) const;
    // Files from other programs are taken only while the dialog would open one.
    void acceptFilesWhileOpenable();
    void filesDropped(HDROP drop);
    Control controlOf(HWND hwnd) const;
    int px(int pixelsAt96) const;

    std::unique_ptr<TaskbarEntry> taskbarEntry_; // owns the window, names the program in the task bar
    UINT dpi_ = 96;
    HFONT font_ = nullptr;
    HFONT flatFont_ = nullptr;
    std::array<HWND, ControlCount> controls_{}; // by Control
    std::unique_ptr<EntryListBox> srcList_;
    std::unique_ptr<EntryListBox> dstList_;
    std::vector<std::unique_ptr<FlatButton>> flatButtons_;
    std::vector<std::unique_ptr<DescribedControl>> described_; // the labels and buttons, for screen readers
    HWND tooltips_ = nullptr;
    HWND savedFocus_ = nullptr; // the window's own focus while another window is active
    std::unique_ptr<TDualListDlg> dialog_;
    std::unique_ptr<EntryDrag> drag_;
};

} // namespace netedit::win32
