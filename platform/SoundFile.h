// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace soruberia::platform {

// A sound file decoded whole: interleaved samples, -1..1, as the file holds
// them.
struct DecodedSound {
    std::vector<float> samples;
    int channels = 0;
    int rate = 0;
    std::int64_t announcedFrames = 0;  // as the file's header gives them

    std::int64_t Frames() const {
        return channels < 1 ? 0 : static_cast<std::int64_t>(samples.size()) / channels;
    }
    // Fewer frames could be read than the header announces.
    bool CutShort() const { return Frames() < announcedFrames; }
};

// Why a sound file cannot be played.
struct SoundFault {
    enum class Kind {
        kMissing,
        kCannotOpen,
        kUnknownFormat,
        kMalformed,
        kUnsupportedEncoding,
        kNoChannels,
        kEmpty,
        kTooLong,
        kNoData,
        kOutOfMemory,
    };
    Kind kind = Kind::kCannotOpen;
    int channels = 0;
    int rate = 0;
    std::int64_t frames = 0;  // announced by the header
};

using SoundDecoding = std::variant<DecodedSound, SoundFault>;

// Reads the file named in the program's form (basePath + "\音\x.wav") with
// libsndfile, anew at every call: a WAV file only, within the limits of
// content/MediaLimits.h.
// Never throws.
SoundDecoding DecodeSoundFile(const std::string& fullPath);

// The fault as a user reads it.
std::string DescribeSoundFault(const SoundFault& fault);

}  // namespace soruberia::platform
