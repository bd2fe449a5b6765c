// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "platform/SoundFile.h"

#include <sndfile.h>

#include <filesystem>
#include <memory>
#include <new>
#include <stdexcept>
#include <system_error>

#include "content/ContentPaths.h"
#include "content/MediaLimits.h"

namespace soruberia::platform {
namespace {

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

SoundFault::Kind OpenFault(int sfError) {
    // Beyond the public codes libsndfile gives its own, one per fault it
    // finds inside a file of a format it knows.
    switch (sfError) {
        case SF_ERR_SYSTEM: return SoundFault::Kind::kCannotOpen;
        case SF_ERR_UNRECOGNISED_FORMAT: return SoundFault::Kind::kUnknownFormat;
        case SF_ERR_UNSUPPORTED_ENCODING: return SoundFault::Kind::kUnsupportedEncoding;
        default: return SoundFault::Kind::kMalformed;
    }
}

SoundFault Fault(SoundFault::Kind kind, const SF_INFO& info = SF_INFO{}) {
    SoundFault fault;
    fault.kind = kind;
    fault.channels = info.channels;
    fault.rate = info.samplerate;
    fault.frames = info.frames;
    return fault;
}

std::string MinutesAndSeconds(std::int64_t frames, int rate) {
    const std::int64_t seconds = rate < 1 ? 0 : frames / rate;
    return std::to_string(seconds / 60) + " 分 " + std::to_string(seconds % 60) + " 秒";
}

}  // namespace

SoundDecoding DecodeSoundFile(const std::string& fullPath) {
    const std::filesystem::path file = NativePath(fullPath);
    std::error_code error;
    if (std::filesystem::status(file, error).type() == std::filesystem::file_type::not_found) {
        return Fault(SoundFault::Kind::kMissing);
    }
    try {
        SF_INFO info{};
        const std::unique_ptr<SNDFILE, SndfileCloser> handle(
            sf_open(file.c_str(), SFM_READ, &info));
        if (!handle) return Fault(OpenFault(sf_error(nullptr)));
        // WAV only, as the other front-ends' decoders and the checker have
        // it: libsndfile would play an MP3, say, named .wav.
        const int container = info.format & SF_FORMAT_TYPEMASK;
        if (container != SF_FORMAT_WAV && container != SF_FORMAT_WAVEX) return Fault(SoundFault::Kind::kUnknownFormat);
        const auto fault = [&info](SoundFault::Kind kind) { return Fault(kind, info); };
        if (info.channels < 1 || info.samplerate < 1) return fault(SoundFault::Kind::kNoChannels);
        if (info.frames < 1) return fault(SoundFault::Kind::kEmpty);
        if (!media::SoundWithinLimit(info.frames, info.channels)) {
            return fault(SoundFault::Kind::kTooLong);
        }
        DecodedSound sound;
        sound.channels = info.channels;
        sound.rate = info.samplerate;
        sound.announcedFrames = info.frames;
        // Float, not libsndfile's integer reading, which either rounds a
        // float file to almost nothing or scales it to its peak: the sound
        // keeps the level of its file.
        const auto channels = static_cast<std::size_t>(info.channels);
        sound.samples.resize(static_cast<std::size_t>(info.frames) * channels);
        const sf_count_t read = sf_readf_float(handle.get(), sound.samples.data(), info.frames);
        if (read < 1) return fault(SoundFault::Kind::kNoData);
        sound.samples.resize(static_cast<std::size_t>(read) * channels);
        return sound;
    } catch (const std::bad_alloc&) {
        return Fault(SoundFault::Kind::kOutOfMemory);
    } catch (const std::length_error&) {
        return Fault(SoundFault::Kind::kOutOfMemory);
    }
}

std::string DescribeSoundFault(const SoundFault& fault) {
    using Kind = SoundFault::Kind;
    switch (fault.kind) {
        case Kind::kMissing: return "ファイルがありません";
        case Kind::kCannotOpen: return "ファイルを開けません";
        case Kind::kUnknownFormat: return "音のファイルとして認識できない形式です";
        case Kind::kMalformed: return "音のファイルが壊れています";
        case Kind::kUnsupportedEncoding: return "この音の符号化方式には対応していません";
        case Kind::kNoChannels:
            return "チャンネル数 (" + std::to_string(fault.channels) + ") か標本化周波数 (" +
                   std::to_string(fault.rate) + " Hz) が不正です";
        case Kind::kEmpty: return "音のデータがありません (0 フレーム)";
        case Kind::kTooLong:
            return "音が長すぎます: " + MinutesAndSeconds(fault.frames, fault.rate) + "、" +
                   std::to_string(fault.channels) + " チャンネル、" +
                   std::to_string(fault.rate) + " Hz で、フレーム数とチャンネル数の積が上限の " +
                   std::to_string(media::kMaxSoundSamples) +
                   " (48000 Hz のステレオで 5 分) を超えています";
        case Kind::kNoData: return "音のデータを読み出せません";
        case Kind::kOutOfMemory: return "音を読み込むメモリが足りません";
    }
    return "音のファイルを読めません";
}

}  // namespace soruberia::platform
