// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/platform/WavDecoder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "content/MediaLimits.h"
#include "content/StereoSound.h"

namespace soruberia::windows {
namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

std::uint32_t Le(std::string_view bytes, std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i) {
        value |= std::uint32_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
    }
    return value;
}

struct Format {
    std::uint16_t tag = 0;
    std::uint16_t channels = 0;
    std::uint32_t rate = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bits = 0;
};

// One sample as a fraction of full scale, -1 to just below 1.
double Sample(const unsigned char* p, const Format& format) {
    if (format.tag == kFormatFloat) {
        if (format.bits == 32) {
            float value;
            std::memcpy(&value, p, sizeof value);
            return std::isfinite(value) ? value : 0.0;
        }
        double value;
        std::memcpy(&value, p, sizeof value);
        return std::isfinite(value) ? value : 0.0;
    }
    switch (format.bits) {
        case 8:
            return (p[0] - 128) / 128.0;  // 8-bit WAV is unsigned
        case 16:
            return static_cast<std::int16_t>(p[0] | p[1] << 8) / 32768.0;
        case 24: {
            const std::uint32_t raw = std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 |
                                      std::uint32_t{p[2]} << 16;
            const auto value = static_cast<std::int32_t>(raw << 8) / 256;
            return value / 8388608.0;
        }
        default: {
            const std::uint32_t raw = std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 |
                                      std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
            return static_cast<std::int32_t>(raw) / 2147483648.0;
        }
    }
}

std::string CheckFormat(const Format& format) {
    if (format.channels < 1 || format.rate < 1 || format.rate > 384000) return "音の形式が不正です";
    const bool pcm = format.tag == kFormatPcm &&
                     (format.bits == 8 || format.bits == 16 || format.bits == 24 || format.bits == 32);
    const bool real = format.tag == kFormatFloat && (format.bits == 32 || format.bits == 64);
    if (!pcm && !real) {
        return "対応していない音の形式です (形式 " + std::to_string(format.tag) + ", " +
               std::to_string(format.bits) + " ビット)";
    }
    if (format.blockAlign != format.channels * (format.bits / 8)) return "音の形式が不正です";
    return {};
}

}  // namespace

DecodedWav DecodeWav(std::string_view file) {
    DecodedWav result;
    if (file.size() < 12 || file.substr(0, 4) != "RIFF" || file.substr(8, 4) != "WAVE") {
        result.problem = "WAV ファイルではありません";
        return result;
    }
    std::optional<Format> format;
    std::string_view data;
    bool haveData = false;
    for (std::size_t at = 12; at + 8 <= file.size();) {
        const std::string_view id = file.substr(at, 4);
        const std::size_t size = Le(file, at + 4, 4);
        const std::size_t body = at + 8;
        // A data chunk cut short by a truncated file still plays what is there.
        const std::size_t available = std::min(size, file.size() - body);
        if (id == "fmt ") {
            if (available < 16) {
                result.problem = "音の形式が不正です";
                return result;
            }
            Format f;
            f.tag = static_cast<std::uint16_t>(Le(file, body, 2));
            f.channels = static_cast<std::uint16_t>(Le(file, body + 2, 2));
            f.rate = Le(file, body + 4, 4);
            f.blockAlign = static_cast<std::uint16_t>(Le(file, body + 12, 2));
            f.bits = static_cast<std::uint16_t>(Le(file, body + 14, 2));
            if (f.tag == kFormatExtensible) {
                // The sub-format GUID begins with the plain format tag.
                if (available < 26) {
                    result.problem = "音の形式が不正です";
                    return result;
                }
                f.tag = static_cast<std::uint16_t>(Le(file, body + 24, 2));
            }
            format = f;
        } else if (id == "data" && !haveData) {
            data = file.substr(body, available);
            haveData = true;
        }
        if (size > file.size() - body) break;
        at = body + size + (size & 1);  // chunks are padded to an even size
    }
    if (!format) {
        result.problem = "音の形式が書かれていません";
        return result;
    }
    result.problem = CheckFormat(*format);
    if (!result.problem.empty()) return result;
    const std::size_t channels = format->channels;
    const std::size_t frames = data.size() / format->blockAlign;
    if (frames < 1) {
        result.problem = "音のデータがありません";
        return result;
    }
    if (!media::SoundWithinLimit(static_cast<std::int64_t>(frames), format->channels)) {
        result.problem = "音が長すぎます";
        return result;
    }

    const std::size_t width = format->bits / 8u;
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
    result.pcm.rate = static_cast<int>(format->rate);
    result.pcm.samples = media::ToStereo16(frames, channels, [&](std::size_t frame, std::size_t channel) {
        return Sample(bytes + frame * format->blockAlign + channel * width, *format);
    });
    return result;
}

}  // namespace soruberia::windows
