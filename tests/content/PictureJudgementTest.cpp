// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The one rule every front-end applies to a picture file before its own
// decoder: the default pictures pass, a file that is cut short or promises
// more than it holds does not, nor one beyond the size cap.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "content/MediaLimits.h"
#include "content/PictureJudgement.h"

namespace soruberia::media {
namespace {

namespace fs = std::filesystem;

const std::string kBroken = "画像のデータが壊れています";
const std::string kUnknown = "画像として認識できない形式です";

std::string TooLarge(int width, int height) {
    return "画像が大きすぎます: " + std::to_string(width) + " x " + std::to_string(height) +
           " px です。幅も高さも 1024 px までにしてください";
}

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A file of tests/media, the hostile files every front-end's tests share.
std::string Hostile(const char* name) {
    return ReadFile(fs::path(std::u8string(reinterpret_cast<const char8_t*>(MEDIA_FIXTURES))) / name);
}

std::string Le16(unsigned value) { return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)}; }

std::string Le32(std::uint32_t value) { return Le16(value & 0xFFFF) + Le16(value >> 16); }

std::string Be16(unsigned value) { return {static_cast<char>(value >> 8), static_cast<char>(value & 0xFF)}; }

std::string FromHex(std::string_view hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) bytes += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    return bytes;
}

// The LZW codes (minimum code size 2) of `pixels` pixels of colour 0, as
// data sub-blocks: each code after the first is the next new table entry,
// one pixel longer than the last, so a large picture takes few bytes. Each
// code is written at the width the decoder reads it with.
std::string RunOfPixels(std::uint64_t pixels, bool endCode = true) {
    std::vector<unsigned> codes{4};  // clear
    std::uint64_t length = 0;
    for (unsigned k = 1; length < pixels; ++k) {
        codes.push_back(k == 1 ? 0 : k + 4);  // k pixels: 0, then 6 (two), 7 (three)…
        length += k;
    }
    if (endCode) codes.push_back(5);
    std::string packed;
    std::uint32_t bits = 0;
    unsigned held = 0;
    unsigned width = 3;
    unsigned next = 6;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        bits |= codes[i] << held;
        held += width;
        while (held >= 8) {
            packed += static_cast<char>(bits & 0xFF);
            bits >>= 8;
            held -= 8;
        }
        if (i >= 2 && codes[i] != 5 && next < 4096 && ++next == (1u << width) && width < 12) ++width;
    }
    if (held > 0) packed += static_cast<char>(bits & 0xFF);
    std::string blocks;
    for (std::size_t at = 0; at < packed.size(); at += 255) {
        const std::string block = packed.substr(at, 255);
        blocks += static_cast<char>(block.size()) + block;
    }
    return blocks + '\0';
}

std::string Image(unsigned width, unsigned height, const std::string& data) {
    return std::string(",\0\0\0\0", 5) + Le16(width) + Le16(height) + '\0' + '\2' + data;
}

// A GIF with a two-colour palette, `blocks` after its screen descriptor.
std::string Gif(unsigned width, unsigned height, const std::string& blocks) {
    return "GIF89a" + Le16(width) + Le16(height) + std::string("\x80\0\0\0\0\0\xff\xff\xff", 9) + blocks + ";";
}

std::string SolidGif(unsigned width, unsigned height) {
    return Gif(width, height, Image(width, height, RunOfPixels(std::uint64_t{width} * height)));
}

// 2 x 2 grey, made with zlib.
const std::string kPng = FromHex(
    "89504e470d0a1a0a0000000d494844520000000200000002080000000057dd52f80000000e4944415478da636868"
    "60686800000606020131a91ea10000000049454e44ae426082");

std::string JpegSegment(unsigned marker, const std::string& body) {
    return std::string{'\xFF', static_cast<char>(marker)} + Be16(static_cast<unsigned>(body.size()) + 2) + body;
}

// The structure the rule walks: frame, scan with its coded data (a stuffed
// 0xFF and a restart marker in it), end.
std::string Jpeg(unsigned frameMarker, unsigned width, unsigned height, bool end = true) {
    return "\xFF\xD8" + JpegSegment(0xE0, std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14)) +
           JpegSegment(frameMarker, "\x08" + Be16(height) + Be16(width) + std::string("\x01\x01\x11\x00", 4)) +
           JpegSegment(0xDA, std::string("\x01\x01\x00\x00\x3F\x00", 6)) + std::string("\x12\xFF\x00\x34\xFF\xD0\x56", 7) +
           (end ? "\xFF\xD9" : "");
}

// A 24-bit BMP whose rows of 3 bytes are padded to 4.
std::string Bmp(std::int32_t width, std::int32_t height, std::size_t pixelBytes) {
    return "BM" + Le32(static_cast<std::uint32_t>(54 + pixelBytes)) + Le32(0) + Le32(54) + Le32(40) +
           Le32(static_cast<std::uint32_t>(width)) + Le32(static_cast<std::uint32_t>(height)) + Le16(1) + Le16(24) +
           Le32(0) + Le32(static_cast<std::uint32_t>(pixelBytes)) + Le32(2835) + Le32(2835) + Le32(0) + Le32(0) +
           std::string(pixelBytes, '\x7F');
}

TEST(PictureJudgement, DefaultPicturesPassWithTheirSize) {
    const fs::path folder = fs::path(std::u8string(reinterpret_cast<const char8_t*>(DEFAULT_CONTENT))) / u8"図";
    int pictures = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        SCOPED_TRACE(entry.path().filename().string());
        const PictureJudgement judgement = JudgePicture(ReadFile(entry.path()));
        EXPECT_EQ(judgement.fault, "");
        const bool mark = entry.path().filename() == "maru.gif" || entry.path().filename() == "batu.gif";
        EXPECT_EQ(judgement.width, mark ? 145 : 101);
        EXPECT_EQ(judgement.height, mark ? 145 : 61);
        ++pictures;
    }
    EXPECT_EQ(pictures, 26);
}

