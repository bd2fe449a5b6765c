// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "layout/GameLayout.h"

#include <array>

#include "content/IonNames.h"

namespace soruberia::layout {

namespace {

constexpr Colour kTeal{0, 170, 170};

constexpr Widget Ion(int index, std::string_view name, std::string_view picture, int left, int top) {
    return {.name = name,
            .kind = Kind::PushButton,
            .box = {left, top, kIonButtonWidth, kIonButtonHeight},
            .picture = picture,
            .accessibleName = IonName(index),
            .tabIndex = index - 1};
}

constexpr Widget Button(std::string_view name, TwipRect box, std::string_view picture, bool visible,
                        std::string_view accessibleName, int tabIndex) {
    return {.name = name,
            .kind = Kind::PushButton,
            .box = box,
            .picture = picture,
            .visible = visible,
            .accessibleName = accessibleName,
            .tabIndex = tabIndex};
}

constexpr Widget Timer(std::string_view name) { return {.name = name, .kind = Kind::Timer}; }

constexpr Font kCounterFont{kMincho, 27.75, true};

// A label's text is its accessible name; the captions beside the counters
// are painted in the background, so the labels carry them as descriptions.
constexpr std::array kWidgets{
    Widget{.name = "Label2", .box = {2520, 1680, 4575, 975}, .text = kYellow, .ground = kNavy},
    Widget{.name = "Image1",
           .kind = Kind::PictureBox,
           .box = {kGaugeHomeLeft, kGaugeTop, 2685, 1260},
           .picture = "game/carriage.png",
           .accessibleName = "ミスゲージ",
           .accessibleDescription = "ミス 0 回"},
    Widget{.name = "Image2",
           .kind = Kind::PictureBox,
           .box = {8025, 4575, 1275, 1260},
           .picture = "game/burst.png",
           .visible = false,
           .accessibleName = "失敗"},
    Widget{.name = "Label1",
           .box = kQuestionLabel.box,
           .font = kQuestionLabel.font,
           .text = kYellow,
           .ground = kNavy,
           .accessibleDescription = "問題",
           .announced = true},
    Widget{.name = "Label3",
           .box = {3075, 3720, 930, 615},
           .font = kCounterFont,
           .text = kWhite,
           .ground = kBlack,
           .align = Align::Centre,
           .accessibleDescription = "正解残数"},
    Widget{.name = "Label4",
           .box = {5640, 3720, 2325, 615},
           .font = kCounterFont,
           .text = kWhite,
           .ground = kBlack,
           .align = Align::Centre,
           .accessibleDescription = "得点"},
    Widget{.name = "Image3",
           .kind = Kind::PictureBox,
           .box = {3720, 3600, 2175, 2175},
           .visible = false,
           .stretch = true},
    Widget{.name = "Image4",
           .kind = Kind::PictureBox,
           .box = {3840, 3600, 1935, 2175},
           .picture = "game/medal.png",
           .visible = false,
           .stretch = true,
           .accessibleName = "合格"},
    Widget{.name = "Image5",
           .kind = Kind::PictureBox,
           .box = {3000, 3600, 4230, 1500},
           .picture = "game/bonus.png",
           .visible = false,
           .accessibleName = "ボーナス ５００点"},
    // Push buttons lie above every label and picture box.
    Ion(1, "Command1_1", "game/ion1.png", 975, 750),
    Ion(2, "Command1_2", "game/ion2.png", 2510, 750),
    Ion(3, "Command1_3", "game/ion3.png", 4040, 750),
    Ion(4, "Command1_4", "game/ion4.png", 5565, 750),
    Ion(5, "Command1_5", "game/ion5.png", 7090, 750),
    Ion(6, "Command1_6", "game/ion6.png", 975, 1680),
    Ion(7, "Command1_7", "game/ion7.png", 7090, 1680),
    Ion(8, "Command1_8", "game/ion8.png", 975, 2610),
    Ion(9, "Command1_9", "game/ion9.png", 2510, 2610),
    Ion(10, "Command1_10", "game/ion10.png", 4040, 2610),
    Ion(11, "Command1_11", "game/ion11.png", 5565, 2610),
    Ion(12, "Command1_12", "game/ion12.png", 7090, 2610),
    Button("Command2", {7230, 165, 1395, 465}, "game/quit.png", true, "終了", 12),
    Button("Command3", {5640, 165, 1395, 465}, "game/hint.png", true, "ヒント", 13),
    Button("Command4", {7680, 5040, 1395, 465}, "game/retry.png", false, "再挑戦", 14),
    Timer("Timer1"),
    Timer("Timer2"),
    Timer("Timer3"),
    Timer("Timer4"),
    Timer("Timer5"),
    Timer("Timer6"),
};

constexpr Form kForm{
    .name = "GameForm",
    .caption = "ソルベリア",
    .clientWidth = 641,
    .clientHeight = 400,
    .colour = kTeal,
    .background = "game/background.png",
    .font = {kMincho, 9, false},
    .widgets = kWidgets,
};

}  // namespace

const Form& GameWindow() { return kForm; }

}  // namespace soruberia::layout
