#include "app/dual_list_window.h"
#include "app/program_setup.h"
#include "app/qt_user_dialogs.h"
#include "editor/command_line.h"
#include "editor/program_files.h"

#include <QApplication>
#include <QSessionManager>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    // Decided before the toolkit starts: help, the version and a misuse need no display.
    const netedit::CommandLine command =
        netedit::ReadCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!command.opensWindow) {
        std::cout << command.standardOutput << std::flush;
        std::cerr << command.standardError << std::flush;
        return command.exitStatus;
    }
    int toolkitArgc = 1; // the toolkit takes no options from the command line: a file may look like one
    QApplication app(toolkitArgc, argv);
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
    window.dialog().OpenFromCommandLine(command.file);
    QApplication::exec();
    return 0;
}
