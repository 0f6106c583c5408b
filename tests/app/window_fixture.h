#pragma once

#include "app/dual_list_window.h"
#include "runtime/codec.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace netedit::testing {

// A shown main window with scripted dialogs and a settings file in a temporary directory.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { settingsPath = dir.file("netedit.INI"); }

    DualListWindow& open() {
        window = std::make_unique<DualListWindow>(dialogs, ProgramFiles{settingsPath, {}, {}, {}});
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        QApplication::processEvents();
        window->repaint(); // the first paint runs the enabling rule
        return *window;
    }

    std::string writeNetData(const std::string& name, const std::vector<std::string>& utf8Lines) {
        return WriteNetDataFile(dir, name, utf8Lines);
    }

    void load(const std::string& path) {
        dialogs.openAnswers.push_back(path);
        window->BitBtn1->click();
    }

    TempDir dir;
    std::string settingsPath;
    ScriptedDialogs dialogs;
    std::unique_ptr<DualListWindow> window;
};

} // namespace netedit::testing
