// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace soruberia::windows {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

struct FontSpec {
    std::wstring_view family;  // empty: the widget shows no text
    double points = 0;         // as the form gives it; measured at 96 dpi
    bool bold = false;
};

enum class WidgetKind { Label, Picture, Button };
enum class TextAlign { Left, Centre };

// One widget of a form. Geometry in twips from the client area's top-left
// corner; pictures named "<window>/<name>" as built into the program.
struct WidgetSpec {
    std::string_view name;  // "Command1_7", "Label4", "Image3"
    WidgetKind kind = WidgetKind::Label;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::wstring_view accessibleName;  // window text of pictures and buttons
    bool visible = true;               // at opening
    // Labels
    FontSpec font;
    Rgb text;
    Rgb ground;
    TextAlign align = TextAlign::Left;
    // Pictures and buttons
    std::string_view picture;  // built-in picture, or empty
    bool stretch = false;      // a picture box that does not stretch takes its picture's size
};

// A window's whole layout. Widgets are listed bottom to top; the tab order
// names the buttons a keyboard user walks through.
struct FormSpec {
    std::string_view name;
    std::wstring_view title;
    int clientWidth = 0;  // pixels at 96 dpi
    int clientHeight = 0;
    Rgb ground;
    std::string_view background;  // built-in picture drawn unscaled at the top-left corner
    std::span<const WidgetSpec> widgets;
    std::span<const std::string_view> tabOrder;
};

}  // namespace soruberia::windows
