// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "web/PageMedia.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "content/ContentMessages.h"
#include "content/MediaLimits.h"

namespace soruberia::web {

namespace {

// In the words the desktop checkers use for the same faults.
const std::string kUnknownPicture = "画像として認識できない形式です";
const std::string kBrokenPicture = "画像のデータが壊れています";
const std::string kBadSoundFormat = "音の形式が不正です";

std::uint32_t Le(std::string_view bytes, std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i) {
        value |= std::uint32_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
    }
    return value;
}

std::uint32_t Be(std::string_view bytes, std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

check::PictureDecoding Sized(std::uint32_t width, std::uint32_t height) {
    if (width == 0 || height == 0 || width > 65535 || height > 65535) return check::MediaFault{kBrokenPicture};
    return check::PictureSize{static_cast<int>(width), static_cast<int>(height)};
}

// The data sub-blocks from `at` up to their terminator; false if the file
// ends first.
bool SkipSubBlocks(std::string_view bytes, std::size_t& at) {
    while (at < bytes.size()) {
        const std::size_t size = static_cast<unsigned char>(bytes[at++]);
        if (size == 0) return true;
        at += size;
    }
    return false;
}

std::size_t ColourTableBytes(unsigned char flags) {
    return (flags & 0x80) != 0 ? 3u * (2u << (flags & 7)) : 0;
}

check::PictureDecoding Gif(std::string_view bytes) {
    if (bytes.size() < 13) return check::MediaFault{kBrokenPicture};
    std::size_t at = 13 + ColourTableBytes(static_cast<unsigned char>(bytes[10]));
    // Extensions may come first; the browser shows the first image.
    while (at < bytes.size()) {
        const auto block = static_cast<unsigned char>(bytes[at]);
        if (block == 0x21) {
            at += 2;
            if (!SkipSubBlocks(bytes, at)) break;
        } else if (block == 0x2C) {
            if (at + 11 > bytes.size()) break;
            at += 10 + ColourTableBytes(static_cast<unsigned char>(bytes[at + 9])) + 1;
            if (!SkipSubBlocks(bytes, at)) break;
            return Sized(Le(bytes, 6, 2), Le(bytes, 8, 2));
        } else {
            break;
        }
    }
    return check::MediaFault{kBrokenPicture};
}

check::PictureDecoding Jpeg(std::string_view bytes) {
    for (std::size_t at = 2; at + 4 <= bytes.size();) {
        if (static_cast<unsigned char>(bytes[at]) != 0xFF) break;
        const auto marker = static_cast<unsigned char>(bytes[at + 1]);
        if (marker == 0xFF) {
            ++at;  // fill byte
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2;
            continue;
        }
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (at + 9 > bytes.size()) break;
            return Sized(Be(bytes, at + 7, 2), Be(bytes, at + 5, 2));
        }
        at += 2 + Be(bytes, at + 2, 2);
    }
    return check::MediaFault{kBrokenPicture};
}

check::PictureDecoding Bmp(std::string_view bytes) {
    if (bytes.size() < 26) return check::MediaFault{kBrokenPicture};
    if (Le(bytes, 14, 4) == 12) return Sized(Le(bytes, 18, 2), Le(bytes, 20, 2));  // OS/2 header
    const auto height = static_cast<std::int32_t>(Le(bytes, 22, 4));  // negative: top-down
    return Sized(Le(bytes, 18, 4), static_cast<std::uint32_t>(std::abs(height)));
}

}  // namespace

check::PictureDecoding PictureHeader(std::string_view bytes) {
    if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a")) return Gif(bytes);
    if (bytes.starts_with("\x89PNG\r\n\x1A\n")) {
        if (bytes.size() < 24 || bytes.substr(12, 4) != "IHDR") return check::MediaFault{kBrokenPicture};
        return Sized(Be(bytes, 16, 4), Be(bytes, 20, 4));
    }
    if (bytes.starts_with("\xFF\xD8")) return Jpeg(bytes);
    if (bytes.starts_with("BM")) return Bmp(bytes);
    return check::MediaFault{kUnknownPicture};
}

check::SoundDecoding WavHeader(std::string_view bytes) {
    if (bytes.size() < 12 || !bytes.starts_with("RIFF") || bytes.substr(8, 4) != "WAVE") {
        return check::MediaFault{"WAV ファイルではありません"};
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
            if (there < 16) return check::MediaFault{kBadSoundFormat};
            Format f{Le(bytes, body, 2), Le(bytes, body + 2, 2), Le(bytes, body + 4, 4), Le(bytes, body + 12, 2),
                     Le(bytes, body + 14, 2)};
            if (f.tag == 0xFFFE) {
                // The extensible header's sub-format begins with the plain tag.
                if (there < 26) return check::MediaFault{kBadSoundFormat};
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
    if (!format) return check::MediaFault{"音の形式が書かれていません"};
    const Format& f = *format;
    if (f.channels < 1 || f.rate < 1 || f.rate > 384000) return check::MediaFault{kBadSoundFormat};
    const bool pcm = f.tag == 1 && (f.bits == 8 || f.bits == 16 || f.bits == 24 || f.bits == 32);
    const bool real = f.tag == 3 && (f.bits == 32 || f.bits == 64);
    if (!pcm && !real) {
        return check::MediaFault{"対応していない音の形式です (形式 " + std::to_string(f.tag) + ", " +
                                 std::to_string(f.bits) + " ビット)"};
    }
    if (f.blockAlign != f.channels * (f.bits / 8)) return check::MediaFault{kBadSoundFormat};
    const auto frames = static_cast<std::int64_t>(dataThere / f.blockAlign);
    if (!dataSize || frames < 1) return check::MediaFault{"音のデータがありません"};
    const auto channels = static_cast<int>(std::min<std::uint32_t>(f.channels, 1024));
    if (!media::SoundWithinLimit(frames, channels)) return check::MediaFault{"音が長すぎます"};
    return check::SoundShape{frames, static_cast<std::int64_t>(*dataSize / f.blockAlign), channels,
                             static_cast<int>(f.rate)};
}

namespace {

// Why the page holds no bytes of a file.
std::string Unread(const PageFolder& folder, const std::string& fullPath) {
    if (!folder.TooLarge(fullPath)) return "ファイルがありません";
    const auto path = folder.PagePathOf(fullPath);
    ContentFailure failure;
    failure.fault = ContentFault::kTooLarge;
    failure.value = static_cast<std::int64_t>(PageFileLimit(path ? *path : std::string()));
    return DescribeFailure(failure);
}

}  // namespace

check::PictureDecoding PagePictureHeaders::Decode(const std::string& fullPath) {
    const std::string* bytes = folder_.Bytes(fullPath);
    if (bytes == nullptr) return check::MediaFault{Unread(folder_, fullPath)};
    return PictureHeader(*bytes);
}

check::SoundDecoding PageSoundHeaders::Decode(const std::string& fullPath) {
    const std::string* bytes = folder_.Bytes(fullPath);
    if (bytes == nullptr) return check::MediaFault{Unread(folder_, fullPath)};
    return WavHeader(*bytes);
}

}  // namespace soruberia::web
