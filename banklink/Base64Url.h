// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <string_view>

// Base64url without padding (RFC 4648, section 5): every character is one
// a URL's fragment keeps as it is.
namespace soruberia::banklink {

std::string ToBase64Url(std::string_view bytes);

struct Base64UrlBytes {
    std::string bytes;
    bool canonical = true;  // no stray bits after the last whole byte
};

// None for a character outside the alphabet.
std::optional<Base64UrlBytes> FromBase64Url(std::string_view text);

}  // namespace soruberia::banklink