TEST(PictureJudgement, EachFormatIsJudgedWhole) {
    struct Case {
        const char* what;
        std::string bytes;
        std::string fault;  // "" for a picture accepted with the size below
        int width = 0;
        int height = 0;
    };
    const std::string png = kPng;
    std::string badCrc = png;
    badCrc[30] ^= 1;  // in IHDR
    const Case cases[] = {
        // GIF
        {"a solid GIF", SolidGif(30, 20), "", 30, 20},
        {"a GIF at the cap", SolidGif(1024, 1024), "", 1024, 1024},
        {"a GIF one pixel wider than the cap, in a few bytes", SolidGif(1025, 1), TooLarge(1025, 1)},
        {"a GIF one pixel taller than the cap", SolidGif(1, 1025), TooLarge(1, 1025)},
        {"58 bytes that say 20000 x 20000", Hostile("lying.gif"), TooLarge(20000, 20000)},
        {"a screen within the cap, an image beyond it", Gif(10, 10, Image(2000, 1, RunOfPixels(2000))),
         TooLarge(2000, 1)},
        {"a GIF cut in its image data", Hostile("cut.gif"), kBroken},
        {"a GIF whose header promises more pixels than its codes hold",
         Gif(1000, 1000, Image(1000, 1000, RunOfPixels(40))), kBroken},
        {"codes that end before the image is whole", Gif(10, 10, Image(10, 10, RunOfPixels(91))), kBroken},
        {"codes that run out without an end code", Gif(10, 10, Image(10, 10, RunOfPixels(91, false))), kBroken},
        {"a code not yet in the table", Gif(2, 1, Image(2, 1, std::string("\x01\x3C\x00", 3))), kBroken},
        {"a GIF with no image", Gif(10, 10, ""), kBroken},
        {"a GIF with no trailer", SolidGif(10, 10).substr(0, SolidGif(10, 10).size() - 1), kBroken},
        {"an unknown block", Gif(10, 10, "\x07" + Image(10, 10, RunOfPixels(100))), kBroken},
        {"an extension cut short", Gif(10, 10, "!\xFE\x09" "abc"), kBroken},
        {"a comment and a second image after the first", Gif(4, 4, "!\xFE\x02hi" + std::string(1, '\0') +
                                                                       Image(4, 4, RunOfPixels(16)) +
                                                                       Image(2, 2, RunOfPixels(1))),
         "", 4, 4},
        {"a 0 x 0 screen", SolidGif(0, 0), kBroken},
        // PNG
        {"a PNG", png, "", 2, 2},
        {"a PNG without IEND", png.substr(0, png.size() - 12), kBroken},
        {"a PNG cut in a chunk", png.substr(0, 40), kBroken},
        {"a PNG whose IHDR checksum is wrong", badCrc, kBroken},
        {"a PNG without IDAT", png.substr(0, 33) + png.substr(png.size() - 12), kBroken},
        // JPEG
        {"a JPEG", Jpeg(0xC0, 640, 480), "", 640, 480},
        {"a progressive JPEG", Jpeg(0xC2, 8, 8), "", 8, 8},
        {"a JPEG without EOI", Jpeg(0xC0, 640, 480, false), kBroken},
        {"a JPEG beyond the cap", Jpeg(0xC0, 4000, 3000), TooLarge(4000, 3000)},
        {"a lossless JPEG", Jpeg(0xC3, 8, 8), kUnknown},
        {"a JPEG cut in its frame header", Jpeg(0xC0, 8, 8).substr(0, 26), kBroken},
        // BMP
        {"a BMP", Bmp(2, 2, 16), "", 2, 2},
        {"a top-down BMP", Bmp(2, -2, 16), "", 2, 2},
        {"a BMP short of its pixel data", Bmp(2, 2, 15), kBroken},
        {"a BMP beyond the cap", Bmp(2000, 1, 6000), TooLarge(2000, 1)},
        {"a BMP header alone", Bmp(2, 2, 16).substr(0, 30), kBroken},
        // Neither
        {"an empty file", "", kUnknown},
        {"text", "not a picture", kUnknown},
        {"an MP3", Hostile("mp3.wav"), kUnknown},
        {"more than a picture file may hold", "BM" + std::string(kMaxPictureFileBytes, '\0'), "ファイルが大きすぎます"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const PictureJudgement judgement = JudgePicture(c.bytes);
        EXPECT_EQ(judgement.fault, c.fault);
        EXPECT_EQ(judgement.Accepted(), c.fault.empty());
        if (c.fault.empty()) {
            EXPECT_EQ(judgement.width, c.width);
            EXPECT_EQ(judgement.height, c.height);
        }
    }
}

// Every shorter piece of a good file is refused, and none is read beyond
// its end (the sanitizer build watches that).
TEST(PictureJudgement, EveryCutOfAGoodFileIsRefused) {
    const std::string files[] = {SolidGif(33, 17), kPng, Jpeg(0xC0, 8, 8), Bmp(3, 3, 36)};
    for (const std::string& file : files) {
        ASSERT_TRUE(JudgePicture(file).Accepted());
        for (std::size_t size = 0; size < file.size(); ++size) {
            const std::string piece = file.substr(0, size);
            EXPECT_FALSE(JudgePicture(piece).Accepted()) << size << " of " << file.size() << " bytes";
        }
    }
}

}  // namespace
}  // namespace soruberia::media
