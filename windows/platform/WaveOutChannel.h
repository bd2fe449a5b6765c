// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <memory>
#include <string>

#include "engine/Services.h"

namespace soruberia::windows {

// The game's one sound channel (MediaPlayer1), through waveOut: a named WAV
// file is read and decoded anew, starts at once from its beginning, cuts off
// the sound before it, plays once at -6 dB and is heard whole. A file it
// cannot play is reported once (stderr and the debugger); a machine without
// an audio device is reported once; either way the game plays on silent.
class WaveOutChannel final : public engine::SoundPlayer {
public:
    WaveOutChannel();
    ~WaveOutChannel() override;
    WaveOutChannel(const WaveOutChannel&) = delete;
    WaveOutChannel& operator=(const WaveOutChannel&) = delete;

    void Play(const std::string& fullPath) override;
    void Stop();
    // Stops the sound and closes the device, as the program must before it
    // ends itself: an audio stream still running then can bring the process
    // down on its way out. A later sound opens the device again.
    void Close();

private:
    struct Device;
    std::unique_ptr<Device> device_;
};

}  // namespace soruberia::windows
