// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

// The two programs the tests drive alike: the Qt program, and the Windows
// program under 64-bit Wine.

#include <ostream>
#include <string>

namespace soruberia::e2e {

enum class FrontEnd { Qt, Wine };

inline const char* NameOf(FrontEnd front) { return front == FrontEnd::Qt ? "Qt" : "Wine"; }
inline void PrintTo(FrontEnd front, std::ostream* out) { *out << NameOf(front); }

// The program's file, as built.
std::string ExecutableOf(FrontEnd front);
// Why the front-end cannot be driven on this machine, or "" when it can.
std::string MissingFor(FrontEnd front);

}  // namespace soruberia::e2e
