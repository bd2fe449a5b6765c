// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QRect>

#include "layout/Units.h"

namespace soruberia::ui {

using layout::TwipsToPixels;

inline QRect ToQRect(const layout::PixelRect& box) { return {box.x, box.y, box.width, box.height}; }

inline QRect TwipsRect(const layout::TwipRect& box) { return ToQRect(layout::ToPixels(box)); }

}  // namespace soruberia::ui
