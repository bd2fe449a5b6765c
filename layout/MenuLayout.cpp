// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "layout/MenuLayout.h"

#include <array>

#include "layout/Fonts.h"

namespace soruberia::layout {

namespace {

// Each tile carries one character of the title, which is its accessible name.
constexpr Widget Tile(std::string_view name, std::string_view picture, int left, int top,
                      std::string_view character) {
    return {.name = name,
            .kind = Kind::PictureBox,
            .box = {left, top, 1800, 1725},
            .picture = picture,
            .visible = false,
            .accessibleName = character};
}

// All buttons stand hidden until the title is built up.
constexpr Widget Button(std::string_view name, int left, std::string_view picture,
                        std::string_view accessibleName, int tabIndex) {
    return {.name = name,
            .kind = Kind::PushButton,
            .box = {left, 4920, 1395, 465},
            .picture = picture,
            .visible = false,
            .accessibleName = accessibleName,
            .tabIndex = tabIndex};
}

constexpr std::array kWidgets{
    Tile("Image1_0", "menu/tile0.png", 2235, 465, "ソ"),
    Tile("Image1_1", "menu/tile1.png", 5355, 465, "ル"),
    Tile("Image1_2", "menu/tile2.png", 1395, 2505, "ベ"),
    Tile("Image1_3", "menu/tile3.png", 3795, 2505, "リ"),
    Tile("Image1_4", "menu/tile4.png", 6195, 2505, "ア"),
    Widget{.name = "Label1", .box = {720, 510, 8220, 5025}, .visible = false, .text = kWhite, .ground = kNavy},
    Widget{.name = "Label2",
           .box = {840, 645, 7995, 4155},
           .visible = false,
           .font = {kMincho, 14.25, true},
           .text = kWhite,
           .ground = kNavy,
           .accessibleDescription = "説明"},
    Button("Command1", 1695, "menu/quit.png", "終了", 0),
    Button("Command2", 4005, "menu/explain.png", "説明", 1),
    Button("Command3", 6465, "menu/start.png", "開始", 2),
    Button("Command4", 4005, "menu/back.png", "戻る", 3),  // in the place of Command2
    Widget{.name = "Timer1", .kind = Kind::Timer, .intervalMs = 500},
};

// The background picture is larger than the window and covers all of it.
constexpr Form kForm{
    .name = "メニュー",
    .caption = "メニュー",
    .clientWidth = 641,
    .clientHeight = 400,
    .colour = std::nullopt,
    .background = "menu/background.png",
    .font = {},
    .widgets = kWidgets,
};

}  // namespace

const Form& MenuWindow() { return kForm; }

}  // namespace soruberia::layout
