// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <string>
#include <variant>

#include "content/ContentFailure.h"

namespace soruberia {

// Content files are a few kilobytes; anything far larger is not one of ours
// and is refused before it can eat memory.
inline constexpr std::size_t kMaxContentFileBytes = 16u * 1024u * 1024u;

// How messages name a file: its path as the platform spells it.
std::string DisplayPath(const std::string& fullPath);

// A content file's whole bytes and the name messages give it.
struct ContentFile {
    std::string displayPath;
    std::string bytes;
};

// The file is opened, read and closed inside these calls. Load reports a
// missing, unreadable or oversized file as a value; Read throws it as a
// ContentError.
std::variant<ContentFile, ContentFailure> LoadContentFile(const std::string& fullPath);
ContentFile ReadContentFile(const std::string& fullPath);

}  // namespace soruberia
