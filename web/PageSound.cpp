// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "web/PageSound.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "content/MediaLimits.h"

namespace soruberia::web {

namespace {

// In the words of the Windows program's decoder, which reads WAV alike.
const std::string kBadSoundFormat = "音の形式が不正です";

std::uint32_t Le(std::string_view bytes, std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i) {
        value |= std::uint32_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
    }
    return value;
}

WavJudgement Refused(std::string fault) {
    WavJudgement judgement;
    judgement.fault = std::move(fault);
    return judgement;
}

}  // namespace

WavJudgement JudgeWav(std::string_view bytes) {
    if (bytes.size() < 12 || !bytes.starts_with("RIFF") || bytes.substr(8, 4) != "WAVE") {
        return Refused("WAV ファイルではありません");
    }
    struct Format {
        std::uint32_t tag = 0, channels = 0, rate = 0, blockAlign = 0, bits = 0;
    };
    std::optional<Format> format;
    std::optional<std::uint32_t> dataSize;
    std::size_t dataThere = 0;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string_view id = bytes.substr(at, 4);
        const std::size_t size = Le(bytes, at + 4, 4);
        const std::size_t body = at + 8;
        const std::size_t there = std::min(size, bytes.size() - body);
        if (id == "fmt ") {
            if (there < 16) return Refused(kBadSoundFormat);
            Format f{Le(bytes, body, 2), Le(bytes, body + 2, 2), Le(bytes, body + 4, 4), Le(bytes, body + 12, 2),
                     Le(bytes, body + 14, 2)};
            if (f.tag == 0xFFFE) {
                // The extensible header's sub-format begins with the plain tag.
                if (there < 26) return Refused(kBadSoundFormat);
                f.tag = Le(bytes, body + 24, 2);
            }
            format = f;
        } else if (id == "data" && !dataSize) {
            dataSize = static_cast<std::uint32_t>(size);
            dataThere = there;
        }
        if (size > bytes.size() - body) break;
        at = body + size + (size & 1);  // chunks are padded to an even size
    }
    if (!format) return Refused("音の形式が書かれていません");
    const Format& f = *format;
    if (f.channels < 1 || f.rate < 1 || f.rate > 384000) return Refused(kBadSoundFormat);
    const bool pcm = f.tag == 1 && (f.bits == 8 || f.bits == 16 || f.bits == 24 || f.bits == 32);
    const bool real = f.tag == 3 && (f.bits == 32 || f.bits == 64);
    if (!pcm && !real) {
        return Refused("対応していない音の形式です (形式 " + std::to_string(f.tag) + ", " + std::to_string(f.bits) +
                       " ビット)");
    }
    if (f.blockAlign != f.channels * (f.bits / 8)) return Refused(kBadSoundFormat);
    const auto frames = static_cast<std::int64_t>(dataThere / f.blockAlign);
    if (!dataSize || frames < 1) return Refused("音のデータがありません");
    const auto channels = static_cast<int>(std::min<std::uint32_t>(f.channels, 1024));
    if (!media::SoundWithinLimit(frames, channels)) return Refused("音が長すぎます");
    WavJudgement judgement;
    judgement.frames = frames;
    judgement.announcedFrames = static_cast<std::int64_t>(*dataSize / f.blockAlign);
    judgement.channels = channels;
    judgement.rate = static_cast<int>(f.rate);
    return judgement;
}

}  // namespace soruberia::web
