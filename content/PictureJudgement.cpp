// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "content/PictureJudgement.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "content/MediaLimits.h"

namespace soruberia::media {
namespace {

// In the words the checkers have always used for these faults.
const char kUnknownFormat[] = "画像として認識できない形式です";
const char kBroken[] = "画像のデータが壊れています";

PictureJudgement Refused(std::string fault) {
    PictureJudgement judgement;
    judgement.fault = std::move(fault);
    return judgement;
}

PictureJudgement Broken() { return Refused(kBroken); }

// The sides as the header gives them: none may be 0, none beyond the cap.
std::optional<PictureJudgement> SizeFault(std::uint32_t width, std::uint32_t height) {
    if (width == 0 || height == 0) return Broken();
    if (width > static_cast<std::uint32_t>(kMaxPictureSide) || height > static_cast<std::uint32_t>(kMaxPictureSide)) {
        return Refused("画像が大きすぎます: " + std::to_string(width) + " x " + std::to_string(height) +
                       " px です。幅も高さも " + std::to_string(kMaxPictureSide) + " px までにしてください");
    }
    return std::nullopt;
}

PictureJudgement Sized(std::uint32_t width, std::uint32_t height) {
    PictureJudgement judgement;
    judgement.width = static_cast<int>(width);
    judgement.height = static_cast<int>(height);
    return judgement;
}

// Bytes read at a place known to lie within the file.
unsigned Byte(std::string_view bytes, std::size_t at) { return static_cast<unsigned char>(bytes[at]); }

std::uint32_t Le(std::string_view bytes, std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i) value |= std::uint32_t{Byte(bytes, at + i)} << (8 * i);
    return value;
}

std::uint32_t Be(std::string_view bytes, std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i) value = value << 8 | Byte(bytes, at + i);
    return value;
}

// Whether `count` bytes from `at` lie within the file.
bool Within(std::string_view bytes, std::size_t at, std::uint64_t count) {
    return at <= bytes.size() && count <= bytes.size() - at;
}

// --- GIF ---------------------------------------------------------------

std::size_t ColourTableBytes(unsigned flags) { return (flags & 0x80) != 0 ? 3u * (2u << (flags & 7)) : 0; }

// Data sub-blocks from `at` up to their terminator, read one byte at a time
// (the image data) or skipped whole.
class SubBlocks {
public:
    SubBlocks(std::string_view bytes, std::size_t at) : bytes_(bytes), at_(at) {}

    // The next data byte; nothing once the terminator is reached or the
    // file ends.
    std::optional<unsigned> Next() {
        while (left_ == 0) {
            if (ended_ || at_ >= bytes_.size()) return Stop();
            left_ = Byte(bytes_, at_++);
            if (left_ == 0) {
                ended_ = true;
                return std::nullopt;
            }
            if (!Within(bytes_, at_, left_)) return Stop();
        }
        --left_;
        return Byte(bytes_, at_++);
    }

    // Past the rest of the blocks and their terminator; false if the file
    // ends first.
    bool SkipRest() {
        if (cut_) return false;
        at_ += left_;
        left_ = 0;
        while (!ended_) {
            if (at_ >= bytes_.size()) return false;
            const std::size_t size = Byte(bytes_, at_++);
            if (size == 0) break;
            if (!Within(bytes_, at_, size)) return false;
            at_ += size;
        }
        ended_ = true;
        return true;
    }

    std::size_t At() const { return at_; }

private:
    std::optional<unsigned> Stop() {
        cut_ = !ended_;
        return std::nullopt;
    }

    std::string_view bytes_;
    std::size_t at_;
    std::size_t left_ = 0;
    bool ended_ = false;
    bool cut_ = false;
};

