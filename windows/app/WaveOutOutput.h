// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <memory>
#include <string>

#include "appcore/AppServices.h"
#include "windows/platform/WaveOutChannel.h"

namespace soruberia::windows {

// The sound device of the Windows program: waveOut, opened when the app core
// asks for the channel and closed with it.
class WaveOutOutput final : public appcore::SoundOutput {
public:
    std::unique_ptr<appcore::SoundChannel> Open() override {
        class Channel final : public appcore::SoundChannel {
        public:
            void Play(const std::string& fullPath) override { channel_.Play(fullPath); }
            void Stop() override { channel_.Stop(); }

        private:
            WaveOutChannel channel_;
        };
        return std::make_unique<Channel>();
    }
};

}  // namespace soruberia::windows
