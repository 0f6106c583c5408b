#include "app/qt_user_dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

#include "app/text_edge.h"
#include "app/ui_texts.h"
#include "runtime/failure.h"
#include "runtime/paths.h"

namespace netedit {

namespace {

std::optional<std::string> RunFileDialog(QWidget* owner, QFileDialog::AcceptMode mode, const std::string& directory,
                                         const std::string& fileName) {
    QFileDialog dialog(owner);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile); // a typed name that does not exist reaches the loader
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(FileDialogFilters(QString::fromUtf8(ui::FileFilter)));
    if (!directory.empty()) {
        dialog.setDirectory(ToQString(directory));
    }
    if (!fileName.empty()) {
        dialog.selectFile(ToQString(fileName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return FromQString(QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath());
}

QString Title() { return ToQString(ProgramTitle()); }

} // namespace

QStringList FileDialogFilters(const QString& pairs) {
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString& pattern = parts[i + 1];
        // "*.*" means every file, with or without a dot in its name.
        if (pattern == QStringLiteral("*.*")) {
            filters << description + QStringLiteral(" (*)");
        } else if (description.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'))) {
            filters << description;
        } else {
            filters << description + QStringLiteral(" (") + pattern + QLatin1Char(')');
        }
    }
    return filters;
}

QString FailureText(const Failure& failure) { return ToQString(failure.message()) + QLatin1Char('.'); }

std::optional<std::string> QtUserDialogs::chooseOpenFile(QWidget* owner, const std::string& directory,
                                                         const std::string& fileName) {
    return RunFileDialog(owner, QFileDialog::AcceptOpen, directory, fileName);
}

std::optional<std::string> QtUserDialogs::chooseSaveFile(QWidget* owner, const std::string& directory,
                                                         const std::string& fileName) {
    return RunFileDialog(owner, QFileDialog::AcceptSave, directory, fileName);
}

int QtUserDialogs::askUser(QWidget* owner, const std::string& text, MsgKind kind, unsigned buttonSet) {
    QMessageBox box(owner);
    box.setText(QString::fromUtf8(text));
    box.setWindowTitle(kind == MsgKind::Custom ? Title() : QString());
    QMessageBox::StandardButtons standard;
    if ((buttonSet & buttons::Yes) != 0) {
        standard |= QMessageBox::Yes;
    }
    if ((buttonSet & buttons::No) != 0) {
        standard |= QMessageBox::No;
    }
    if ((buttonSet & buttons::Ok) != 0) {
        standard |= QMessageBox::Ok;
    }
    box.setStandardButtons(standard);
    const int answer = box.exec();
    switch (answer) {
    case QMessageBox::Yes:
        return results::Yes;
    case QMessageBox::No:
        return results::No;
    case QMessageBox::Ok:
        return results::Ok;
    default:
        return results::Cancel;
    }
}

void QtUserDialogs::showNotice(QWidget* owner, const std::string& text) {
    askUser(owner, text, MsgKind::Custom, buttons::Ok);
}

void QtUserDialogs::reportFailure(QWidget* owner, const Failure& failure) {
    if (QWidget* grabber = QWidget::mouseGrabber()) {
        grabber->releaseMouse();
    }
    QMessageBox box(QMessageBox::Critical, Title(), FailureText(failure), QMessageBox::Ok, owner);
    box.exec();
}

void QtUserDialogs::showHelp(QWidget* owner, const std::string& path) {
    const QString file = ToQString(path);
    if (!QFileInfo(file).isFile()) {
        QMessageBox::warning(owner, Title(), QString::fromUtf8(ui::HelpMissing).arg(file));
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

} // namespace netedit
