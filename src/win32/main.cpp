// The Windows program: the dialog's window over the core, and its one message loop.

#include "editor/command_line.h"
#include "editor/program_files.h"
#include "runtime/failure.h"
#include "runtime/messages.h"
#include "win32/dpi.h"
#include "win32/dual_list_window.h"
#include "win32/wide_text.h"
#include "win32/win32_user_dialogs.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#include <string>
#include <vector>
#include <windows.h>

namespace {

// The arguments the program was started with, its own name left out, as UTF-8.
std::vector<std::string> Arguments() {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> given;
    for (int i = 1; arguments != nullptr && i < count; ++i) {
        given.push_back(netedit::win32::Utf8OfWide(arguments[i]));
    }
    ::LocalFree(arguments);
    return given;
}

// COM for the whole run, on this thread: the shell hands the help to handlers that may be COM
// objects, which want a single-threaded apartment from the start, and screen readers are handed
// the controls' objects through it. Once, and undone once.
class ComApartment {
public:
    ComApartment() : com_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComApartment() {
        if (SUCCEEDED(com_)) {
            ::CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ComApartment(ComApartment&&) = delete;
    ComApartment& operator=(ComApartment&&) = delete;

private:
    HRESULT com_;
};

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace netedit;
    const ComApartment com;
    // Each monitor's own dpi: the window and the boxes are drawn sharp, never stretched.
    win32::BecomeDpiAware();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    win32::Win32UserDialogs dialogs;
    // A windowed program has no standard output: what Linux prints, Windows shows in a box.
    const CommandLine command = ReadCommandLine(Arguments());
    if (!command.opensWindow) {
        const bool misuse = command.exitStatus != 0;
        dialogs.showText(misuse ? command.standardError : command.standardOutput,
                         misuse ? IDI_ERROR : IDI_INFORMATION);
        return command.exitStatus;
    }
    win32::DualListWindow window(dialogs, ThisProgramsFiles());
    if (!::IsWindow(window.hwnd())) {
        dialogs.reportFailure(Failure(Message(msg::WindowNotCreated)));
        return 1;
    }
    dialogs.setOwner(window.hwnd());
    window.showCentred();
    window.dialog().OpenFromCommandLine(command.file);

    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.takeKey(message)) {
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
