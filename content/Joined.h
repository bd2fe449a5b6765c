// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace soruberia {

// The pieces of a message one after another, in a string allocated once at
// its full size: a chain of + grows its string again at every few pieces.
inline std::string Joined(std::initializer_list<std::string_view> pieces) {
    std::size_t size = 0;
    for (const std::string_view piece : pieces) size += piece.size();
    std::string text;
    text.reserve(size);
    for (const std::string_view piece : pieces) text.append(piece);
    return text;
}

}  // namespace soruberia