// Whether the LZW codes of an image hold at least `pixels` pixels before
// their end code or the end of their blocks. Only the length of each
// table entry is kept: the pixels' values do not matter here.
bool LzwHoldsPixels(SubBlocks& data, unsigned minCodeSize, std::uint64_t pixels) {
    if (minCodeSize < 1 || minCodeSize > 8) return false;
    constexpr unsigned kMaxCodes = 4096;
    const unsigned clear = 1u << minCodeSize;
    const unsigned end = clear + 1;
    std::array<std::uint32_t, kMaxCodes> lengths{};
    unsigned width = minCodeSize + 1;
    unsigned next = clear + 2;
    unsigned previous = kMaxCodes;  // none, after a clear code
    std::uint64_t produced = 0;
    std::uint32_t bits = 0;
    unsigned held = 0;
    const auto length = [&](unsigned code) { return code < clear ? 1u : lengths[code]; };
    while (produced < pixels) {
        while (held < width) {
            const std::optional<unsigned> byte = data.Next();
            if (!byte) return false;  // the data ends before the image is whole
            bits |= *byte << held;
            held += 8;
        }
        const unsigned code = bits & ((1u << width) - 1);
        bits >>= width;
        held -= width;
        if (code == clear) {
            width = minCodeSize + 1;
            next = clear + 2;
            previous = kMaxCodes;
            continue;
        }
        if (code == end) return false;
        std::uint32_t emitted = 0;
        if (previous == kMaxCodes) {
            if (code >= clear) return false;
            emitted = 1;
        } else {
            if (code > next) return false;  // not in the table yet
            emitted = code == next ? length(previous) + 1 : length(code);
            if (next < kMaxCodes) {
                lengths[next] = length(previous) + 1;
                ++next;
                if (next == (1u << width) && width < 12) ++width;
            }
        }
        produced += emitted;
        previous = code;
    }
    return true;
}

// Blocks first, so that a file that is no GIF is called broken whatever
// its first bytes say of its size; then the sides; then the pixels of the
// first image, the one shown, which all must be there.
PictureJudgement Gif(std::string_view bytes) {
    if (bytes.size() < 13) return Broken();
    std::size_t at = 13 + ColourTableBytes(Byte(bytes, 10));
    std::optional<std::size_t> firstImage;
    std::optional<PictureJudgement> sizeFault = SizeFault(Le(bytes, 6, 2), Le(bytes, 8, 2));
    for (;;) {
        if (at >= bytes.size()) return Broken();  // no trailer
        const unsigned block = Byte(bytes, at++);
        if (block == 0x3B) break;
        if (block == 0x21) {
            if (at >= bytes.size()) return Broken();
            SubBlocks extension(bytes, at + 1);
            if (!extension.SkipRest()) return Broken();
            at = extension.At();
        } else if (block == 0x2C) {
            if (!Within(bytes, at, 9)) return Broken();
            if (!sizeFault) sizeFault = SizeFault(Le(bytes, at + 4, 2), Le(bytes, at + 6, 2));
            if (!firstImage) firstImage = at;
            at += 9 + ColourTableBytes(Byte(bytes, at + 8)) + 1;  // and the LZW code size
            SubBlocks data(bytes, at);
            if (at > bytes.size() || !data.SkipRest()) return Broken();
            at = data.At();
        } else {
            return Broken();
        }
    }
    if (!firstImage) return Broken();
    if (sizeFault) return *sizeFault;
    const std::size_t image = *firstImage;
    const std::size_t codeSize = image + 9 + ColourTableBytes(Byte(bytes, image + 8));
    SubBlocks data(bytes, codeSize + 1);
    if (!LzwHoldsPixels(data, Byte(bytes, codeSize), std::uint64_t{Le(bytes, image + 4, 2)} * Le(bytes, image + 6, 2))) {
        return Broken();
    }
    return Sized(Le(bytes, 6, 2), Le(bytes, 8, 2));
}

// --- PNG ---------------------------------------------------------------

std::uint32_t Crc32(std::string_view data) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : data) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

