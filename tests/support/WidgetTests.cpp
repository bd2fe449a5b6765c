// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/support/WidgetTests.h"

#include <QApplication>

#include <gtest/gtest.h>

#include "ui/Fonts.h"

namespace soruberia::testsupport {

int RunWidgetTests(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QApplication app(argc, argv);
    ui::InstallFontSubstitutions();
    return RUN_ALL_TESTS();
}

}  // namespace soruberia::testsupport
