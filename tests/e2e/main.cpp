// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // The test drives the program from outside: it needs processes, and
    // fonts to draw what it expects to read, not a display of its own.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
