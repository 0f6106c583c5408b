#pragma once

#include "editor/dual_list_dlg.h"
#include "editor/window_description.h"
#include "runtime/codec.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "support/vector_entry_list.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <set>

namespace netedit::testing {

// The controls the window builds disabled.
inline std::set<Control> StartingDisabled() {
    std::set<Control> disabled;
    for (const ControlRow& row : WindowControls) {
        if (!row.startsEnabled) {
            disabled.insert(row.control);
        }
    }
    return disabled;
}

// A window as the dialog sees it: which controls are enabled, which one has the focus, what the
// two path labels show, and whether it was asked to close (and the close question let it).
class FakeControls : public DialogControls {
public:
    bool isControlEnabled(Control control) const override { return !disabled.contains(control); }
    void setControlEnabled(Control control, bool enabled) override {
        if (enabled) {
            disabled.erase(control);
        } else {
            disabled.insert(control);
        }
    }
    Control focusedControl() const override { return focused; }
    void focusControl(Control control) override { focused = control; }
    void setLabelText(Control label, const std::string& text) override { labels[label] = text; }
    void closeWindow() override { closed = closeQuery(); }

    std::set<Control> disabled = StartingDisabled();
    Control focused = Control::None;
    std::map<Control, std::string> labels;
    std::function<bool()> closeQuery;
    bool closed = false;
};

// The dialog over a fake window, with scripted dialogs and a settings file in a temporary folder.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override { settingsPath = dir.file("netedit.INI"); }

    TDualListDlg& start() {
        files.settings = settingsPath;
        dlg = std::make_unique<TDualListDlg>(left, right, controls, dialogs, files);
        controls.closeQuery = [this] { return dlg->CloseQuery(); };
        dlg->Create();
        dlg->Paint(); // the first paint runs the enabling rule
        return *dlg;
    }

    std::string writeNetData(const std::string& name, const std::vector<std::string>& utf8Lines) {
        return WriteNetDataFile(dir, name, utf8Lines);
    }
    void load(const std::string& path) {
        dialogs.openAnswers.push_back(path);
        dlg->Press(Control::BitBtn1);
    }
    // Loads A, B and C, one section each, and moves the entries at `chosen` to the right.
    void loadAndChoose(const std::vector<std::size_t>& chosen) {
        start();
        load(writeNetData("OBN.NET", {"; pre", "[0]", "Name=A", "[1]", "Name=B", "Tel=2", "[2]", "Name=C"}));
        left.select(chosen);
        dlg->Press(Control::IncludeBtn);
    }
    std::string settings() const { return ReadFileBytes(settingsPath); }

    TempDir dir;
    std::string settingsPath;
    ProgramFiles files{.settings = {},
                       .settingsFolder = {},
                       .helpFile = dir.file("netedit.HLP"),
                       .helpPage = dir.file("help.html")};
    ScriptedDialogs dialogs;
    VectorEntryList left;
    VectorEntryList right;
    FakeControls controls;
    std::unique_ptr<TDualListDlg> dlg;
};

} // namespace netedit::testing
