// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <utility>

#include "content/GuardedCall.h"

namespace soruberia::platform {

// Shows a message box titled "ソルベリア" naming the failure, writes the same
// text to stderr and ends the program with a non-zero status.
[[noreturn]] void ReportFatalAndExit(const std::string& message);

// The edge of every event handler: a failure thrown inside ends the program.
template <typename Handler>
void Guarded(Handler&& handler) {
    GuardedCall([](const std::string& message) { ReportFatalAndExit(message); },
                std::forward<Handler>(handler));
}

}  // namespace soruberia::platform
