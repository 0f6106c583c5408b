#pragma once

#include "editor/dialog_controls.h"
#include "editor/dragging.h"
#include "editor/keyboard.h"
#include "editor/program_files.h"
#include "editor/settings_file.h"
#include "netdata/net_data_writer.h"
#include "netdata/section_table.h"
#include "runtime/paths.h"
#include "transfer/entry_list.h"

#include <optional>
#include <string>
#include <vector>

namespace netedit {

class UserDialogs;

// The program's one dialog: the loaded file's entries on the left, the new file's on the right,
// the four moves between them, and the open, save, revert, close and help buttons. It holds the
// working state and decides everything; the window it is given draws the controls and forwards
// the user's events here.
class TDualListDlg {
public:
    TDualListDlg(EntryList& srcList, EntryList& dstList, DialogControls& controls, UserDialogs& dialogs,
                 ProgramFiles files);

    // Events from the window, each run under the guard that reports any failure.
    void Create(); // the window was built: FormCreate
    // The file named when the program was started, if any, opened as if the user had confirmed it
    // in the open dialog. `arguments` are as the system gave them, the program's name left out.
    void OpenFromCommandLine(const std::vector<std::string>& arguments);
    void Press(Control control); // a click on a button of the window, if it is enabled
    void ListClicked(Control list);
    void Paint();      // every paint of the window refreshes the button states
    bool CloseQuery(); // whether the window may close
    // Whether the key was taken; a key not taken goes to the focused control.
    bool KeyDown(Key key, KeyModifiers modifiers);
    // A double click on the entry at `row` of `list` moves it alone to the end of the other list.
    void DoubleClicked(Control list, std::size_t row);
    // The chosen entries of `list` are dragged; the window reports the pointer until the drop or
    // the cancel, and shows what DragOver answers.
    void BeginDrag(Control list);
    DragFeedback DragOver(const ListPointer& pointer) const;
    void Drop(const ListPointer& pointer);
    void CancelDrag();
    // Files dragged onto the window from another program: one is opened as the open dialog's
    // choice would be, while the open button is enabled. `name` is as the system gave it.
    bool AcceptsFileDrop(std::size_t fileCount) const;
    void FileDropped(const std::string& name);

    // Working state, readable by tests.
    const RememberedPaths& rememberedPaths() const { return paths_; }
    std::string sourceDirectory() const { return DirPart(loaded_.path); }
    const std::vector<std::string>& snapList() const { return snapList_; }
    const SectionTable& sectionTable() const { return sections_; }
    bool savedFlag() const { return saved_; }

private:
    // Handlers, each run by one event above, and the steps they share.
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
    bool FormCloseQuery();

    void SetButtons();
    void UpdateCaption();
    EntryList& ListOf(Control list) const;
    EntryList& OtherList(Control list) const;
    // Opens a file the system named, as the open dialog's choice.
    void OpenNamed(const std::string& name);
    void SaveOption();

    template <typename Action> void Guarded(Action action);
    // The open action once the open dialog has answered: nothing when the user cancelled.
    void OpenChosen(const std::optional<std::string>& chosen);
    // Whether a save at `target` may go on: asked first when it would replace the loaded file
    // that another program has changed since.
    bool MayReplaceLoaded(const std::string& target);
    // A control that is disabled gives up the focus, to no other control.
    void SetEnabled(Control control, bool enabled);

    EntryList& SrcList;
    EntryList& DstList;
    DialogControls& controls_;
    UserDialogs& dialogs_;
    ProgramFiles files_;
    RememberedPaths paths_;
    LoadedFile loaded_;
    SectionTable sections_;
    std::vector<std::string> snapList_;
    bool saved_ = false;
    Control dragFrom_ = Control::None; // the list whose entries are being dragged
    std::vector<std::size_t> dragged_; // their positions, ascending
};

} // namespace netedit
