// Pictures of the message boxes for the documentation, taken only when asked for:
// scripts/screenshot-dialogs.sh sets NETEDIT_SCREENSHOT_DIR and runs this under a virtual X server.
#include "app/message_dialog.h"
#include "app/modal_driver.h"
#include "runtime/failure.h"
#include "runtime/messages.h"

#include <QDir>
#include <QPixmap>
#include <QTest>

namespace netedit::testing {
namespace {

TEST(DialogScreenshots, ConfirmationAndErrorBoxes) {
    const QString folder = qEnvironmentVariable("NETEDIT_SCREENSHOT_DIR");
    if (folder.isEmpty()) {
        GTEST_SKIP() << "NETEDIT_SCREENSHOT_DIR is not set";
    }
    QWidget owner;
    owner.resize(400, 300);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    const auto saveAs = [&](const QString& name) {
        return [=](QDialog& box) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&box));
            EXPECT_TRUE(box.grab().save(QDir(folder).filePath(name), "PNG")) << name.toStdString();
            box.close();
        };
    };
    WithModalBox<int>(
        [&] {
            return AskUser(&owner, QStringLiteral("新データを保存します。"), MsgKind::Information,
                           buttons::Yes | buttons::No);
        },
        saveAs(QStringLiteral("confirm-box.png")));
    WithModalBox<int>(
        [&] {
            ReportFailure(&owner, Failure(Message(msg::CannotOpen, "/home/user/net/OBN.NET")));
            return 0;
        },
        saveAs(QStringLiteral("error-box.png")));
}

} // namespace
} // namespace netedit::testing
