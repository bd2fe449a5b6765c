// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <string>
#include <variant>
#include <vector>

#include "content/ContentFailure.h"
#include "content/ContentFile.h"

// Where the checker finds the content folders: a folder on disk for the
// desktop checkers (DiskFolder), the files the page holds for the browser's.
// Paths are full paths in the program's form (basePath + "\問題\mondai.txt").
namespace soruberia::check {

class ContentFolder {
public:
    enum class Kind { kMissing, kFile, kFolder, kOther, kUnreadable };
    struct Entry {
        Kind kind = Kind::kMissing;
        std::string problem;  // why it cannot be looked at, for kUnreadable
    };

    virtual ~ContentFolder() = default;
    virtual Entry Look(const std::string& fullPath) = 0;
    // A text file's bytes, as LoadContentFile reads them from disk.
    virtual std::variant<ContentFile, ContentFailure> Load(const std::string& fullPath) = 0;
    // The file's first `count` bytes, fewer if it is shorter or unreadable.
    virtual std::string Head(const std::string& fullPath, std::size_t count) = 0;
    // The names of what a folder holds, UTF-8.
    virtual std::vector<std::string> Names(const std::string& folderPath) = 0;
    // How messages name a path.
    virtual std::string Display(const std::string& fullPath) = 0;
};

}  // namespace soruberia::check
