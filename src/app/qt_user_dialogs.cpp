#include "app/qt_user_dialogs.h"

#include "app/message_dialog.h"
#include "app/text_edge.h"
#include "editor/message_box.h"
#include "editor/ui_texts.h"
#include "runtime/paths.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QUrl>

namespace netedit {

namespace {

// "*.*" in the filter list means every file, one without a dot in its name too; the dialog
// itself would list only names with a dot.
void ListEveryFileForStarDotStar(QFileDialog& dialog) {
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        auto* files = dialog.findChild<QFileSystemModel*>();
        if (files != nullptr && filter.endsWith(QStringLiteral("(*.*)"))) {
            files->setNameFilters({QStringLiteral("*")});
        }
    });
}

std::optional<std::string> RunFileDialog(QWidget* owner, QFileDialog::AcceptMode mode,
                                         const std::string& directory, const std::string& fileName) {
    QFileDialog dialog(owner);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile); // a typed name that does not exist reaches the loader
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(FileDialogFilters(QString::fromUtf8(ui::FileFilter)));
    ListEveryFileForStarDotStar(dialog);
    if (!directory.empty()) {
        dialog.setDirectory(ToQString(directory));
    }
    if (!fileName.empty()) {
        dialog.selectFile(ToQString(fileName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return PathFromQString(QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath());
}

} // namespace

QStringList FileDialogFilters(const QString& pairs) {
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString& pattern = parts[i + 1];
        // A description that ends with its pattern in brackets is shown as it is; "*.*" matches
        // every file, with or without a dot in its name.
        if (description.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'))) {
            filters << description;
        } else {
            filters << description + QStringLiteral(" (") + pattern + QLatin1Char(')');
        }
    }
    return filters;
}

std::optional<std::string> QtUserDialogs::chooseOpenFile(const std::string& directory,
                                                         const std::string& fileName) {
    return RunFileDialog(owner_, QFileDialog::AcceptOpen, directory, fileName);
}

std::optional<std::string> QtUserDialogs::chooseSaveFile(const std::string& directory,
                                                         const std::string& fileName) {
    return RunFileDialog(owner_, QFileDialog::AcceptSave, directory, fileName);
}

int QtUserDialogs::askUser(const std::string& text, MsgKind kind, unsigned buttonSet) {
    return AskUser(owner_, QString::fromUtf8(text), kind, buttonSet);
}

void QtUserDialogs::showNotice(const std::string& text) {
    ShowNotice(owner_, QString::fromUtf8(text));
}

void QtUserDialogs::reportFailure(const Failure& failure) {
    ReportFailure(owner_, failure);
}

void QtUserDialogs::showHelp(const std::string& path) {
    const QString file = QFile::decodeName(QByteArray::fromStdString(path)); // the help's own name
    std::string trouble;
    if (!QFileInfo(file).isFile()) {
        trouble = HelpMissingText(path);
    } else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file))) {
        trouble = HelpNotShownText(path); // no handler, or one that would not start
    } else {
        return;
    }
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(BoxCaption(MsgKind::Custom)),
                    QString::fromUtf8(trouble), QMessageBox::Ok, owner_);
    box.setTextFormat(Qt::PlainText); // a path is shown as it is, never as formatting
    box.exec();
}

} // namespace netedit
