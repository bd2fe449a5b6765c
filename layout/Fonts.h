// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <string_view>

namespace soruberia::layout {

// The faces the forms ask for, by the names every Japanese Windows has.
inline constexpr std::string_view kMincho = "ＭＳ 明朝";
inline constexpr std::string_view kPMincho = "ＭＳ Ｐ明朝";
inline constexpr std::string_view kPGothic = "ＭＳ Ｐゴシック";

// Where those faces are missing, the free IPA fonts stand in for them; each
// is known by an English and a Japanese family name.
struct StandIn {
    std::string_view face;
    std::string_view family;
    std::string_view japaneseFamily;
};

inline constexpr std::array<StandIn, 3> kStandIns{{
    {kMincho, "IPAMincho", "IPA明朝"},
    {kPMincho, "IPAPMincho", "IPA P明朝"},
    {kPGothic, "IPAPGothic", "IPA Pゴシック"},
}};

// The stand-in of a face, or "" for a face that has none.
constexpr std::string_view StandInFamily(std::string_view face) {
    for (const StandIn& standIn : kStandIns)
        if (standIn.face == face) return standIn.family;
    return {};
}

}  // namespace soruberia::layout
