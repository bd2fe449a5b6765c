// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <stdexcept>
#include <string>

namespace soruberia {

// The one failure that ends the program. Thrown where the fault is found;
// caught only at the edge of an event handler, which reports it and exits.
// The message names the file, line, field or value at fault.
class FatalError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace soruberia
