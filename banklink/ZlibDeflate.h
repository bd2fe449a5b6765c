// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Raw DEFLATE by zlib, for the desktop programs' bank links.
namespace soruberia::banklink {

// At zlib's best compression: a link is written once and read by a class.
std::string ZlibDeflate(std::string_view raw);

// The bytes `compressed` inflates to, stopping after limit + 1 of them (one
// more than a right link gives, so that Unseal sees it is wrong); none for
// data that is not raw DEFLATE.
std::optional<std::string> ZlibInflate(std::string_view compressed, std::size_t limit);

}  // namespace soruberia::banklink
