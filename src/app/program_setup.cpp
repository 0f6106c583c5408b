#include "app/program_setup.h"

#include "app/artwork.h"
#include "app/text_edge.h"
#include "editor/window_description.h"
#include "runtime/paths.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QProxyStyle>
#include <QTranslator>

namespace netedit {

namespace {

// Hints appear once the pointer has rested on a control as long as the window's description says.
class ProgramStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_ToolTip_WakeUpDelay) {
            return HintDelayMs;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

void UseJapaneseToolkitTexts() {
    static QTranslator translator; // lives as long as the program
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    if (translator.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&translator);
    }
}

void SetUpProgram(QApplication& /*app*/) {
    UseJapaneseToolkitTexts();
    QApplication::setStyle(new ProgramStyle);
    QApplication::setApplicationDisplayName(QString());
    QApplication::setApplicationName(ToQString(ProgramTitle()));
    QApplication::setWindowIcon(ProgramIcon());
}

} // namespace netedit
