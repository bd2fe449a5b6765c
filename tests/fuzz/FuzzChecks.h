// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "content/ContentFailure.h"
#include "content/Finding.h"

namespace soruberia::fuzz {

// The game's failure names its file and line in compiler form on a line of
// its own, and the checker reports an error on the same line, a note that
// it follows from an earlier shift, or an error at the whole file (saved in
// another encoding) from which every failure in it follows.
inline void CheckFailure(const ContentError& error, const std::vector<Finding>& findings) {
    // Read in place: the fuzzers run this on nearly every input.
    const std::string_view message = error.what();
    const ContentFailure& failure = error.Failure();
    const std::string_view firstLine = message.substr(0, message.find('\n'));
    const bool namesFile = firstLine.size() > failure.file.size() &&
                           firstLine.substr(0, failure.file.size()) == failure.file &&
                           firstLine[failure.file.size()] == ':';
    if (firstLine.find('\r') != std::string_view::npos || !namesFile) std::abort();
    const bool found = std::any_of(findings.begin(), findings.end(), [&failure](const Finding& f) {
        return (f.line == 0 && f.severity == Severity::kError) ||
               (f.line == failure.line &&
                (f.severity == Severity::kError || f.message.find("行目のずれによる）") != std::string::npos));
    });
    if (!found) std::abort();
}

}  // namespace soruberia::fuzz
