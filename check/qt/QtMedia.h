// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include "check/core/CheckServices.h"

namespace soruberia::check {

// Pictures through the game's own loader (QImageReader).
class QtPictureDecoder final : public PictureDecoder {
public:
    PictureDecoding Decode(const std::string& fullPath) override;
};

// Sounds through the sound channel's own decoder (libsndfile) and its limits.
class SndfileSoundDecoder final : public SoundDecoder {
public:
    SoundDecoding Decode(const std::string& fullPath) override;
};

}  // namespace soruberia::check
