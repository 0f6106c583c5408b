#pragma once

#include "app/user_dialogs.h"

#include <QString>

namespace netedit {

// The real dialogs: Qt's file dialogs and the program's message boxes.
class QtUserDialogs : public UserDialogs {
public:
    std::optional<std::string> chooseOpenFile(QWidget* owner, const std::string& directory,
                                              const std::string& fileName) override;
    std::optional<std::string> chooseSaveFile(QWidget* owner, const std::string& directory,
                                              const std::string& fileName) override;
    int askUser(QWidget* owner, const std::string& text, MsgKind kind, unsigned buttonSet) override;
    void showNotice(QWidget* owner, const std::string& text) override;
    void reportFailure(QWidget* owner, const Failure& failure) override;
    void showHelp(QWidget* owner, const std::string& path) override;
};

// The file dialogs' filter, "description|pattern|..." as Qt's "description (pattern);;...".
QStringList FileDialogFilters(const QString& pairs);

} // namespace netedit
