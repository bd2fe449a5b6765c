// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The sound decoder that the sound channel and the checker share.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "platform/SoundFile.h"
#include "tests/support/ToneFiles.h"

namespace fs = std::filesystem;
using soruberia::platform::DecodedSound;
using soruberia::platform::DecodeSoundFile;
using soruberia::platform::DescribeSoundFault;
using soruberia::platform::SoundFault;
using soruberia::testsupport::SampleFormat;
using soruberia::testsupport::WriteTone;

namespace {

class SoundFileTest : public testing::Test {
protected:
    void SetUp() override {
        base_ = fs::path(testing::TempDir()) /
                testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(base_);
        fs::create_directories(base_ / "音");
    }
    void TearDown() override { fs::remove_all(base_); }

    // The program's own form of a path: basePath, then "\音\name".
    std::string FullPath(const std::string& name) const {
        return base_.string() + "\\音\\" + name;
    }
    fs::path File(const std::string& name) const { return base_ / "音" / name; }

    fs::path base_;
};

double Peak(const DecodedSound& sound, int channel) {
    double peak = 0.0;
    for (std::size_t i = static_cast<std::size_t>(channel); i < sound.samples.size();
         i += static_cast<std::size_t>(sound.channels)) {
        peak = std::max(peak, std::abs(static_cast<double>(sound.samples[i])));
    }
    return peak;
}

TEST_F(SoundFileTest, DecodesEveryChannelAtTheLevelOfItsFile) {
    struct Case {
        const char* name;
        SampleFormat format;
        int rate;
        std::vector<double> amplitudes;
    };
    const Case cases[] = {
        {"mono16.wav", SampleFormat::Pcm16, 44100, {0.5}},
        {"stereo-float.wav", SampleFormat::Float, 22050, {0.5, 0.25}},
        {"quiet-float.wav", SampleFormat::Float, 8000, {0.01}},
        {"three.wav", SampleFormat::Pcm16, 48000, {0.1, 0.2, 0.3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteTone(File(c.name), c.format, c.rate, 0.25, 440.0, c.amplitudes);
        const auto decoding = DecodeSoundFile(FullPath(c.name));
        const auto* sound = std::get_if<DecodedSound>(&decoding);
        ASSERT_NE(sound, nullptr) << DescribeSoundFault(std::get<SoundFault>(decoding));
        EXPECT_EQ(sound->channels, static_cast<int>(c.amplitudes.size()));
        EXPECT_EQ(sound->rate, c.rate);
        EXPECT_EQ(sound->Frames(), c.rate / 4);
        EXPECT_FALSE(sound->CutShort());
        for (std::size_t ch = 0; ch < c.amplitudes.size(); ++ch) {
            EXPECT_NEAR(Peak(*sound, static_cast<int>(ch)), c.amplitudes[ch], 0.002) << "channel " << ch;
        }
    }
}

TEST_F(SoundFileTest, FileThatCannotBePlayedGivesItsFaultAsAValue) {
    WriteTone(File("whole.wav"), SampleFormat::Pcm16, 8000, 0.1, 440.0, {0.5});
    std::ifstream whole(File("whole.wav"), std::ios::binary);
    const std::string wav((std::istreambuf_iterator<char>(whole)), {});
    // A real MP3 (tests/media), which libsndfile itself could decode.
    std::ifstream mp3File(fs::path(MEDIA_FIXTURES) / "mp3.wav", std::ios::binary);
    const std::string mp3((std::istreambuf_iterator<char>(mp3File)), {});
    ASSERT_FALSE(mp3.empty());

    struct Case {
        const char* name;
        const char* contents;  // nullptr: no such file
        std::size_t length;
        SoundFault::Kind kind;
    };
    const Case cases[] = {
        {"missing.wav", nullptr, 0, SoundFault::Kind::kMissing},
        {"text.wav", "not a sound\n", 12, SoundFault::Kind::kUnknownFormat},
        {"empty.wav", "", 0, SoundFault::Kind::kUnknownFormat},
        {"junk.wav", "RIFF....WAVEjunk", 16, SoundFault::Kind::kMalformed},
        {"header-only.wav", wav.data(), 44, SoundFault::Kind::kEmpty},
        {"mp3.wav", mp3.data(), mp3.size(), SoundFault::Kind::kUnknownFormat},
    };
    std::set<std::string> descriptions;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.contents != nullptr) {
            std::ofstream(File(c.name), std::ios::binary)
                .write(c.contents, static_cast<std::streamsize>(c.length));
        }
        const auto decoding = DecodeSoundFile(FullPath(c.name));
        const auto* fault = std::get_if<SoundFault>(&decoding);
        ASSERT_NE(fault, nullptr);
        EXPECT_EQ(fault->kind, c.kind);
        descriptions.insert(DescribeSoundFault(*fault));
    }
    EXPECT_EQ(descriptions.size(), 4u) << "one wording per kind of fault";
}

TEST(SoundFaultText, TooLongNamesTheLengthAndTheLimit) {
    SoundFault fault;
    fault.kind = SoundFault::Kind::kTooLong;
    fault.channels = 2;
    fault.rate = 48000;
    fault.frames = 48000 * 361;
    EXPECT_EQ(DescribeSoundFault(fault),
              "音が長すぎます: 6 分 1 秒、2 チャンネル、48000 Hz で、フレーム数とチャンネル数の積が"
              "上限の 28800000 (48000 Hz のステレオで 5 分) を超えています");
}

}  // namespace
