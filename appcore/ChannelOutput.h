// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <memory>
#include <string>

#include "appcore/AppServices.h"

namespace soruberia::appcore {

// A platform's sound class as the app core's sound device: each Open makes
// one, which opens the device, and the device closes when it is destroyed.
// The class has Play(fullPath) and Stop().
template <typename PlatformChannel>
class ChannelOutput final : public SoundOutput {
public:
    std::unique_ptr<SoundChannel> Open() override { return std::make_unique<Channel>(); }

private:
    class Channel final : public SoundChannel {
    public:
        void Play(const std::string& fullPath) override { channel_.Play(fullPath); }
        void Stop() override { channel_.Stop(); }

    private:
        PlatformChannel channel_;
    };
};

}  // namespace soruberia::appcore
