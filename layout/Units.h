// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

namespace soruberia::layout {

// Layout is given in twips, 15 to the pixel at 96 dpi; fonts in points,
// 72 to the inch.
inline constexpr double kTwipsPerPixel = 15.0;
inline constexpr double kPixelsPerPoint = 96.0 / 72.0;

// Half away from zero, as std::lround, but usable in constant expressions.
constexpr int RoundToInt(double value) {
    return static_cast<int>(value < 0 ? value - 0.5 : value + 0.5);
}

constexpr int TwipsToPixels(double twips) { return RoundToInt(twips / kTwipsPerPixel); }

// The pixel height of a font of this point size at 96 dpi.
constexpr int PointsToPixels(double points) { return RoundToInt(points * kPixelsPerPoint); }

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(const TwipRect&, const TwipRect&) = default;
};

// Each edge is rounded on its own, as the windows place their widgets.
constexpr PixelRect ToPixels(const TwipRect& box) {
    return {TwipsToPixels(box.left), TwipsToPixels(box.top), TwipsToPixels(box.width),
            TwipsToPixels(box.height)};
}

}  // namespace soruberia::layout
