#include "app/dual_list_dlg.h"
#include "app/program_setup.h"
#include "app/qt_user_dialogs.h"
#include "app/settings_file.h"

#include <QApplication>
#include <QScreen>
#include <QSessionManager>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    netedit::SetUpProgram(app);

    netedit::QtUserDialogs dialogs;
    netedit::TDualListDlg window(dialogs, netedit::SettingsFilePath());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        window.move(std::max(0, (area.width() - window.width()) / 2),
                    std::max(0, (area.height() - window.height()) / 2));
    }
    // At log-off or shutdown the window is asked as for any close request, and No refuses.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window](QSessionManager& manager) {
        if (manager.allowsInteraction() && !window.FormCloseQuery()) {
            manager.cancel();
        }
    });
    window.show();
    QApplication::exec();
    return 0;
}
