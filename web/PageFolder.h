// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>

#include "check/core/ContentFolder.h"
#include "web/PageFiles.h"

namespace soruberia::web {

// The files the page handed in as the content folders below basePath, for
// the checker: a folder is there when a file was handed in below it, and
// the bank folder stands in for 問題, named as the game page names it.
class PageFolder final : public check::ContentFolder {
public:
    PageFolder(const PageFiles& files, std::string basePath);

    Entry Look(const std::string& fullPath) override;
    std::variant<ContentFile, ContentFailure> Load(const std::string& fullPath) override;
    std::string Head(const std::string& fullPath, std::size_t count) override;
    std::vector<std::string> Names(const std::string& folderPath) override;
    std::string Display(const std::string& fullPath) override;

    // The path relative to the page that a full path below basePath stands
    // for ("" for basePath itself), or none for a path elsewhere.
    std::optional<std::string> PagePathOf(const std::string& fullPath) const;
    // The bytes handed in for a full path, or null.
    const std::string* Bytes(const std::string& fullPath) const;
    // Whether the page measured the file and left it unread as too large.
    bool TooLarge(const std::string& fullPath) const;

private:
    const PageFiles& files_;
    std::string basePath_;
};

}  // namespace soruberia::web
