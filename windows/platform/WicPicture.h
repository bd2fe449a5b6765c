// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "engine/Services.h"
#include "windows/platform/WicDecoder.h"

namespace soruberia::windows {

// A content picture as a window draws it: a top-down 32-bit DIB section in
// premultiplied BGRA, ready for AlphaBlend, so a GIF's transparent colour
// stays transparent.
class WinPicture final : public engine::Picture {
public:
    WinPicture(HBITMAP bitmap, int width, int height, const std::uint32_t* pixels);
    ~WinPicture() override;
    WinPicture(const WinPicture&) = delete;
    WinPicture& operator=(const WinPicture&) = delete;

    HBITMAP Bitmap() const { return bitmap_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Premultiplied 0xAARRGGBB of the pixel at (x, y).
    std::uint32_t Pixel(int x, int y) const;
    // All of them, row by row from the top.
    const std::uint32_t* Pixels() const { return pixels_; }

private:
    HBITMAP bitmap_;
    int width_;
    int height_;
    const std::uint32_t* pixels_;
};

// Decodes with Windows' own imaging component (WicDecoder) what the content
// rule (content/PictureJudgement.h) accepts. The file is read anew at every
// call, nothing is cached; a missing, refused or undecodable file throws
// FatalError naming it. Made on the window thread, once COM is
// started there.
class WicPictureLoader final : public engine::PictureLoader {
public:
    engine::PicturePtr Load(const std::string& fullPath) override;

private:
    WicDecoder wic_;
};

}  // namespace soruberia::windows
