// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "layout/PrecipitateTable.h"

#include <stdexcept>

namespace soruberia::layout {

namespace {

constexpr std::array<std::string_view, kReagentCount> kReagents{
    "Cl^{-}",         "CO_{3}^{2-}",     "SO_{4}^{2-}",      "CrO_{4}^{2-}",     "少量のNH_{3}水",
    "過剰のNH_{3}水", "少量のNaOH液", "過剰のNaOH液", "塩基性でS^{2-}", "酸性でS^{2-}",
};

constexpr std::array kRows{
    PrecipitateRow{4, "Ca^{2+}", {"", "白", "白", "", "", "", "", "", "", ""}},
    PrecipitateRow{3, "Ba^{2+}", {"", "白", "白", "黄", "", "", "", "", "", ""}},
    PrecipitateRow{9, "Mg^{2+}", {"", "白", "", "", "白", "白", "白", "白", "", ""}},
    PrecipitateRow{2, "Al^{3+}", {"", "", "", "", "白", "白", "白", "", "", ""}},
    PrecipitateRow{12, "Zn^{2+}", {"", "", "", "", "白", "", "白", "", "白", ""}},
    PrecipitateRow{6, "Fe^{2+}", {"", "", "", "", "緑白", "緑白", "緑白", "緑白", "黒", ""}},
    PrecipitateRow{7, "Fe^{3+}", {"", "", "", "", "赤褐", "赤褐", "赤褐", "赤褐", "", ""}},
    PrecipitateRow{11, "Sn^{2+}", {"", "", "", "", "白", "白", "白", "", "褐", "褐"}},
    PrecipitateRow{10, "Pb^{2+}", {"白", "", "白", "黄", "白", "白", "白", "", "黒", "黒"}},
    PrecipitateRow{5, "Cu^{2+}", {"", "", "", "", "青白", "", "青白", "青白", "黒", "黒"}},
    PrecipitateRow{8, "Hg^{2+}", {"", "", "", "", "白", "白", "黄褐", "黄褐", "黒", "黒"}},
    PrecipitateRow{1, "Ag^{+}", {"白", "褐", "", "赤褐", "褐", "", "褐", "褐", "黒", "黒"}},
};

std::string_view Subscript(char c) {
    static constexpr std::array<std::string_view, 10> kDigits{"₀", "₁", "₂", "₃", "₄",
                                                              "₅", "₆", "₇", "₈", "₉"};
    if (c >= '0' && c <= '9') return kDigits[static_cast<std::size_t>(c - '0')];
    throw std::invalid_argument(std::string("no subscript for ") + c);
}

std::string_view Superscript(char c) {
    static constexpr std::array<std::string_view, 10> kDigits{"⁰", "¹", "²", "³", "⁴",
                                                              "⁵", "⁶", "⁷", "⁸", "⁹"};
    if (c >= '0' && c <= '9') return kDigits[static_cast<std::size_t>(c - '0')];
    if (c == '+') return "⁺";
    if (c == '-') return "⁻";
    throw std::invalid_argument(std::string("no superscript for ") + c);
}

}  // namespace

std::string_view PrecipitateTitle() { return "沈殿ができる組み合わせ（重要度の低い沈殿は除外）"; }

std::span<const std::string_view, kReagentCount> Reagents() { return kReagents; }

std::span<const PrecipitateRow> PrecipitateRows() { return kRows; }

std::string PlainLabel(std::string_view marked) {
    std::string plain;
    for (std::size_t i = 0; i < marked.size(); ++i) {
        const bool sub = marked.compare(i, 2, "_{") == 0;
        const bool super = marked.compare(i, 2, "^{") == 0;
        if (!sub && !super) {
            plain += marked[i];
            continue;
        }
        const std::size_t close = marked.find('}', i + 2);
        if (close == std::string_view::npos) throw std::invalid_argument("unclosed brace in a label");
        for (std::size_t j = i + 2; j < close; ++j) plain += sub ? Subscript(marked[j]) : Superscript(marked[j]);
        i = close;
    }
    return plain;
}

}  // namespace soruberia::layout
