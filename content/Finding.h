// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

namespace soruberia {

enum class Severity { kNote, kWarning, kError };

// One problem, placed as a compiler places it: file, and line where one applies.
struct Finding {
    Severity severity = Severity::kError;
    std::string file;  // as the platform spells it
    int line = 0;      // 1-based; 0 where no line applies
    std::string message;
};

}  // namespace soruberia
