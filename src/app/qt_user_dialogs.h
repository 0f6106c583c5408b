#pragma once

#include "editor/user_dialogs.h"

#include <QString>

class QWidget;

namespace netedit {

// The real dialogs: Qt's file dialogs and the program's message boxes, over the window that
// owns them.
class QtUserDialogs : public UserDialogs {
public:
    void setOwner(QWidget* owner) { owner_ = owner; }

    std::optional<std::string> chooseOpenFile(const std::string& directory,
                                              const std::string& fileName) override;
    std::optional<std::string> chooseSaveFile(const std::string& directory,
                                              const std::string& fileName) override;
    int askUser(const std::string& text, MsgKind kind, unsigned buttonSet) override;
    void showNotice(const std::string& text) override;
    void reportFailure(const Failure& failure) override;
    void showHelp(const std::string& path) override;

private:
    QWidget* owner_ = nullptr;
};

// The file dialogs' filter, "description|pattern|..." as Qt's "description (pattern);;...".
QStringList FileDialogFilters(const QString& pairs);

} // namespace netedit
