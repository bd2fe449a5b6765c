// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/support/WidgetTests.h"

int main(int argc, char** argv) { return soruberia::testsupport::RunWidgetTests(argc, argv); }
