// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <vector>

// A picture stretched to its box, smoothed as the Qt program smooths it, for
// a front-end whose drawing library stretches by repeating pixels.
namespace soruberia::media {

// `source`, `sourceWidth` × `sourceHeight` pixels row by row from the top,
// stretched to `width` × `height`. Each pixel is four 8-bit channels in any
// order, scaled each on its own; with the colour premultiplied by the
// alpha, transparent pixels leave no dark fringe. Along a side that grows,
// a new pixel interpolates linearly between the centres of the two old
// pixels nearest its centre (the edge pixels reach to the edge); along a
// side that shrinks, it is the average of the old pixels' area it covers.
// Empty when a size is not positive.
std::vector<std::uint32_t> ScaleSmoothly(const std::uint32_t* source, int sourceWidth, int sourceHeight,
                                         int width, int height);

}  // namespace soruberia::media
