// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// A stretched picture's smoothing: linear between pixel centres as a side
// grows, area averages as it shrinks, each channel on its own.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "content/SmoothScale.h"

namespace soruberia::media {
namespace {

// A pixel whose four channels, lowest byte first, are v, 255 - v, v and 255.
std::uint32_t Spread(std::uint32_t v) { return 0xFF000000u | v << 16 | (255 - v) << 8 | v; }

TEST(SmoothScale, OneSideGrowsOrShrinks) {
    struct Case {
        std::string name;
        std::vector<std::uint32_t> from;
        std::vector<std::uint32_t> to;
    };
    const Case cases[] = {
        {"the same size is the same picture", {0, 90, 255}, {0, 90, 255}},
        // New centres at -0.25, 0.25, 0.75 and 1.25 old pixels.
        {"doubled: a quarter and three quarters between centres", {0, 255}, {0, 64, 191, 255}},
        {"grown from one pixel: that pixel", {200}, {200, 200, 200}},
        // New centres at -1/6, 1/2 and 7/6.
        {"grown by half", {0, 100}, {0, 50, 100}},
        {"halved: pairs averaged", {10, 20, 30, 50}, {15, 40}},
        // Each new pixel covers one and a half old ones.
        {"shrunk by a third: partly covered pixels weigh less", {0, 90, 180}, {30, 150}},
        {"shrunk to one pixel: the average", {0, 100, 200, 100}, {100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint32_t> from;
        std::vector<std::uint32_t> to;
        for (const std::uint32_t v : c.from) from.push_back(Spread(v));
        for (const std::uint32_t v : c.to) to.push_back(Spread(v));
        const int n = static_cast<int>(from.size());
        const int m = static_cast<int>(to.size());
        EXPECT_EQ(ScaleSmoothly(from.data(), n, 1, m, 1), to) << "as a row";
        EXPECT_EQ(ScaleSmoothly(from.data(), 1, n, 1, m), to) << "as a column";
    }
}

TEST(SmoothScale, BothSidesAtOnce) {
    // 2 × 2, grown across and shrunk down: each row doubled, then the two
    // rows averaged.
    const std::vector<std::uint32_t> square{Spread(0), Spread(200), Spread(100), Spread(100)};
    EXPECT_EQ(ScaleSmoothly(square.data(), 2, 2, 4, 1),
              (std::vector<std::uint32_t>{Spread(50), Spread(75), Spread(125), Spread(150)}));
}

TEST(SmoothScale, PremultipliedPixelsStayPremultiplied) {
    // Random colours no brighter than their alpha, at sizes that grow,
    // shrink and do both: a flat colour stays flat, and no colour channel
    // comes out above the alpha.
    std::mt19937 random(20);
    std::uniform_int_distribution<std::uint32_t> byte(0, 255);
    const int width = 17;
    const int height = 11;
    std::vector<std::uint32_t> picture;
    for (int i = 0; i < width * height; ++i) {
        const std::uint32_t alpha = byte(random);
        std::uint32_t pixel = alpha << 24;
        for (int c = 0; c < 3; ++c) pixel |= (byte(random) * alpha / 255) << (8 * c);
        picture.push_back(pixel);
    }
    const std::vector<std::uint32_t> flat(static_cast<std::size_t>(width * height), 0x80402010u);
    const int sizes[][2] = {{40, 30}, {5, 3}, {40, 4}, {3, 29}, {1, 1}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(std::to_string(size[0]) + " x " + std::to_string(size[1]));
        const std::vector<std::uint32_t> scaled = ScaleSmoothly(picture.data(), width, height, size[0], size[1]);
        ASSERT_EQ(scaled.size(), static_cast<std::size_t>(size[0] * size[1]));
        for (const std::uint32_t pixel : scaled) {
            const std::uint32_t alpha = pixel >> 24;
            for (int c = 0; c < 3; ++c) ASSERT_LE((pixel >> (8 * c)) & 0xFFu, alpha);
        }
        for (const std::uint32_t pixel : ScaleSmoothly(flat.data(), width, height, size[0], size[1]))
            ASSERT_EQ(pixel, 0x80402010u);
    }
}

TEST(SmoothScale, NothingFromNothing) {
    const std::uint32_t pixel = 0xFFFFFFFFu;
    EXPECT_TRUE(ScaleSmoothly(&pixel, 1, 1, 0, 5).empty());
    EXPECT_TRUE(ScaleSmoothly(&pixel, 1, 1, 5, -1).empty());
    EXPECT_TRUE(ScaleSmoothly(&pixel, 0, 1, 5, 5).empty());
    EXPECT_TRUE(ScaleSmoothly(nullptr, 1, 1, 5, 5).empty());
}

}  // namespace
}  // namespace soruberia::media
