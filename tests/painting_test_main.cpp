#include "toolkit/painting/fonts.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

// Pictures are drawn offscreen unless a display is asked for explicitly.
int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    hspring::installFontSubstitutes();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
