// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string_view>

#include "check/core/CheckServices.h"
#include "web/PageFolder.h"

// The page's pictures and sounds as the browser will take them, judged by
// their headers: the page hands them to the browser's own decoders, which
// the module cannot run.
namespace soruberia::web {

// A picture by its signature and the size in its header: GIF (walked to
// the end of its first image), PNG, JPEG and BMP, which a browser shows
// whatever the file's name.
check::PictureDecoding PictureHeader(std::string_view bytes);

// A RIFF WAVE file by its header: the formats a browser plays (integer PCM
// of 8 to 32 bits, IEEE float of 32 or 64), the frames its data chunk
// announces and those that are there, within the game's length limit.
check::SoundDecoding WavHeader(std::string_view bytes);

class PagePictureHeaders final : public check::PictureDecoder {
public:
    explicit PagePictureHeaders(const PageFolder& folder) : folder_(folder) {}
    check::PictureDecoding Decode(const std::string& fullPath) override;

private:
    const PageFolder& folder_;
};

class PageSoundHeaders final : public check::SoundDecoder {
public:
    explicit PageSoundHeaders(const PageFolder& folder) : folder_(folder) {}
    check::SoundDecoding Decode(const std::string& fullPath) override;

private:
    const PageFolder& folder_;
};

}  // namespace soruberia::web
