// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "content/ContentFailure.h"
#include "content/Finding.h"

namespace soruberia::fuzz {

// The game's failure names its file and line in compiler form on a line of
// its own, and the checker reports an error on the same line, a note that
// it follows from an earlier shift, or an error at the whole file (saved in
// another encoding) from which every failure in it follows.
inline void CheckFailure(const ContentError& error, const std::vector<Finding>& findings) {
    const std::string message = error.what();
    const ContentFailure& failure = error.Failure();
    const std::string firstLine = message.substr(0, message.find('\n'));
    if (firstLine.find('\r') != std::string::npos || firstLine.rfind(failure.file + ":", 0) != 0) {
        std::abort();
    }
    const bool found = std::any_of(findings.begin(), findings.end(), [&failure](const Finding& f) {
        return (f.line == 0 && f.severity == Severity::kError) ||
               (f.line == failure.line &&
                (f.severity == Severity::kError || f.message.find("行目のずれによる）") != std::string::npos));
    });
    if (!found) std::abort();
}

}  // namespace soruberia::fuzz
