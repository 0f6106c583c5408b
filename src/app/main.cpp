#include "app/dual_list_window.h"
#include "app/program_setup.h"
#include "app/qt_user_dialogs.h"
#include "editor/program_files.h"

#include <QApplication>
#include <QSessionManager>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    netedit::SetUpProgram(app);

    netedit::QtUserDialogs dialogs;
    netedit::DualListWindow window(dialogs, netedit::ThisProgramsFiles());
    dialogs.setOwner(&window);
    // At log-off or shutdown the window is asked as for any close request, and No refuses.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window](QSessionManager& manager) {
        if (manager.allowsInteraction() && !window.dialog().CloseQuery()) {
            manager.cancel();
        }
    });
    window.show();
    window.centreOnScreen(); // once shown, when the frame around it is best known
    // The toolkit has taken its own options out of argv; the rest are the user's.
    window.dialog().OpenFromCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    QApplication::exec();
    return 0;
}
