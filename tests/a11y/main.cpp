#include <QApplication>

#include <gtest/gtest.h>

#include "ui/Fonts.h"

int main(int argc, char** argv) {
    // Offscreen also when the test list is read; the HiDPI tests scale every
    // window by two, also when run by hand.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef SORUBERIA_SCALE_FACTOR
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
        qputenv("QT_SCALE_FACTOR", QByteArray::number(SORUBERIA_SCALE_FACTOR));
#endif
    QApplication app(argc, argv);
    soruberia::ui::InstallFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
