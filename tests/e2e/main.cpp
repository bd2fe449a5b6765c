// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // The test drives the program from outside: it needs processes, not a
    // display of its own.
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
