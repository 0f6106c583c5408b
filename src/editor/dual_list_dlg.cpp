#include "editor/dual_list_dlg.h"

#include "editor/message_box.h"
#include "editor/ui_texts.h"
#include "editor/user_dialogs.h"
#include "netdata/net_data.h"
#include "netdata/net_data_writer.h"
#include "runtime/codec.h"
#include "runtime/failure.h"
#include "runtime/messages.h"
#include "runtime/paths.h"
#include "runtime/platform.h"
#include "transfer/moves.h"

#include <algorithm>
#include <new>
#include <utility>

namespace netedit {

namespace {

std::vector<std::string> EntriesOf(const EntryList& list) {
    std::vector<std::string> entries;
    entries.reserve(list.count());
    for (std::size_t i = 0; i < list.count(); ++i) {
        entries.push_back(list.entryAt(i));
    }
    return entries;
}

} // namespace

TDualListDlg::TDualListDlg(EntryList& srcList, EntryList& dstList, DialogControls& controls,
                           UserDialogs& dialogs, ProgramFiles files)
    : SrcList(srcList), DstList(dstList), controls_(controls), dialogs_(dialogs), files_(std::move(files)) {}

template <typename Action> void TDualListDlg::Guarded(Action action) {
    try {
        action();
    } catch (const Failure& failure) {
        dialogs_.reportFailure(failure);
    } catch (const std::bad_alloc&) {
        dialogs_.reportFailure(Failure(Message(msg::OutOfMemory)));
    } catch (const std::exception& unexpected) {
        // Whatever went wrong, the user's choice in the lists outlives it.
        dialogs_.reportFailure(Failure(EncodeCp932(unexpected.what())));
    }
}

// ---- Events from the window ----

void TDualListDlg::Create() {
    Guarded([this] { FormCreate(); });
}

void TDualListDlg::OpenFromCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        return;
    }
    OpenNamed(arguments.front());
}

void TDualListDlg::OpenNamed(const std::string& name) {
    // A full path, as the open dialog gives it: the save compares folders by their names.
    Guarded([&] { OpenChosen(FullPath(EncodeCp932Path(name))); });
}

void TDualListDlg::Press(Control control) {
    if (!controls_.isControlEnabled(control)) {
        return;
    }
    Guarded([this, control] {
        switch (control) {
        case Control::BitBtn1:
            return BitBtn1Click();
        case Control::OKBtn:
            return OKBtnClick();
        case Control::CancelBtn:
            return CancelBtnClick();
        case Control::CloseBtn:
            return CloseBtnClick();
        case Control::BitBtn2:
            return BitBtn2Click();
        case Control::IncludeBtn:
            return IncludeBtnClick();
        case Control::IncAllBtn:
            return IncAllBtnClick();
        case Control::ExcludeBtn:
            return ExcludeBtnClick();
        case Control::ExAllBtn:
            return ExcAllBtnClick();
        default:
            return;
        }
    });
}

void TDualListDlg::ListClicked(Control list) {
    Guarded([this, list] { list == Control::SrcList ? SrcListClick() : DstListClick(); });
}

void TDualListDlg::Paint() {
    Guarded([this] { SetButtons(); }); // FormPaint
}

bool TDualListDlg::CloseQuery() {
    bool canClose = true;
    Guarded([&] { canClose = FormCloseQuery(); });
    return canClose;
}

bool TDualListDlg::KeyDown(Key key, KeyModifiers modifiers) {
    const KeyAction action = DecideKey(key, modifiers, controls_.focusedControl(), [this](Control control) {
        return controls_.isControlEnabled(control);
    });
    switch (action.kind) {
    case KeyAction::Press:
        Press(action.control);
        return true;
    case KeyAction::Focus:
        controls_.focusControl(action.control);
        return true;
    case KeyAction::RaiseChosen:
    case KeyAction::LowerChosen:
        Guarded([&] {
            StepSelected(ListOf(action.control), action.kind == KeyAction::RaiseChosen ? -1 : 1);
            SetButtons();
        });
        return true;
    case KeyAction::Swallow:
        return true;
    case KeyAction::PassOn:
        break;
    }
    return false;
}

