// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

namespace soruberia::web {

// A UTF-8 text as a JSON string, quotes included. Control characters and
// lone surrogates (WTF-8, as a page's text may hold them) are escaped;
// everything else passes as it is (the page parses with JSON.parse).
std::string JsonString(std::string_view text);

}  // namespace soruberia::web
