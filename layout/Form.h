// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "layout/Units.h"

namespace soruberia::layout {

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend constexpr bool operator==(const Colour&, const Colour&) = default;
};

inline constexpr Colour kBlack{0, 0, 0};
inline constexpr Colour kWhite{255, 255, 255};
inline constexpr Colour kYellow{255, 255, 0};
inline constexpr Colour kNavy{0, 0, 64};

// A font by the name of its Japanese face ("ＭＳ 明朝"…); an empty family
// means the form's own font.
struct Font {
    std::string_view family;
    double points = 0;
    bool bold = false;
};

// Labels and picture boxes are painted by the window itself, in stacking
// order; push buttons are child windows and lie above all of them.
enum class Kind {
    Label,       // opaque box with a text that wraps at its width and is cut below
    PictureBox,  // transparent where its picture is; sized to it unless stretching
    PushButton,  // a picture centred on its face, cut at its edges
    Timer,       // no box; armed and stopped by the program
};

enum class Align { Left, Centre };

struct Widget {
    std::string_view name;  // as the program addresses it: "Command1_7", "Label4", "Timer2"
    Kind kind = Kind::Label;
    TwipRect box{};
    std::string_view picture{};  // built-in picture, "game/ion1.png"; "" for none
    bool visible = true;         // at opening
    bool stretch = false;        // picture boxes: the picture fills the box
    Font font{};                 // labels
    Colour text = kBlack;        // labels
    Colour ground = kBlack;      // labels
    Align align = Align::Left;   // labels; the text always starts at the top
    std::string_view accessibleName{};
    std::string_view accessibleDescription{};
    // Labels: assistive technology reads the new text out when it changes.
    bool announced = false;
    int tabIndex = -1;  // place in the keyboard focus order; -1 takes no focus
    int intervalMs = 0;  // timers: the period once armed
};

// A window and its widgets. The widgets are listed in stacking order, bottom
// to top, which is also the order to create them in; timers come last.
struct Form {
    std::string_view name;     // "GameForm", "メニュー", "ヒント"
    std::string_view caption;  // title bar
    int clientWidth = 0;       // px
    int clientHeight = 0;      // px
    std::optional<Colour> colour;  // the ground beside the background picture, if any shows
    std::string_view background;   // built-in picture drawn unscaled at the top left
    Font font{};                   // for widgets without their own
    std::span<const Widget> widgets;
};

// The widget of that name, or nullptr.
constexpr const Widget* Find(const Form& form, std::string_view name) {
    for (const Widget& widget : form.widgets)
        if (widget.name == name) return &widget;
    return nullptr;
}

}  // namespace soruberia::layout
