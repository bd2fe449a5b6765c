// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/ui/Forms.h"

#include <array>
#include <string_view>

namespace soruberia::windows {

namespace {

constexpr std::wstring_view kMincho = L"ＭＳ 明朝";
constexpr std::wstring_view kPMincho = L"ＭＳ Ｐ明朝";

constexpr Rgb kNavy{0, 0, 64};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

constexpr WidgetSpec Label(std::string_view name, int left, int top, int width, int height,
                           FontSpec font, Rgb text, Rgb ground, TextAlign align, bool visible) {
    WidgetSpec spec;
    spec.name = name;
    spec.kind = WidgetKind::Label;
    spec.left = left;
    spec.top = top;
    spec.width = width;
    spec.height = height;
    spec.font = font;
    spec.text = text;
    spec.ground = ground;
    spec.align = align;
    spec.visible = visible;
    return spec;
}

constexpr WidgetSpec Picture(std::string_view name, int left, int top, int width, int height,
                             std::string_view picture, bool stretch, std::wstring_view accessibleName,
                             bool visible) {
    WidgetSpec spec;
    spec.name = name;
    spec.kind = WidgetKind::Picture;
    spec.left = left;
    spec.top = top;
    spec.width = width;
    spec.height = height;
    spec.picture = picture;
    spec.stretch = stretch;
    spec.accessibleName = accessibleName;
    spec.visible = visible;
    return spec;
}

constexpr WidgetSpec Button(std::string_view name, int left, int top, int width, int height,
                            std::string_view picture, std::wstring_view accessibleName,
                            bool visible) {
    WidgetSpec spec = Picture(name, left, top, width, height, picture, false, accessibleName, visible);
    spec.kind = WidgetKind::Button;
    return spec;
}

// ソルベリア: labels and picture boxes bottom to top, then the buttons.
constexpr int kIonWidth = 1530;
constexpr int kIonHeight = 920;

constexpr std::array kGameWidgets{
    Label("Label2", 2520, 1680, 4575, 975, FontSpec{kMincho, 9, false}, kYellow, kNavy,
          TextAlign::Left, true),
    Picture("Image1", 315, 4575, 2685, 1260, "game/carriage", false, L"ミスゲージ", true),
    Picture("Image2", 8025, 4575, 1275, 1260, "game/burst", false, L"失敗", false),
    Label("Label1", 2595, 1770, 4425, 735, FontSpec{kPMincho, 15, true}, kYellow, kNavy,
          TextAlign::Left, true),
    Label("Label3", 3075, 3720, 930, 615, FontSpec{kMincho, 27.75, true}, kWhite, kBlack,
          TextAlign::Centre, true),
    Label("Label4", 5640, 3720, 2325, 615, FontSpec{kMincho, 27.75, true}, kWhite, kBlack,
          TextAlign::Centre, true),
    Picture("Image3", 3720, 3600, 2175, 2175, "", true, L"", false),
    Picture("Image4", 3840, 3600, 1935, 2175, "game/medal", true, L"合格", false),
    Picture("Image5", 3000, 3600, 4230, 1500, "game/bonus", false, L"ボーナス ５００点", false),
    Button("Command1_1", 975, 750, kIonWidth, kIonHeight, "game/ion1", L"Ag⁺", true),
    Button("Command1_2", 2510, 750, kIonWidth, kIonHeight, "game/ion2", L"Al³⁺", true),
    Button("Command1_3", 4040, 750, kIonWidth, kIonHeight, "game/ion3", L"Ba²⁺", true),
    Button("Command1_4", 5565, 750, kIonWidth, kIonHeight, "game/ion4", L"Ca²⁺", true),
    Button("Command1_5", 7090, 750, kIonWidth, kIonHeight, "game/ion5", L"Cu²⁺", true),
    Button("Command1_6", 975, 1680, kIonWidth, kIonHeight, "game/ion6", L"Fe²⁺", true),
    Button("Command1_7", 7090, 1680, kIonWidth, kIonHeight, "game/ion7", L"Fe³⁺", true),
    Button("Command1_8", 975, 2610, kIonWidth, kIonHeight, "game/ion8", L"Hg²⁺", true),
    Button("Command1_9", 2510, 2610, kIonWidth, kIonHeight, "game/ion9", L"Mg²⁺", true),
    Button("Command1_10", 4040, 2610, kIonWidth, kIonHeight, "game/ion10", L"Pb²⁺", true),
    Button("Command1_11", 5565, 2610, kIonWidth, kIonHeight, "game/ion11", L"Sn²⁺", true),
    Button("Command1_12", 7090, 2610, kIonWidth, kIonHeight, "game/ion12", L"Zn²⁺", true),
    Button("Command2", 7230, 165, 1395, 465, "game/quit", L"終了", true),
    Button("Command3", 5640, 165, 1395, 465, "game/hint", L"ヒント", true),
    Button("Command4", 7680, 5040, 1395, 465, "game/retry", L"再挑戦", false),
};

constexpr std::array<std::string_view, 15> kGameTabOrder{
    "Command1_1", "Command1_2", "Command1_3",  "Command1_4",  "Command1_5",
    "Command1_6", "Command1_7", "Command1_8",  "Command1_9",  "Command1_10",
    "Command1_11", "Command1_12", "Command2", "Command3", "Command4",
};

// メニュー: the title tiles, the explanation panel and its text, the buttons.
constexpr int kTileWidth = 1800;
constexpr int kTileHeight = 1725;

constexpr std::array kMenuWidgets{
    Picture("Image1_0", 2235, 465, kTileWidth, kTileHeight, "menu/tile0", false, L"ソ", false),
    Picture("Image1_1", 5355, 465, kTileWidth, kTileHeight, "menu/tile1", false, L"ル", false),
    Picture("Image1_2", 1395, 2505, kTileWidth, kTileHeight, "menu/tile2", false, L"ベ", false),
    Picture("Image1_3", 3795, 2505, kTileWidth, kTileHeight, "menu/tile3", false, L"リ", false),
    Picture("Image1_4", 6195, 2505, kTileWidth, kTileHeight, "menu/tile4", false, L"ア", false),
    Label("Label1", 720, 510, 8220, 5025, FontSpec{}, kWhite, kNavy, TextAlign::Left, false),
    Label("Label2", 840, 645, 7995, 4155, FontSpec{kMincho, 14.25, true}, kWhite, kNavy,
          TextAlign::Left, false),
    Button("Command1", 1695, 4920, 1395, 465, "menu/quit", L"終了", false),
    Button("Command2", 4005, 4920, 1395, 465, "menu/explain", L"説明", false),
    Button("Command3", 6465, 4920, 1395, 465, "menu/start", L"開始", false),
    Button("Command4", 4005, 4920, 1395, 465, "menu/back", L"戻る", false),
};

constexpr std::array<std::string_view, 4> kMenuTabOrder{"Command1", "Command2", "Command3",
                                                         "Command4"};

// ヒント: the table is its background; one button.
constexpr std::array kHintWidgets{
    Button("Command1", 9240, 140, 1395, 465, "menu/back", L"戻る", true),
};

constexpr std::array<std::string_view, 1> kHintTabOrder{"Command1"};

}  // namespace

const FormSpec& MenuFormSpec() {
    static const FormSpec spec{"メニュー", L"メニュー", 641, 400, Rgb{0, 0, 0},
                               "menu/background", kMenuWidgets, kMenuTabOrder};
    return spec;
}

const FormSpec& GameFormSpec() {
    // Where the window colour shows beside the 640 px picture.
    static const FormSpec spec{"GameForm", L"ソルベリア", 641, 400, Rgb{0, 170, 170},
                               "game/background", kGameWidgets, kGameTabOrder};
    return spec;
}

const FormSpec& HintFormSpec() {
    // The table's own ground, so the rows below the picture match it.
    static const FormSpec spec{"ヒント", L"ヒント", 765, 448, Rgb{255, 255, 153}, "hint/table",
                               kHintWidgets, kHintTabOrder};
    return spec;
}

}  // namespace soruberia::windows
