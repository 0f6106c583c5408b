// GUI tests run on the offscreen platform with one QApplication for the whole run, whose toolkit
// texts are Japanese as the program's.
#include "app/program_setup.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int qtArgc = 1;
    static char name[] = "app_tests";
    static char* qtArgv[] = {name, nullptr};
    QApplication app(qtArgc, qtArgv);
    netedit::UseJapaneseToolkitTexts();
    return RUN_ALL_TESTS();
}
