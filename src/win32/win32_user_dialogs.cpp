#include "win32/win32_user_dialogs.h"

#include "editor/ui_texts.h"
#include "runtime/failure.h"
#include "runtime/paths.h"
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
    // No further options: the read-only box is shown and ignored, a name that does not exist is
    // taken, and a save over a file asks nothing (the program keeps the old one as its backup).
    dialog.Flags = OFN_EXPLORER;
    const BOOL chosen = save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
    if (!chosen) {
        return std::nullopt;
    }
    return Cp932PathOfWide(file.data());
}

struct KindLook {
    const char* caption; // nullptr: the program title
    UINT icon;
};

KindLook LookOf(MsgKind kind) {
    switch (kind) {
    case MsgKind::Warning:
        return {"警告", MB_ICONWARNING};
    case MsgKind::Error:
        return {"ｴﾗｰ", MB_ICONERROR};
    case MsgKind::Information:
        return {"情報", MB_ICONINFORMATION};
    case MsgKind::Confirmation:
        return {"確認", MB_ICONQUESTION};
    case MsgKind::Custom:
        break;
    }
    return {nullptr, 0};
}

std::wstring TitleText() {
    return WideOfCp932(ProgramTitle());
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

// The system's box stands in for the program's own layout until that is shared by both windows;
// the result codes of its buttons are the program's.
int Win32UserDialogs::askUser(const std::string& text, MsgKind kind, unsigned buttonSet) {
    const KindLook look = LookOf(kind);
    const std::wstring caption = look.caption != nullptr ? WideOfUtf8(look.caption) : TitleText();
    const UINT buttons = (buttonSet & buttons::Yes) != 0 ? MB_YESNO : MB_OK;
    const int answer = ::MessageBoxW(owner_, WideOfUtf8(text).c_str(), caption.c_str(), buttons | look.icon);
    return answer == 0 ? results::Cancel : answer;
}

void Win32UserDialogs::showNotice(const std::string& text) {
    askUser(text, MsgKind::Custom, buttons::Ok);
}

void Win32UserDialogs::reportFailure(const Failure& failure) {
    const std::wstring text = WideOfCp932(failure.message() + ".");
    ::MessageBoxW(owner_, text.c_str(), TitleText().c_str(), MB_OK | MB_ICONSTOP);
}

void Win32UserDialogs::showHelp(const std::string& path) {
    const std::wstring file = WideOfCp932(path);
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        std::wstring text = WideOfUtf8(ui::HelpMissing);
        text.replace(text.find(L"%1"), 2, file);
        ::MessageBoxW(owner_, text.c_str(), TitleText().c_str(), MB_OK | MB_ICONWARNING);
        return;
    }
    ::ShellExecuteW(owner_, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace netedit::win32
