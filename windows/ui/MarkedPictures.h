// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

#include "engine/Services.h"
#include "windows/platform/WicPicture.h"

namespace soruberia::windows {

// A content picture with the file it was read from, so that the game window
// can tell a screen reader which judgement mark it shows.
class MarkedPicture final : public engine::Picture {
public:
    MarkedPicture(engine::PicturePtr read, std::string fullPath);
    const WinPicture& Picture() const { return *picture_; }
    const std::string& FullPath() const { return fullPath_; }

private:
    engine::PicturePtr read_;
    const WinPicture* picture_ = nullptr;
    std::string fullPath_;
};

// The game window's picture loader: WIC's pictures, marked with their file.
class MarkedPictures final : public engine::PictureLoader {
public:
    explicit MarkedPictures(engine::PictureLoader& loader) : loader_(loader) {}
    engine::PicturePtr Load(const std::string& fullPath) override;

private:
    engine::PictureLoader& loader_;
};

}  // namespace soruberia::windows
