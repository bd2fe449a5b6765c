// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <string>

namespace soruberia::windows {

struct FileBytes {
    std::string bytes;
    std::string problem;  // why the file could not be read, in Japanese, or ""
};

// The whole file, opened by its Unicode path, read and closed in this call.
// A file larger than maxBytes is refused unread.
FileBytes ReadFileBytes(const std::string& fullPath, std::size_t maxBytes);

}  // namespace soruberia::windows
