#pragma once

#include "editor/user_dialogs.h"

#include <windows.h>

namespace netedit::win32 {

// The user dialogs of the Windows program: the system's common file dialogs, the message boxes
// and the desktop's handler for the help file, all owned by the main window.
class Win32UserDialogs : public UserDialogs {
public:
    void setOwner(HWND owner) { owner_ = owner; }

    std::optional<std::string> chooseOpenFile(const std::string& directory,
                                              const std::string& fileName) override;
    std::optional<std::string> chooseSaveFile(const std::string& directory,
                                              const std::string& fileName) override;
    int askUser(const std::string& text, MsgKind kind, unsigned buttonSet) override;
    void showNotice(const std::string& text) override;
    void reportFailure(const Failure& failure) override;
    void showHelp(const std::string& path) override;
    // A text of the program's own (UTF-8) in a box captioned with the program title, with the
    // system's `icon` (IDI_INFORMATION, IDI_ERROR).
    void showText(const std::string& text, const wchar_t* icon);

private:
    HWND owner_ = nullptr;
};

} // namespace netedit::win32