// ---- Gestures ----

EntryList& TDualListDlg::ListOf(Control list) const {
    return list == Control::SrcList ? SrcList : DstList;
}

EntryList& TDualListDlg::OtherList(Control list) const {
    return list == Control::SrcList ? DstList : SrcList;
}

void TDualListDlg::DoubleClicked(Control list, std::size_t row) {
    Guarded([&] {
        if (row < ListOf(list).count()) {
            MoveEntries(ListOf(list), {row}, OtherList(list), OtherList(list).count());
            SetButtons();
        }
    });
}

void TDualListDlg::BeginDrag(Control list) {
    dragFrom_ = list;
    dragged_ = ListOf(list).selectedPositions();
    if (dragged_.empty()) {
        dragFrom_ = Control::None;
    }
}

DragFeedback TDualListDlg::DragOver(const ListPointer& pointer) const {
    if (dragFrom_ == Control::None || pointer.list == Control::None) {
        return {};
    }
    const std::size_t count = ListOf(pointer.list).count();
    DragFeedback feedback{.canDrop = true, .scroll = AutoScrollStep(pointer)};
    const std::optional<std::size_t> under = RowUnder(pointer, count);
    if (pointer.list == dragFrom_ && under && std::binary_search(dragged_.begin(), dragged_.end(), *under)) {
        return feedback; // onto the dragged entries themselves: they stay where they are
    }
    feedback.lineList = pointer.list;
    feedback.lineTop = DropLineTop(pointer, DropRow(pointer, count));
    return feedback;
}

void TDualListDlg::Drop(const ListPointer& pointer) {
    const Control from = std::exchange(dragFrom_, Control::None);
    const std::vector<std::size_t> dragged = std::exchange(dragged_, {});
    if (from == Control::None || pointer.list == Control::None) {
        return;
    }
    Guarded([&] {
        const std::size_t row = DropRow(pointer, ListOf(pointer.list).count());
        if (pointer.list != from) {
            MoveEntries(ListOf(from), dragged, ListOf(pointer.list), row);
        } else if (const std::optional<std::size_t> under = RowUnder(pointer, ListOf(from).count());
                   !under || !std::binary_search(dragged.begin(), dragged.end(), *under)) {
            MoveSelectedWithin(ListOf(from), row);
        }
        SetButtons();
    });
}

void TDualListDlg::CancelDrag() {
    dragFrom_ = Control::None;
    dragged_.clear();
}

bool TDualListDlg::AcceptsFileDrop(std::size_t fileCount) const {
    return fileCount == 1 && controls_.isControlEnabled(Control::BitBtn1);
}

void TDualListDlg::FileDropped(const std::string& name) {
    if (AcceptsFileDrop(1)) {
        OpenNamed(name);
    }
}

// ---- Window handlers ----

void TDualListDlg::FormCreate() {
    saved_ = false;
    ReadSettings(files_.settings, paths_);
    UpdateCaption();
}

bool TDualListDlg::FormCloseQuery() {
    if (saved_ || DstList.count() == 0) {
        return true;
    }
    return dialogs_.askUser(ui::CloseQuestion, MsgKind::Warning, buttons::Yes | buttons::No) != results::No;
}

void TDualListDlg::CloseBtnClick() {
    controls_.closeWindow();
}

void TDualListDlg::BitBtn2Click() {
    dialogs_.showHelp(HelpToShow(files_));
}

void TDualListDlg::SrcListClick() {
    SetButtons();
}

void TDualListDlg::DstListClick() {
    SetButtons();
}

// ---- Opening ----

void TDualListDlg::BitBtn1Click() {
    OpenChosen(dialogs_.chooseOpenFile(DirPart(paths_.source), NamePart(paths_.source)));
}

void TDualListDlg::OpenChosen(const std::optional<std::string>& chosen) {
    if (chosen) {
        loaded_ = StampLoaded(*chosen);
        SetEnabled(Control::BitBtn1, false); // one file per run
        saved_ = false;
        NetData data = LoadNetData(*chosen);
        sections_ = std::move(data.sections);
        snapList_ = data.entries;
        SrcList.append(std::move(data.entries));
    }
    SetButtons();
    SaveOption();
}

