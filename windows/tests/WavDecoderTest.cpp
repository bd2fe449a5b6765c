// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "content/MediaLimits.h"
#include "windows/platform/WavDecoder.h"
#include "windows/tests/WavFiles.h"

namespace soruberia::windows {
namespace {

using test::Int16Samples;
using test::Wav;
using test::WavFormat;
using namespace std::string_view_literals;

std::string Floats(std::initializer_list<float> values) {
    std::string out(values.size() * sizeof(float), '\0');
    std::memcpy(out.data(), values.begin(), out.size());
    return out;
}

std::string Doubles(std::initializer_list<double> values) {
    std::string out(values.size() * sizeof(double), '\0');
    std::memcpy(out.data(), values.begin(), out.size());
    return out;
}

struct DecodeCase {
    const char* name;
    std::string file;
    int rate;
    std::vector<std::int16_t> stereo;
};

TEST(WavDecoder, EveryFormatGivesStereo16AtTheLevelOfItsFile) {
    const DecodeCase cases[] = {
        {"16-bit mono is doubled", Wav({1, 1, 22050, 16}, Int16Samples({0, 16384, -32768})), 22050,
         {0, 0, 16384, 16384, -32768, -32768}},
        {"16-bit stereo", Wav({1, 2, 44100, 16}, Int16Samples({100, -100, 32767, 5})), 44100,
         {100, -100, 32767, 5}},
        {"8-bit is unsigned", Wav({1, 1, 8000, 8}, "\x80\xFF\x00\xC0"sv), 8000,
         {0, 0, 32512, 32512, -32768, -32768, 16384, 16384}},
        {"24-bit", Wav({1, 1, 48000, 24}, "\x00\x00\x40\x00\x00\x80\xFF\xFF\xFF"sv), 48000,
         {16384, 16384, -32768, -32768, 0, 0}},
        {"32-bit integer", Wav({1, 1, 48000, 32}, "\x00\x00\x00\x40\x00\x00\x00\xC0"sv), 48000,
         {16384, 16384, -16384, -16384}},
        {"32-bit float, clipped beyond full scale", Wav({3, 1, 44100, 32}, Floats({0.25f, 2.0f, -2.0f})),
         44100, {8192, 8192, 32767, 32767, -32768, -32768}},
        {"64-bit float", Wav({3, 1, 44100, 64}, Doubles({-0.5})), 44100, {-16384, -16384}},
        {"extensible PCM", Wav({1, 2, 44100, 16, true}, Int16Samples({7, -7})), 44100, {7, -7}},
        {"extensible float", Wav({3, 1, 44100, 32, true}, Floats({0.5f})), 44100, {16384, 16384}},
        {"three channels are averaged", Wav({1, 3, 44100, 16}, Int16Samples({3000, 0, 0})), 44100,
         {1000, 1000}},
        {"odd chunk before the data is skipped with its pad byte",
         Wav({1, 1, 44100, 16}, Int16Samples({42}), "LIST\x03\x00\x00\x00" "abc\x00"sv), 44100, {42, 42}},
        {"half a frame at the end is left out", Wav({1, 1, 44100, 16}, "\x01\x00\x02"sv), 44100, {1, 1}},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const DecodedWav wav = DecodeWav(c.file);
        EXPECT_EQ(wav.problem, "");
        EXPECT_EQ(wav.pcm.rate, c.rate);
        EXPECT_EQ(wav.pcm.samples, c.stereo);
    }
}

TEST(WavDecoder, AFileCutShortPlaysWhatIsThere) {
    std::string file = Wav({1, 1, 44100, 16}, Int16Samples({1, 2, 3, 4}));
    file.resize(file.size() - 4);
    const DecodedWav wav = DecodeWav(file);
    EXPECT_EQ(wav.problem, "");
    EXPECT_EQ(wav.pcm.samples, (std::vector<std::int16_t>{1, 1, 2, 2}));
}

struct RefusedCase {
    const char* name;
    std::string file;
    const char* problem;
};

TEST(WavDecoder, FilesItCannotPlaySayWhy) {
    std::string noFormat = Wav({1, 1, 44100, 16}, Int16Samples({1}));
    noFormat.replace(12, 4, "junk");
    const RefusedCase cases[] = {
        {"not RIFF", "ID3\x03 an mp3 file", "WAV ファイルではありません"},
        {"too short", "RIFF", "WAV ファイルではありません"},
        {"no format chunk", noFormat, "音の形式が書かれていません"},
        {"ADPCM", Wav({2, 1, 44100, 4}, "\x12\x34"sv), "対応していない音の形式です (形式 2, 4 ビット)"},
        {"12-bit PCM", Wav({1, 1, 44100, 12}, "\x12\x34"sv), "対応していない音の形式です (形式 1, 12 ビット)"},
        {"no channels", Wav({1, 0, 44100, 16}, "\x12\x34"sv), "音の形式が不正です"},
        {"rate 0", Wav({1, 1, 0, 16}, "\x12\x34"sv), "音の形式が不正です"},
        {"no samples", Wav({1, 2, 44100, 16}, ""sv), "音のデータがありません"},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.name);
        const DecodedWav wav = DecodeWav(c.file);
        EXPECT_EQ(wav.problem, c.problem);
        EXPECT_TRUE(wav.pcm.samples.empty());
    }
}

// The same bound as every decoder of the game: samples counted over all
// channels. One frame more is refused before decoding.
TEST(WavDecoder, LongestSoundIsTheSharedLimit) {
    const auto frames = static_cast<std::size_t>(media::kMaxSoundSamples / 2) + 1;
    const DecodedWav wav = DecodeWav(Wav({1, 2, 48000, 8}, std::string(frames * 2, '\x80')));
    EXPECT_EQ(wav.problem, "音が長すぎます");
}

}  // namespace
}  // namespace soruberia::windows
