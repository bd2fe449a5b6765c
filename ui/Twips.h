// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QRect>

#include <cmath>

namespace soruberia::ui {

// Layout is given in twips, 15 to the pixel at 96 dpi.
inline constexpr double kTwipsPerPixel = 15.0;

inline int TwipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

inline QRect TwipsRect(int left, int top, int width, int height) {
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                 TwipsToPixels(height));
}

}  // namespace soruberia::ui
