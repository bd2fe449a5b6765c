// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/support/ChildProcess.h"

#include <sys/prctl.h>

#include <csignal>

namespace soruberia::testsupport {

void DieWithTest(QProcess& process) {
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

}  // namespace soruberia::testsupport
