// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// No audio server can be reached: the game plays on silent.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sndfile.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/SoundChannel.h"

namespace {

TEST(SilentSoundTest, WithoutAnAudioDevicePlayNeitherThrowsNorHangsAndSaysSoOnce) {
    // A real sound file, so that only the missing device keeps it silent.
    const std::string sound = (std::filesystem::path(testing::TempDir()) / "click.wav").string();
    SF_INFO info{};
    info.samplerate = 8000;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* out = sf_open(sound.c_str(), SFM_WRITE, &info);
    ASSERT_NE(out, nullptr) << sf_strerror(nullptr);
    std::vector<short> click(800, 8000);
    sf_write_short(out, click.data(), static_cast<sf_count_t>(click.size()));
    sf_close(out);

    testing::internal::CaptureStderr();
    {
        soruberia::platform::SoundChannel channel;
        EXPECT_NO_THROW(channel.Play(sound));
        EXPECT_NO_THROW(channel.Play(sound));
        EXPECT_NO_THROW(channel.Play("/nonexistent/x.wav"));
        EXPECT_NO_THROW(channel.Stop());
    }
    const std::string err = testing::internal::GetCapturedStderr();

    // OpenAL Soft may log its own lines; ours is the one naming the program.
    const std::string ours = "ソルベリア:";
    std::size_t count = 0;
    for (std::size_t at = err.find(ours); at != std::string::npos; at = err.find(ours, at + 1)) {
        ++count;
    }
    EXPECT_EQ(count, 1u) << err;
}

}  // namespace
