#pragma once

#include "app/entry_list_box.h"
#include "app/picture_button.h"
#include "app/settings_file.h"
#include "netdata/section_table.h"
#include "transfer/moves.h"

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QToolButton;

namespace netedit {

class UserDialogs;

// The top-left corner that centres a window of the given outer size on a screen's available
// area, never left of or above that area.
QPoint CentredPosition(const QRect& area, const QSize& outer);

// The program's one window: the loaded file's entries on the left, the new file's on the
// right, the four moves between them, and the open, save, revert, close and help buttons.
class TDualListDlg : public QWidget {
    Q_OBJECT
public:
    TDualListDlg(UserDialogs& dialogs, std::string settingsPath, QWidget* parent = nullptr);

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

    // Handlers, each run under the guard that reports a Failure.
    void FormCreate();
    void BitBtn1Click();
    void OKBtnClick();
    void CancelBtnClick();
    void CloseBtnClick();
    void BitBtn2Click();
    void IncludeBtnClick();
    void IncAllBtnClick();
    void ExcludeBtnClick();
    void ExcAllBtnClick();
    void SrcListClick();
    void DstListClick();
    // Whether the window may close; asks when unsaved entries stand in the right list.
    bool FormCloseQuery();

    void SetButtons();
    void UpdateCaption();
    void SaveOption();

    // Working state, readable by tests.
    const RememberedPaths& rememberedPaths() const { return paths_; }
    const std::string& sourceDirectory() const { return sourceDirectory_; }
    const std::vector<std::string>& snapList() const { return snapList_; }
    const SectionTable& sectionTable() const { return sections_; }
    bool savedFlag() const { return saved_; }
    // The push buttons and lists that take the focus, in tab order.
    std::vector<QWidget*> tabOrder() const;
    // Centres the window's outer frame on the available area of its screen.
    void centreOnScreen();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    // Runs a user action; a Failure, or any other exception, ends it and is shown in the error box.
    void guarded(const std::function<void()>& action);
    bool handleKey(QKeyEvent* event);
    void moveFocus(int step) const;
    void setEnabledIfChanged(QWidget* control, bool enabled);
    int px(int logical) const;

    UserDialogs& dialogs_;
    std::string settingsPath_;
    RememberedPaths paths_;
    std::string sourceDirectory_;
    SectionTable sections_;
    std::vector<std::string> snapList_;
    bool saved_ = false;
    double scale_ = 1.0;
};

} // namespace netedit
