#include <QApplication>

#include <gtest/gtest.h>

#include "ui/Fonts.h"

int main(int argc, char** argv) {
    // The label is measured without a display, also when the test list is read.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    soruberia::ui::InstallFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
