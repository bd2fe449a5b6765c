// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "bankedit/QueryRecognition.h"

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <vector>

#include "bankedit/CharacterStandIns.h"
#include "content/Utf8Scan.h"

namespace soruberia::bankedit {

namespace {

// Reagents as texts name them, by what they add. Columns of the table:
// 0 Cl⁻, 1 CO₃²⁻, 2 SO₄²⁻, 3 CrO₄²⁻, 4/5 NH₃ water a little/in excess,
// 6/7 NaOH a little/in excess, 8/9 S²⁻ in basic/acidic solution.
enum class Reagent { kChloride, kCarbonate, kSulfate, kChromate, kAmmonia, kHydroxide, kSulfide, kOther };

struct Phrase {
    std::string_view text;  // as normalised: half-width letters and digits, no sub- or superscripts
    Reagent reagent;
};

constexpr std::array kPhrases{
    Phrase{"希塩酸", Reagent::kChloride}, Phrase{"塩酸", Reagent::kChloride},
    Phrase{"塩化物イオン", Reagent::kChloride}, Phrase{"塩化ナトリウム", Reagent::kChloride},
    Phrase{"NaCl", Reagent::kChloride}, Phrase{"HCl", Reagent::kChloride}, Phrase{"Cl-", Reagent::kChloride},
    Phrase{"炭酸イオン", Reagent::kCarbonate}, Phrase{"炭酸ナトリウム", Reagent::kCarbonate},
    Phrase{"炭酸アンモニウム", Reagent::kCarbonate}, Phrase{"Na2CO3", Reagent::kCarbonate},
    Phrase{"(NH4)2CO3", Reagent::kCarbonate}, Phrase{"CO32-", Reagent::kCarbonate},
    Phrase{"希硫酸", Reagent::kSulfate}, Phrase{"硫酸", Reagent::kSulfate}, Phrase{"硫酸イオン", Reagent::kSulfate},
    Phrase{"硫酸ナトリウム", Reagent::kSulfate}, Phrase{"H2SO4", Reagent::kSulfate},
    Phrase{"Na2SO4", Reagent::kSulfate}, Phrase{"SO42-", Reagent::kSulfate},
    Phrase{"クロム酸カリウム", Reagent::kChromate}, Phrase{"クロム酸イオン", Reagent::kChromate},
    Phrase{"K2CrO4", Reagent::kChromate}, Phrase{"CrO42-", Reagent::kChromate},
    Phrase{"アンモニア水", Reagent::kAmmonia}, Phrase{"アンモニア", Reagent::kAmmonia},
    Phrase{"NH3", Reagent::kAmmonia},
    Phrase{"水酸化ナトリウム", Reagent::kHydroxide}, Phrase{"NaOH", Reagent::kHydroxide},
    Phrase{"硫化水素", Reagent::kSulfide}, Phrase{"H2S", Reagent::kSulfide},
    Phrase{"硫化物イオン", Reagent::kSulfide}, Phrase{"硫化ナトリウム", Reagent::kSulfide},
    Phrase{"Na2S", Reagent::kSulfide}, Phrase{"S2-", Reagent::kSulfide},
    // Reagents the table lacks, and longer names that hold one it has.
    Phrase{"二クロム酸", Reagent::kOther}, Phrase{"ヨウ化", Reagent::kOther}, Phrase{"臭化", Reagent::kOther},
    Phrase{"フッ化", Reagent::kOther}, Phrase{"硝酸", Reagent::kOther}, Phrase{"酢酸", Reagent::kOther},
    Phrase{"リン酸", Reagent::kOther}, Phrase{"シュウ酸", Reagent::kOther}, Phrase{"シアン", Reagent::kOther},
    Phrase{"チオ硫酸", Reagent::kOther}, Phrase{"亜硫酸", Reagent::kOther}, Phrase{"炭酸水素", Reagent::kOther},
    Phrase{"水酸化カリウム", Reagent::kOther}, Phrase{"KOH", Reagent::kOther}, Phrase{"KI", Reagent::kOther},
    Phrase{"二酸化炭素", Reagent::kOther}, Phrase{"CO2", Reagent::kOther}, Phrase{"過酸化", Reagent::kOther},
};

// Words of a text that asks more than the table's one cell: a precipitate
// not forming or dissolving, a complex, the rest of a separation. Looked
// for once "水溶液" is taken out, so that 溶 stands for dissolving alone.
constexpr std::array<std::string_view, 16> kRefusals{
    "ない", "せず", "ず、", "溶", "以外", "除", "錯", "両性", "無色", "ろ液", "ろ過", "加熱", "煮沸", "炎色",
    "気体", "発生",
};

constexpr std::array<std::string_view, 8> kColours{"白", "黄", "緑白", "赤褐", "褐", "黒", "青白", "黄褐"};
// What may stand before a colour word and make it another colour (淡黄,
// 黄白): such a colour is not the table's.
constexpr std::array<std::string_view, 17> kColourModifiers{
    "淡", "深", "濃", "薄", "暗", "乳", "灰", "黄", "青", "緑", "赤", "白", "黒", "褐", "紫", "桃", "橙"};
// What follows "X色" when X is the colour of a precipitate.
constexpr std::array<std::string_view, 5> kPrecipitateNouns{"沈殿", "の沈殿", "の硫化物", "の水酸化物", "の酸化物"};
// A precipitate of any colour.
constexpr std::array<std::string_view, 6> kAnyPrecipitatePhrases{"沈殿が残", "沈殿を生じ", "沈殿ができ", "沈殿をつく",
                                                          "沈殿する", "沈殿を生成"};

// Half-width letters and digits, sub- and superscripts as plain digits and
// signs, no blanks: "ＮＨ₃ 水" → "NH3水".
std::string Normalised(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const utf8::CodePoint c = utf8::NextCodePoint(text, i);
        if (c.length == 0) {
            ++i;
            continue;
        }
        const std::string_view character = text.substr(i, c.length);
        i += c.length;
        if (c.value == U' ' || c.value == U'\t' || c.value == U'\u3000') continue;
        if (c.value >= 0xFF01 && c.value <= 0xFF5E) {
            out += static_cast<char>(c.value - 0xFEE0);
        } else if (const auto standIn = StandInFor(c.value); standIn && standIn->size() == 1) {
            out += *standIn;
        } else {
            out += character;
        }
    }
    return out;
}

bool Holds(std::string_view text, std::string_view word) { return text.find(word) != std::string_view::npos; }

// The reagents named, each phrase taken at its longest.
std::set<Reagent> ReagentsNamed(std::string_view text) {
    std::set<Reagent> named;
    for (std::size_t i = 0; i < text.size();) {
        const Phrase* longest = nullptr;
        for (const Phrase& phrase : kPhrases) {
            if (text.substr(i).starts_with(phrase.text) && (!longest || phrase.text.size() > longest->text.size())) {
                longest = &phrase;
            }
        }
        if (longest) {
            named.insert(longest->reagent);
            i += longest->text.size();
        } else {
            const utf8::CodePoint c = utf8::NextCodePoint(text, i);
            i += std::max<std::size_t>(c.length, 1);
        }
    }
    return named;
}

// The colours of "X色沈殿" and the like; "?" for a colour that is not one
// of the table's words.
std::set<std::string> PrecipitateColours(std::string_view text) {
    std::set<std::string> colours;
    constexpr std::string_view kColour = "色";
    for (std::size_t at = text.find(kColour); at != std::string_view::npos; at = text.find(kColour, at + 1)) {
        const std::string_view after = text.substr(at + kColour.size());
        if (std::none_of(kPrecipitateNouns.begin(), kPrecipitateNouns.end(),
                         [after](std::string_view noun) { return after.starts_with(noun); })) {
            continue;
        }
        const std::string_view before = text.substr(0, at);
        std::string_view colour;
        for (const std::string_view word : kColours) {
            if (before.ends_with(word) && word.size() > colour.size()) colour = word;
        }
        const std::string_view ahead = before.substr(0, before.size() - colour.size());
        const bool modified = std::any_of(kColourModifiers.begin(), kColourModifiers.end(),
                                          [ahead](std::string_view m) { return ahead.ends_with(m); });
        colours.insert(colour.empty() || modified ? std::string("?") : std::string(colour));
    }
    return colours;
}

// The column of the table for the reagent, given what the text says of its
// amount or of the solution; none when that is not plain.
std::optional<std::size_t> ColumnOf(Reagent reagent, std::string_view text) {
    const bool little = Holds(text, "少量");
    const bool excess = Holds(text, "過剰") || Holds(text, "多量");
    const bool acidic = Holds(text, "酸性");
    const bool basic = Holds(text, "塩基性") || Holds(text, "アルカリ性");
    switch (reagent) {
        case Reagent::kChloride: return 0;
        case Reagent::kCarbonate: return 1;
        case Reagent::kSulfate: return 2;
        case Reagent::kChromate: return 3;
        case Reagent::kAmmonia:
        case Reagent::kHydroxide: {
            if (little && excess) return std::nullopt;
            const std::size_t first = reagent == Reagent::kAmmonia ? 4 : 6;
            return excess ? first + 1 : first;
        }
        case Reagent::kSulfide:
            if (acidic == basic) return std::nullopt;
            return basic ? 8 : 9;
        case Reagent::kOther: break;
    }
    return std::nullopt;
}

}  // namespace

