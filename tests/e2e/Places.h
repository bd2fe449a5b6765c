// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

// Where things are in a window's client area, in pixels, from the layout
// tables both programs build their windows from.

#include <QPoint>
#include <QRect>

#include <string_view>

#include "layout/Form.h"

namespace soruberia::e2e {

// The widget's box as the windows place it at 100 % (each edge rounded
// from twips on its own), times `scale`.
QRect BoxOf(const layout::Form& form, std::string_view widget, double scale = 1.0);
QPoint CentreOf(const layout::Form& form, std::string_view widget, double scale = 1.0);
QPoint Centre(const QRect& box);

// The forms by their windows.
const layout::Form& MenuForm();
const layout::Form& GameForm();
const layout::Form& HintForm();

// The game window's miss gauge: the carriage's top-left corner at `level`.
QPoint GaugePlace(int level);
// The ion button `ion` (1 to 12), "Command1_<ion>".
QRect IonBox(int ion);

}  // namespace soruberia::e2e
