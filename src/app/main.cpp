#include "app/dual_list_window.h"
#include "app/program_setup.h"
#include "app/qt_user_dialogs.h"
#include "editor/settings_file.h"

#include <QApplication>
#include <QSessionManager>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    netedit::SetUpProgram(app);

    netedit::QtUserDialogs dialogs;
    netedit::DualListWindow window(dialogs, netedit::SettingsFilePath());
    dialogs.setOwner(&window);
    // At log-off or shutdown the window is asked as for any close request, and No refuses.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window](QSessionManager& manager) {
        if (manager.allowsInteraction() && !window.dialog().CloseQuery()) {
            manager.cancel();
        }
    });
    window.show();
    window.centreOnScreen(); // once shown, when the frame around it is best known
    QApplication::exec();
    return 0;
}