std::optional<HintQuery> RecogniseQuery(std::string_view text) {
    const std::string normalised = Normalised(text);
    std::string withoutSolution = normalised;
    for (std::size_t at; (at = withoutSolution.find("水溶液")) != std::string::npos;) {
        withoutSolution.erase(at, std::string_view("水溶液").size());
    }
    if (std::any_of(kRefusals.begin(), kRefusals.end(),
                    [&](std::string_view word) { return Holds(withoutSolution, word); })) {
        return std::nullopt;
    }
    const std::set<Reagent> reagents = ReagentsNamed(normalised);
    if (reagents.size() != 1) return std::nullopt;
    const std::optional<std::size_t> column = ColumnOf(*reagents.begin(), normalised);
    if (!column) return std::nullopt;

    const std::set<std::string> colours = PrecipitateColours(normalised);
    HintQuery query{*column, std::string(kAnyPrecipitate)};
    if (colours.size() > 1) return std::nullopt;
    if (colours.size() == 1) {
        query.result = *colours.begin();
        const std::vector<std::string> results = ResultsOf(*column);
        if (std::find(results.begin(), results.end(), query.result) == results.end()) return std::nullopt;
        return query;
    }
    if (std::none_of(kAnyPrecipitatePhrases.begin(), kAnyPrecipitatePhrases.end(),
                     [&](std::string_view phrase) { return Holds(normalised, phrase); })) {
        return std::nullopt;
    }
    return query;
}

}  // namespace soruberia::bankedit
