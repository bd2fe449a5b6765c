// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include <QByteArray>
#include <QtGlobal>

#include "tests/support/WidgetTests.h"

int main(int argc, char** argv) {
    // Every window scaled by two, also when run by hand.
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) qputenv("QT_SCALE_FACTOR", "2");
    return soruberia::testsupport::RunWidgetTests(argc, argv);
}
