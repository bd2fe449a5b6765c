// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/e2e/Places.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "layout/GameLayout.h"
#include "layout/HintLayout.h"
#include "layout/MenuLayout.h"

namespace soruberia::e2e {

QRect BoxOf(const layout::Form& form, std::string_view widget, double scale) {
    const layout::Widget* entry = layout::Find(form, widget);
    if (entry == nullptr)
        throw std::invalid_argument(std::string(form.name) + " has no " + std::string(widget));
    const layout::PixelRect box = layout::ToPixels(entry->box);
    const auto scaled = [scale](int pixels) { return static_cast<int>(std::lround(pixels * scale)); };
    return {scaled(box.x), scaled(box.y), scaled(box.width), scaled(box.height)};
}

QPoint Centre(const QRect& box) { return box.topLeft() + QPoint(box.width() / 2, box.height() / 2); }

QPoint CentreOf(const layout::Form& form, std::string_view widget, double scale) {
    return Centre(BoxOf(form, widget, scale));
}

const layout::Form& MenuForm() { return layout::MenuWindow(); }
const layout::Form& GameForm() { return layout::GameWindow(); }
const layout::Form& HintForm() { return layout::HintWindow(); }

QPoint GaugePlace(int level) {
    return {layout::TwipsToPixels(layout::kGaugeHomeLeft + level * layout::kGaugeStep),
            layout::TwipsToPixels(layout::kGaugeTop)};
}

QRect IonBox(int ion) { return BoxOf(GameForm(), "Command1_" + std::to_string(ion)); }

}  // namespace soruberia::e2e
