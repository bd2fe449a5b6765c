// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

namespace soruberia::testsupport {

// Runs the tests of a program that shows the game's windows: offscreen
// unless a platform is named (also when the test list is read), with the
// game's font substitutions, and death tests that start the program again
// rather than fork it with Qt's threads in it.
int RunWidgetTests(int argc, char** argv);

}  // namespace soruberia::testsupport