bool ValidPngDepth(unsigned colourType, unsigned depth) {
    switch (colourType) {
        case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
        case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
        case 2:
        case 4:
        case 6: return depth == 8 || depth == 16;
        default: return false;
    }
}

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

PictureJudgement Png(std::string_view bytes) {
    std::size_t at = 8;
    bool headerSeen = false;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool dataSeen = false;
    for (;;) {
        if (!Within(bytes, at, 12)) return Broken();  // no IEND
        const std::uint32_t length = Be(bytes, at, 4);
        if (length > 0x7FFFFFFFu || !Within(bytes, at + 8, std::uint64_t{length} + 4)) return Broken();
        const std::string_view type = bytes.substr(at + 4, 4);
        const std::string_view body = bytes.substr(at + 8, length);
        for (const char c : type) {
            if (!IsLetter(c)) return Broken();
        }
        // Decoders refuse a critical chunk (upper case first letter) whose
        // checksum is wrong.
        const bool critical = type[0] >= 'A' && type[0] <= 'Z';
        if (critical && Crc32(bytes.substr(at + 4, 4 + std::size_t{length})) != Be(bytes, at + 8 + length, 4)) {
            return Broken();
        }
        if (!headerSeen) {
            if (type != "IHDR" || length != 13) return Broken();
            if (!ValidPngDepth(Byte(body, 9), Byte(body, 8)) || Byte(body, 10) != 0 || Byte(body, 11) != 0 ||
                Byte(body, 12) > 1) {
                return Broken();
            }
            headerSeen = true;
            width = Be(body, 0, 4);
            height = Be(body, 4, 4);
        } else if (type == "IHDR") {
            return Broken();
        } else if (type == "IDAT") {
            dataSeen = true;
        } else if (type == "IEND") {
            if (!dataSeen) return Broken();
            const auto fault = SizeFault(width, height);
            return fault ? *fault : Sized(width, height);
        }
        at += 12 + std::size_t{length};
    }
}

// --- JPEG --------------------------------------------------------------

PictureJudgement Jpeg(std::string_view bytes) {
    std::size_t at = 2;
    bool frameSeen = false;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool scanSeen = false;
    for (;;) {
        if (!Within(bytes, at, 2) || Byte(bytes, at) != 0xFF) return Broken();  // no EOI
        const unsigned marker = Byte(bytes, at + 1);
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0xD9) {
            if (!scanSeen) return Broken();
            const auto fault = SizeFault(width, height);
            return fault ? *fault : Sized(width, height);
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2;
            continue;
        }
        if (marker == 0xD8 || marker == 0x00 || !Within(bytes, at + 2, 2)) return Broken();
        const std::uint32_t length = Be(bytes, at + 2, 2);
        if (length < 2 || !Within(bytes, at + 2, length)) return Broken();
        const std::size_t body = at + 4;
        const bool isFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (isFrame) {
            if (frameSeen || length < 8) return Broken();
            // Lossless and hierarchical frames: no browser's decoder has them.
            if (marker == 0xC3 || (marker >= 0xC5 && marker <= 0xC7) || marker == 0xCB || marker >= 0xCD) {
                return Refused(kUnknownFormat);
            }
            frameSeen = true;
            height = Be(bytes, body + 1, 2);
            width = Be(bytes, body + 3, 2);
        }
        at += 2 + std::size_t{length};
        if (marker == 0xDA) {
            if (!frameSeen) return Broken();
            scanSeen = true;
            // The entropy-coded data runs to the next marker other than a
            // stuffed zero or a restart.
            for (;;) {
                if (!Within(bytes, at, 2)) return Broken();
                if (Byte(bytes, at) != 0xFF) {
                    ++at;
                    continue;
                }
                const unsigned following = Byte(bytes, at + 1);
                if (following == 0x00 || (following >= 0xD0 && following <= 0xD7)) {
                    at += 2;
                } else if (following == 0xFF) {
                    ++at;
                } else {
                    break;
                }
            }
        }
    }
}

