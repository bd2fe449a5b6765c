// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "content/SmoothScale.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace soruberia::media {

namespace {

// One old pixel's share in a new one.
struct Tap {
    int from = 0;
    double weight = 0;
};

// For each new pixel along a side of `to` pixels, the old pixels of the
// side of `from` pixels it is made of.
std::vector<std::vector<Tap>> TapsAlong(int from, int to) {
    std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(to));
    const double step = static_cast<double>(from) / to;
    for (int i = 0; i < to; ++i) {
        std::vector<Tap>& mine = taps[static_cast<std::size_t>(i)];
        if (to == from) {
            mine.push_back({i, 1.0});
        } else if (to > from) {
            const double centre = (i + 0.5) * step - 0.5;
            if (centre <= 0) {
                mine.push_back({0, 1.0});
            } else if (centre >= from - 1) {
                mine.push_back({from - 1, 1.0});
            } else {
                const int left = static_cast<int>(centre);
                const double right = centre - left;
                mine.push_back({left, 1.0 - right});
                mine.push_back({left + 1, right});
            }
        } else {
            const double begin = i * step;
            const double end = (i + 1) * step;
            const int last = std::min(from, static_cast<int>(std::ceil(end)));
            for (int j = static_cast<int>(begin); j < last; ++j) {
                const double covered = std::min(end, j + 1.0) - std::max(begin, static_cast<double>(j));
                if (covered > 0) mine.push_back({j, covered / step});
            }
        }
    }
    return taps;
}

std::uint32_t Channel(double value) {
    return static_cast<std::uint32_t>(std::clamp(std::lround(value), 0L, 255L));
}

}  // namespace

std::vector<std::uint32_t> ScaleSmoothly(const std::uint32_t* source, int sourceWidth, int sourceHeight,
                                         int width, int height) {
    if (source == nullptr || sourceWidth <= 0 || sourceHeight <= 0 || width <= 0 || height <= 0) return {};
    const std::vector<std::vector<Tap>> across = TapsAlong(sourceWidth, width);
    const std::vector<std::vector<Tap>> down = TapsAlong(sourceHeight, height);
    const auto W = static_cast<std::size_t>(width);

    // Each old row stretched across, four channels a pixel, then the
    // columns of those rows stretched down.
    std::vector<double> rows(static_cast<std::size_t>(sourceHeight) * W * 4);
    for (int y = 0; y < sourceHeight; ++y) {
        const std::uint32_t* row = source + static_cast<std::size_t>(y) * static_cast<std::size_t>(sourceWidth);
        double* out = rows.data() + static_cast<std::size_t>(y) * W * 4;
        for (std::size_t x = 0; x < W; ++x, out += 4) {
            for (const Tap& tap : across[x]) {
                const std::uint32_t pixel = row[tap.from];
                for (int c = 0; c < 4; ++c) out[c] += tap.weight * static_cast<double>((pixel >> (8 * c)) & 0xFFu);
            }
        }
    }
    std::vector<std::uint32_t> scaled(W * static_cast<std::size_t>(height));
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        for (std::size_t x = 0; x < W; ++x) {
            double sum[4] = {};
            for (const Tap& tap : down[y]) {
                const double* in = rows.data() + (static_cast<std::size_t>(tap.from) * W + x) * 4;
                for (int c = 0; c < 4; ++c) sum[c] += tap.weight * in[c];
            }
            std::uint32_t pixel = 0;
            for (int c = 0; c < 4; ++c) pixel |= Channel(sum[c]) << (8 * c);
            scaled[y * W + x] = pixel;
        }
    }
    return scaled;
}

}  // namespace soruberia::media
