// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string_view>

#include "check/core/CheckServices.h"
#include "windows/platform/WicPicture.h"

namespace soruberia::windows {

// Pictures through the game's own loader, Windows' imaging component (WIC).
// COM must be started on the thread first.
class WicPictureDecoder final : public check::PictureDecoder {
public:
    check::PictureDecoding Decode(const std::string& fullPath) override;

private:
    WicPictureLoader loader_;
};

// Sounds read and decoded as the game's sound channel reads them.
class WavSoundDecoder final : public check::SoundDecoder {
public:
    check::SoundDecoding Decode(const std::string& fullPath) override;
};

// The frames a WAV file's header promises: its data chunk's size in whole
// blocks; 0 where the header does not say.
std::int64_t AnnouncedWavFrames(std::string_view file);

}  // namespace soruberia::windows
