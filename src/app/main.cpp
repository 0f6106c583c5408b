#include "app/artwork.h"
#include "app/dual_list_dlg.h"
#include "app/qt_user_dialogs.h"
#include "app/settings_file.h"
#include "app/text_edge.h"
#include "runtime/paths.h"

#include <QApplication>
#include <QProxyStyle>
#include <QScreen>
#include <QSessionManager>

namespace {

// Tooltips appear after the pointer has rested for 500 ms.
class ProgramStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_ToolTip_WakeUpDelay) {
            return 500;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(new ProgramStyle);
    QApplication::setApplicationDisplayName(QString());
    QApplication::setApplicationName(netedit::ToQString(netedit::ProgramTitle()));
    QApplication::setWindowIcon(netedit::ProgramIcon());

    netedit::QtUserDialogs dialogs;
    netedit::TDualListDlg window(dialogs, netedit::SettingsFilePath());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        window.move(std::max(0, (area.width() - window.width()) / 2),
                    std::max(0, (area.height() - window.height()) / 2));
    }
    // At log-off or shutdown the window is asked as for any close request, and No refuses.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window](QSessionManager& manager) {
        if (manager.allowsInteraction() && !window.FormCloseQuery()) {
            manager.cancel();
        }
    });
    window.show();
    QApplication::exec();
    return 0;
}
