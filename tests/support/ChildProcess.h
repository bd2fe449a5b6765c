// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QProcess>

namespace soruberia::testsupport {

// Makes a child process die with the test, so that nothing outlives a test
// that is killed.
void DieWithTest(QProcess& process);

}  // namespace soruberia::testsupport
