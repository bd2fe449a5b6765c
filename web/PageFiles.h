// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "content/ContentFile.h"

namespace soruberia::web {

// A content file's path as the page fetches it: relative to the page, with
// slashes ("問題/mondai.txt" for "\問題\mondai.txt").
std::string PagePath(std::string_view relativePath);

// The content files the page fetched and handed in. The browser has no
// folder beside the program: the page fetches the files beside itself, and
// one it could not fetch is missing, as a file missing from the folder
// beside a desktop program is.
class PageFiles {
public:
    void Put(std::string pagePath, std::string bytes);

    // The file of a relative path as LoadContentFile gives it from a folder:
    // named basePath + relativePath as the platform spells it, its bytes.
    // Throws ContentError for a file not handed in or one too large.
    ContentFile Read(const std::string& basePath, std::string_view relativePath) const;

    // The folder, relative to the page, that stands in for 問題: a bank of
    // the teacher's own beside the page, or the files picked on the device.
    // Its name is the one messages give.
    void SetBankFolder(std::string folder) { bankFolder_ = std::move(folder); }

    // Lets go of a file, or of every file below a folder, relative to the page.
    void Drop(std::string_view folder);

    // The bytes handed in for a path relative to the page, or null.
    const std::string* Find(std::string_view pagePath) const;

private:
    std::string Located(std::string_view relativePath) const;

    std::map<std::string, std::string, std::less<>> files_;
    std::string bankFolder_ = "問題";
};

}  // namespace soruberia::web
