#include "app/modal_driver.h"
#include "app/qt_user_dialogs.h"
#include "app/text_edge.h"
#include "editor/ui_texts.h"
#include "runtime/failure.h"
#include "runtime/paths.h"
#include "support/temp_dir.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace netedit::testing {
namespace {

TEST(FileDialogFilters, KeepTheThreeChoicesWithTheirPatterns) {
    EXPECT_EQ(FileDialogFilters(QString::fromUtf8(ui::FileFilter)),
              (QStringList{QStringLiteral("ネットデータ(OBN.NET)"), QStringLiteral("ネットデータ(OBN*.NET)"),
                           QStringLiteral("全ファイル(*.*)")}));
    EXPECT_EQ(FileDialogFilters(QStringLiteral("Text|*.txt")), QStringList{QStringLiteral("Text (*.txt)")});
}

// The window's boxes reach the screen with their captions and texts, a failure's as it is; the
// error box has its icon and takes the mouse back from a control that holds it.
TEST(QtUserDialogs, TheQuestionTheNoticeAndTheErrorBoxShowTheirTexts) {
    QWidget holder;
    holder.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&holder));
    QtUserDialogs dialogs;
    dialogs.setOwner(&holder);
    QStringList shown;
    const std::function<int()> boxes[] = {
        [&] { return dialogs.askUser("質問", MsgKind::Warning, buttons::Yes); },
        [&] {
            dialogs.showNotice("お知らせ");
            return 0;
        },
        [&] {
            holder.grabMouse();
            EXPECT_EQ(QWidget::mouseGrabber(), &holder);
            dialogs.reportFailure(Failure("a & <b>"));
            return 0;
        },
    };
    for (const auto& box : boxes) {
        WithModalBox<int>(box, [&shown](QDialog& shownBox) {
            shown << shownBox.windowTitle() + shownBox.findChild<QLabel*>(QStringLiteral("Message"))->text() +
                         (shownBox.findChild<QLabel*>(QStringLiteral("Image")) != nullptr ? "!" : "") +
                         (QWidget::mouseGrabber() != nullptr ? " held" : "");
            shownBox.close();
        });
    }
    const QString title = ToQString(ProgramTitle());
    EXPECT_EQ(shown.join(QLatin1Char('|')), "警告質問!|" + title + "お知らせ|" + title + "a & <b>.!");
}

// A missing help file, and one that the desktop cannot be asked to show (as on the offscreen
// platform, which has no handler), are reported with the path as plain text, whatever it holds.
TEST(QtHelp, AHelpFileMissingOrNotShownIsReportedWithItsPathAsItIs) {
    TempDir dir;
    const std::string path = dir.file("<i>net&amp;edit.HLP");
    for (const char* text : {"ヘルプファイル %1 が見つかりません。", "ヘルプファイル %1 を開けません。"}) {
        WithModalBox<int>(
            [&] {
                QtUserDialogs().showHelp(path);
                return 0;
            },
            [&](QDialog& box) {
                auto* shown = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
                ASSERT_NE(shown, nullptr);
                EXPECT_EQ(shown->textFormat(), Qt::PlainText);
                EXPECT_EQ(shown->text(), QString::fromUtf8(text).arg(QString::fromStdString(path)));
                box.close();
            });
        WriteFileBytes(path, "");
    }
}

// The real open dialog starts in the remembered folder with the remembered name; its third
// filter, "*.*", lists every file, a name without a dot too; it takes a typed name that does not
// exist and hands back its full path. A cancelled dialog chooses nothing, whatever name stands in it.
TEST(QtFileDialogs, OpenStartsAtTheRememberedFileListsEveryFileAndAcceptsAMissingOne) {
    TempDir dir;
    WriteFileBytes(dir.path() / "OBN.NET", "");
    WriteFileBytes(dir.path() / "OBNNET", "");
    const auto open = [&dir](const std::function<void(QDialog&)>& drive) {
        return WithModalBox<std::optional<std::string>>(
            [&] { return QtUserDialogs().chooseOpenFile(dir.file(""), "OBN.NET"); }, drive);
    };
    const std::optional<std::string> chosen = open([&](QDialog& box) {
        auto* fileDialog = qobject_cast<QFileDialog*>(&box);
        ASSERT_NE(fileDialog, nullptr);
        EXPECT_TRUE(fileDialog->testOption(QFileDialog::DontUseNativeDialog)); // filters as given
        EXPECT_EQ(fileDialog->directory().absolutePath(), QString::fromStdString(dir.path().string()));
        EXPECT_EQ(fileDialog->selectedNameFilter(), QStringLiteral("ネットデータ(OBN.NET)"));
        // The toolkit's own texts are Japanese too, though the locale is C.
        EXPECT_EQ(box.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open)->text(),
                  QStringLiteral("開く(&O)"));
        // The folder is listed in the background; the remembered name is selected once it is.
        auto* files = box.findChild<QListView*>(QStringLiteral("listView"));
        auto* name = box.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* types = box.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_TRUE(files != nullptr && name != nullptr && types != nullptr);
        EXPECT_TRUE(QTest::qWaitFor([files] { return files->selectionModel()->hasSelection(); }, 3000));
        EXPECT_EQ(name->text(), QStringLiteral("OBN.NET"));
        const auto listed = [files] {
            QStringList names;
            for (int row = 0; row < files->model()->rowCount(files->rootIndex()); ++row) {
                names << files->model()->index(row, 0, files->rootIndex()).data().toString();
            }
            return names;
        };
        QTest::keyClick(types, Qt::Key_End);
        EXPECT_EQ(types->currentText(), QStringLiteral("全ファイル(*.*)"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return listed().contains(QStringLiteral("OBNNET")); }, 3000))
            << listed().join(QLatin1Char(',')).toStdString();
        // Typing replaces the selected name only where the user types: in the focused field.
        box.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&box));
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("NEW.NET"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    EXPECT_EQ(chosen, dir.file("NEW.NET"));
    EXPECT_EQ(open([](QDialog& box) { box.reject(); }), std::nullopt);
}

// The dialog that asks where to save is a save dialog, not an open one.
TEST(QtFileDialogs, TheSaveDialogIsOneToSaveWith) {
    TempDir dir;
    const std::optional<std::string> chosen = WithModalBox<std::optional<std::string>>(
        [&] { return QtUserDialogs().chooseSaveFile(dir.file(""), "OBN.NET"); },
        [](QDialog& box) {
            EXPECT_EQ(qobject_cast<QFileDialog*>(&box)->acceptMode(), QFileDialog::AcceptSave);
            box.reject();
        });
    EXPECT_EQ(chosen, std::nullopt);
}

} // namespace
} // namespace netedit::testing