// --- BMP ---------------------------------------------------------------

// Whether run-length coded rows of `bitsPerPixel` reach their end-of-bitmap
// code within `data`.
bool RleEnds(std::string_view data, unsigned bitsPerPixel) {
    std::size_t at = 0;
    while (Within(data, at, 2)) {
        const unsigned count = Byte(data, at);
        const unsigned value = Byte(data, at + 1);
        at += 2;
        if (count != 0 || value == 0) continue;  // a run, or the end of a row
        if (value == 1) return true;             // the end of the bitmap
        if (value == 2) {                        // a move: two more bytes
            at += 2;
            continue;
        }
        const std::size_t literal = (value * bitsPerPixel + 7) / 8;
        at += literal + (literal & 1);  // padded to an even size
    }
    return false;
}

PictureJudgement Bmp(std::string_view bytes) {
    if (bytes.size() < 26) return Broken();
    const std::uint32_t headerSize = Le(bytes, 14, 4);
    const std::uint32_t dataAt = Le(bytes, 10, 4);
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    unsigned bitsPerPixel = 0;
    std::uint32_t compression = 0;
    bool topDown = false;
    if (headerSize == 12) {  // OS/2 1.x
        width = Le(bytes, 18, 2);
        height = Le(bytes, 20, 2);
        bitsPerPixel = Le(bytes, 24, 2);
    } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 64 || headerSize == 108 ||
               headerSize == 124) {
        if (!Within(bytes, 14, headerSize)) return Broken();
        const auto signedWidth = static_cast<std::int32_t>(Le(bytes, 18, 4));
        const auto signedHeight = static_cast<std::int32_t>(Le(bytes, 22, 4));
        if (signedWidth <= 0 || signedHeight == 0 || signedHeight == INT32_MIN) return Broken();
        width = static_cast<std::uint32_t>(signedWidth);
        topDown = signedHeight < 0;
        height = static_cast<std::uint32_t>(topDown ? -signedHeight : signedHeight);
        bitsPerPixel = Le(bytes, 28, 2);
        compression = Le(bytes, 30, 4);
    } else {
        return Refused(kUnknownFormat);
    }
    if (auto fault = SizeFault(width, height)) return *fault;
    if (dataAt < 14 + headerSize || dataAt > bytes.size()) return Broken();
    const std::string_view data = bytes.substr(dataAt);
    switch (compression) {
        case 0:  // plain rows, each padded to whole 32-bit words
        case 3:  // bit fields
        case 6: {
            const bool depthFits = compression == 0 ? (bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8 ||
                                                       bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 32)
                                                    : (bitsPerPixel == 16 || bitsPerPixel == 32);
            if (!depthFits) return Broken();
            const std::uint64_t row = (std::uint64_t{width} * bitsPerPixel + 31) / 32 * 4;
            if (!Within(data, 0, row * height)) return Broken();
            break;
        }
        case 1:  // run lengths of 8-bit pixels
        case 2:  // and of 4-bit ones
            if (topDown || bitsPerPixel != (compression == 1 ? 8u : 4u) || !RleEnds(data, bitsPerPixel)) {
                return Broken();
            }
            break;
        default:  // a JPEG or PNG inside, which browsers do not take
            return Refused(kUnknownFormat);
    }
    return Sized(width, height);
}

}  // namespace

PictureJudgement JudgePicture(std::string_view bytes) {
    if (bytes.size() > kMaxPictureFileBytes) return Refused("ファイルが大きすぎます");
    if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a")) return Gif(bytes);
    if (bytes.starts_with("\x89PNG\r\n\x1A\n")) return Png(bytes);
    if (bytes.starts_with("\xFF\xD8\xFF")) return Jpeg(bytes);
    if (bytes.starts_with("BM")) return Bmp(bytes);
    return Refused(kUnknownFormat);
}

}  // namespace soruberia::media
