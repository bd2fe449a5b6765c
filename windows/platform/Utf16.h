// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

namespace soruberia::windows {

// The program's texts are UTF-8; the Windows API speaks UTF-16. Invalid
// UTF-8 becomes U+FFFD rather than failing: these are messages and paths
// the program made itself.
std::wstring Utf16(std::string_view utf8);
std::string Utf8(std::wstring_view utf16);

}  // namespace soruberia::windows
