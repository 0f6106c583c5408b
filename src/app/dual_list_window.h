#pragma once

#include "app/entry_list_box.h"
#include "app/picture_button.h"
#include "editor/dialog_controls.h"
#include "editor/dual_list_dlg.h"
#include "editor/window_description.h"

#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>
#include <string>

class QToolButton;

namespace netedit {

class UserDialogs;

// The window of the dialog: it builds and draws the controls, forwards the user's events to the
// dialog's logic (TDualListDlg) and does what that logic asks of its controls.
class DualListWindow : public QWidget, public DialogControls {
    Q_OBJECT
public:
    DualListWindow(UserDialogs& dialogs, ProgramFiles files, QWidget* parent = nullptr);

    // Controls, named by role and kind.
    PictureButton* OKBtn = nullptr;
    PictureButton* CancelBtn = nullptr;
    PictureButton* CloseBtn = nullptr;
    EntryListBox* SrcList = nullptr;
    EntryListBox* DstList = nullptr;
    MnemonicLabel* SrcLabel = nullptr;
    MnemonicLabel* DstLabel = nullptr;
    QToolButton* IncludeBtn = nullptr;
    QToolButton* IncAllBtn = nullptr;
    QToolButton* ExcludeBtn = nullptr;
    QToolButton* ExAllBtn = nullptr;
    PictureButton* BitBtn1 = nullptr;
    PictureButton* BitBtn2 = nullptr;
    MnemonicLabel* Label1 = nullptr;
    MnemonicLabel* Label2 = nullptr;

    TDualListDlg& dialog() { return *dialog_; }
    QWidget* widgetOf(Control control) const;
    // Centres the window's outer frame on the available area of its screen.
    void centreOnScreen();
    // The pointer at `global` (screen pixels) as a drag of entries sees it.
    ListPointer pointerAt(QPoint global) const;
    bool dragging() const { return dragFrom_ != Control::None; }

    // What the dialog asks of its controls.
    bool isControlEnabled(Control control) const override;
    void setControlEnabled(Control control, bool enabled) override;
    Control focusedControl() const override;
    void focusControl(Control control) override;
    void setLabelText(Control label, const std::string& text) override;
    void closeWindow() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildControls();
    QWidget* makeControl(const ControlRow& row, const QFont& flatFont);
    bool forwardKey(QKeyEvent* event);
    int px(int logical) const;
    // A drag of entries: the window holds the pointer and the keyboard until the drop or Escape.
    void beginDrag(Control list);
    void followDrag(QPoint global);
    void endDrag();
    void scrollWhileDragging();

    std::unique_ptr<TDualListDlg> dialog_;
    std::array<QWidget*, ControlCount> controls_{}; // by Control
    double scale_ = 1.0;
    Control dragFrom_ = Control::None;
    QPoint dragPointer_; // global
    int dragScroll_ = 0;
    QTimer* dragScrollTimer_ = nullptr;
};

} // namespace netedit
