// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

namespace soruberia {

// The first line of basePath + "\問題\setumei.txt", up to the first carriage
// return, as UTF-8. Throws FatalError if the file is missing or empty.
std::string ReadExplanationLine(const std::string& basePath);

}  // namespace soruberia
