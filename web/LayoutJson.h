// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

#include "layout/Form.h"

namespace soruberia::web {

// The three forms' layout tables as the page builds its elements from them,
// in pixels as the desktop programs round them:
//   [{"name": "GameForm", "caption", "width", "height", "colour": "#rrggbb"|null,
//     "background": "game/background", "font": {"face", "px", "bold"},
//     "widgets": [{"name", "kind": "label"|"picture"|"button"|"timer",
//                  "left", "top", "width", "height", "picture", "visible",
//                  "stretch", "font", "text": "#rrggbb", "ground", "align",
//                  "accessibleName", "accessibleDescription", "tabIndex"}, …]}, …]
// A built-in picture is named without its extension, for the page's
// "<name>.png" and "<name>@2x.png".
std::string LayoutJson();

// One widget of a form, as LayoutJson gives it ("null" for none): the game
// window's question label for a page that draws a question as the game does.
std::string WidgetJson(const layout::Form& form, std::string_view widgetName);

}  // namespace soruberia::web
