#include <QApplication>

#include <gtest/gtest.h>

#include "ui/Fonts.h"

int main(int argc, char** argv) {
    // The window tests run without a display, also when the test list is read.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    // Death tests start this program again to run the one statement.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QApplication app(argc, argv);
    soruberia::ui::InstallFontSubstitutions();
    return RUN_ALL_TESTS();
}
