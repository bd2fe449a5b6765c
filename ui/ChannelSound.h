// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

#include "platform/SoundChannel.h"
#include "ui/GameServices.h"

namespace soruberia::ui {

// The program's one sound channel, opened when this is made.
class ChannelSound final : public GameSound {
public:
    void Play(const std::string& fullPath) override { channel_.Play(fullPath); }
    void Stop() override { channel_.Stop(); }

private:
    platform::SoundChannel channel_;
};

}  // namespace soruberia::ui
