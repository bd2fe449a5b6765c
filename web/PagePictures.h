// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

#include "engine/Services.h"
#include "web/PageFiles.h"

namespace soruberia::web {

// A content picture by its path relative to the page ("図/maru.gif"): the
// page holds its bytes and the browser decodes them.
class PagePicture final : public engine::Picture {
public:
    explicit PagePicture(std::string path) : path_(std::move(path)) {}
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Pictures from the files the page fetched for this load. A file the page
// could not fetch, or whose bytes the content rule refuses
// (content/PictureJudgement.h), ends the game with the desktop programs'
// message.
class PagePictures final : public engine::PictureLoader {
public:
    PagePictures(const PageFiles& files, std::string basePath);
    engine::PicturePtr Load(const std::string& fullPath) override;

private:
    const PageFiles& files_;
    std::string basePath_;
};

}  // namespace soruberia::web
