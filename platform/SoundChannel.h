// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <memory>
#include <string>

#include "engine/Services.h"

namespace soruberia::platform {

// The game's one sound channel (MediaPlayer1), through OpenAL Soft: a named
// WAV file starts at once from its beginning, cuts off the sound before it,
// plays once at -6 dB and is heard whole. Files are decoded by
// DecodeSoundFile, as the content checker decodes them. A file it cannot
// play, or a machine without an audio device, is reported once on stderr and
// the game plays on silent.
class SoundChannel final : public engine::SoundPlayer {
public:
    SoundChannel();
    ~SoundChannel() override;
    SoundChannel(const SoundChannel&) = delete;
    SoundChannel& operator=(const SoundChannel&) = delete;

    void Play(const std::string& fullPath) override;
    void Stop();

private:
    struct Device;
    std::unique_ptr<Device> device_;
};

}  // namespace soruberia::platform
