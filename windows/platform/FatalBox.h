// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <utility>

#include "content/GuardedCall.h"

namespace soruberia::windows {

// Writes the failure to stderr and the debugger, shows it in a message box
// titled "ソルベリア" and ends the program with status 1. No handler of the
// program runs while the box is up.
[[noreturn]] void ReportFatalAndExit(const std::string& message);

// The edge of every event handler: a failure thrown inside ends the program.
template <typename Handler>
void Guarded(Handler&& handler) {
    GuardedCall([](const std::string& message) { ReportFatalAndExit(message); },
                std::forward<Handler>(handler));
}

}  // namespace soruberia::windows
