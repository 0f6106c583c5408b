#include "win32/win32_user_dialogs.h"

#include "editor/message_box.h"
#include "editor/program_files.h"
#include "editor/ui_texts.h"
#include "runtime/failure.h"
#include "runtime/messages.h"
#include "runtime/paths.h"
#include "win32/help_page.h"
#include "win32/message_box.h"
#include "win32/wide_text.h"

#include <commdlg.h>
#include <shellapi.h>
#include <vector>

namespace netedit::win32 {

namespace {

// The filter as the common dialogs take it: the pairs of "|" separated by NULs, two at the end.
std::wstring DialogFilter() {
    std::wstring filter = WideOfUtf8(ui::FileFilter);
    for (wchar_t& c : filter) {
        c = c == L'|' ? L'\0' : c;
    }
    return filter + std::wstring(2, L'\0');
}

// Room for a long path chosen in the dialog.
constexpr DWORD PathRoom = 32768;

std::optional<std::string> RunFileDialog(HWND owner, bool save, const std::string& directory,
                                         const std::string& fileName) {
    const std::wstring filter = DialogFilter();
    const std::wstring folder = WideOfCp932(directory);
    std::vector<wchar_t> file(PathRoom, L'\0');
    const std::wstring name = WideOfCp932(fileName);
    name.copy(file.data(), std::min<std::size_t>(name.size(), PathRoom - 1));
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = PathRoom;
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    // The read-only box is shown and ignored, a name that does not exist is taken, and a save over
    // a file asks nothing (the program keeps the old one as its backup). The program's current
    // folder stays where it was: the data folder is not held in use for the rest of the run.
    dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
    const BOOL chosen = save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
    if (!chosen) {
        // Cancel, or a dialog that could not be shown, which the user must hear of.
        if (const DWORD error = ::CommDlgExtendedError()) {
            throw Failure(Message(msg::FileDialogFailed, std::to_string(error)));
        }
        return std::nullopt;
    }
    return Cp932PathOfWide(file.data());
}

// A box of the program title with one OK button, for the error box and help that cannot be shown.
void ShowTitledBox(HWND owner, std::wstring text, const wchar_t* icon) {
    BoxContent content;
    content.caption = WideOfUtf8(BoxCaption(MsgKind::Custom));
    content.text = std::move(text);
    content.icon = icon;
    RunMessageBox(owner, content);
}

} // namespace

std::optional<std::string> Win32UserDialogs::chooseOpenFile(const std::string& directory,
                                                            const std::string& fileName) {
    return RunFileDialog(owner_, false, directory, fileName);
}

std::optional<std::string> Win32UserDialogs::chooseSaveFile(const std::string& directory,
                                                            const std::string& fileName) {
    return RunFileDialog(owner_, true, directory, fileName);
}

int Win32UserDialogs::askUser(const std::string& text, MsgKind kind, unsigned buttonSet) {
    return RunMessageBox(owner_, {.caption = WideOfUtf8(BoxCaption(kind)),
                                  .text = WideOfUtf8(text),
                                  .icon = IconOf(kind),
                                  .buttonSet = buttonSet,
                                  .help = [](HWND box) {
                                      // The program's help has one page: every help context shows it.
                                      Win32UserDialogs help;
                                      help.setOwner(box);
                                      help.showHelp(ThisProgramsHelp());
                                  }});
}

void Win32UserDialogs::showNotice(const std::string& text) {
    askUser(text, MsgKind::Custom, buttons::Ok);
}

void Win32UserDialogs::reportFailure(const Failure& failure) {
    // A button or list still holding the mouse would otherwise keep it past the box.
    ::ReleaseCapture();
    ShowTitledBox(owner_, WideOfCp932(FailureText(failure)), IDI_ERROR);
}

void Win32UserDialogs::showText(const std::string& text, const wchar_t* icon) {
    ShowTitledBox(owner_, WideOfUtf8(text), icon);
}

void Win32UserDialogs::showHelp(const std::string& path) {
    std::wstring file;
    if (path == BuiltInHelpPage) {
        file = HelpPageFile();
        if (!WritePageIfChanged(file, HelpPageBytes())) {
            ShowTitledBox(owner_, WideOfUtf8(HelpNotOpenedText(Utf8OfWide(file))), IDI_WARNING);
            return;
        }
    } else {
        file = WideOfUtf8(path); // an own name (see platform.h)
        const DWORD attributes = ::GetFileAttributesW(file.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            ShowTitledBox(owner_, WideOfUtf8(HelpMissingText(path)), IDI_WARNING);
            return;
        }
    }
    // The shell answers a number above 32 when it has handed the file to its viewer.
    const auto handed = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(owner_, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (handed <= 32) {
        ShowTitledBox(owner_, WideOfUtf8(HelpNotOpenedText(Utf8OfWide(file))), IDI_WARNING);
    }
}

} // namespace netedit::win32
