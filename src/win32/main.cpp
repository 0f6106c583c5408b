// The Windows program: the dialog's window over the core, and its one message loop.

#include "editor/program_files.h"
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

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The shell hands the help to handlers that may be COM objects, which want the calling thread
    // in a single-threaded apartment from the start.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // Each monitor's own dpi: the window is drawn sharp, never stretched by the system.
    netedit::win32::BecomeDpiAware();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    // Screen readers are handed the controls' objects through COM, on this thread.
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    netedit::win32::Win32UserDialogs dialogs;
    netedit::win32::DualListWindow window(dialogs, netedit::ThisProgramsFiles());
    dialogs.setOwner(window.hwnd());
    window.showCentred();
    window.dialog().OpenFromCommandLine(Arguments());

    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.takeKey(message)) {
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    if (SUCCEEDED(com)) {
        ::CoUninitialize();
    }
    return 0;
}