// ---- Saving ----

void TDualListDlg::OKBtnClick() {
    if (dialogs_.askUser(ui::SaveQuestion, MsgKind::Information, buttons::Yes | buttons::No) !=
        results::Yes) {
        return;
    }
    const std::optional<std::string> target =
        dialogs_.chooseSaveFile(DirPart(paths_.destination), NamePart(paths_.destination));
    if (!target || !MayReplaceLoaded(*target)) {
        return;
    }
    paths_.destination = *target;
    UpdateCaption();
    SaveResult result = SaveResult::Abandoned;
    try {
        // Asked again just before the first change: the loaded file may have changed while the
        // new text was written.
        result = SaveNetData(*target, loaded_.path, EntriesOf(DstList), EntriesOf(SrcList), sections_,
                             [&] { return MayReplaceLoaded(*target); });
    } catch (...) {
        // What a save that failed late left under the loaded file's name is the program's own too.
        FollowSave(loaded_, *target);
        throw;
    }
    if (result == SaveResult::Abandoned) {
        return;
    }
    FollowSave(loaded_, *target);
    SetEnabled(Control::OKBtn, false);
    saved_ = true;
    dialogs_.showNotice(result == SaveResult::InLoadedFolder ? ui::SavedWithBackup : ui::SavedElsewhere);
    SaveOption();
}

// The user is asked about the file as it stands when asked: a change made while the question
// is up is a change again.
bool TDualListDlg::MayReplaceLoaded(const std::string& target) {
    const std::optional<platform::FileStamp> changed = ChangeSinceLoad(loaded_, target);
    if (!changed) {
        return true;
    }
    const std::string question = TextWithPath(ui::ChangedSinceLoad, target);
    if (dialogs_.askUser(question, MsgKind::Warning, buttons::Yes | buttons::No | buttons::NoByDefault) !=
        results::Yes) {
        return false;
    }
    AcceptChange(loaded_, *changed);
    return true;
}

// ---- Moves and restore ----

void TDualListDlg::IncludeBtnClick() {
    MoveSelected(SrcList, DstList);
    SetButtons();
}

void TDualListDlg::ExcludeBtnClick() {
    MoveSelected(DstList, SrcList);
    SetButtons();
}

void TDualListDlg::IncAllBtnClick() {
    MoveAll(SrcList, DstList);
    SetButtons();
}

void TDualListDlg::ExcAllBtnClick() {
    MoveAll(DstList, SrcList);
    SetButtons();
}

void TDualListDlg::CancelBtnClick() {
    RestoreSource(SrcList, DstList, snapList_);
    SetButtons();
}

void TDualListDlg::SetButtons() {
    const ButtonStates states = EnablingRule(SrcList.count(), DstList.count());
    SetEnabled(Control::OKBtn, states.save);
    SetEnabled(Control::IncludeBtn, states.include);
    SetEnabled(Control::IncAllBtn, states.includeAll);
    SetEnabled(Control::ExcludeBtn, states.exclude);
    SetEnabled(Control::ExAllBtn, states.excludeAll);
}

void TDualListDlg::SetEnabled(Control control, bool enabled) {
    if (controls_.isControlEnabled(control) == enabled) {
        return; // no repaint, so no paint loop through SetButtons
    }
    if (!enabled && controls_.focusedControl() == control) {
        controls_.focusControl(Control::None);
    }
    controls_.setControlEnabled(control, enabled);
}

// ---- Settings and captions ----

void TDualListDlg::UpdateCaption() {
    if (!paths_.source.empty()) {
        controls_.setLabelText(Control::Label1, PathCaption(paths_.source));
    }
    if (!paths_.destination.empty()) {
        controls_.setLabelText(Control::Label2, PathCaption(paths_.destination));
    }
}

void TDualListDlg::SaveOption() {
    if (!files_.settingsFolder.empty()) {
        platform::MakeFolders(files_.settingsFolder); // where it cannot be made, the write says why
    }
    WriteSettings(files_.settings, paths_);
    UpdateCaption();
}

} // namespace netedit
