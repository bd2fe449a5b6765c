// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "appcore/GameFacts.h"

#include <algorithm>
#include <cstddef>

#include "appcore/WidgetNames.h"
#include "layout/Form.h"
#include "layout/GameLayout.h"

namespace soruberia::appcore {

namespace {

constexpr int kFailureLevel = 5;

std::string Description(std::string_view widget) {
    const layout::Widget* entry = layout::Find(layout::GameWindow(), widget);
    return entry != nullptr ? std::string(entry->accessibleDescription) : std::string();
}

std::string Name(std::string_view widget) {
    const layout::Widget* entry = layout::Find(layout::GameWindow(), widget);
    return entry != nullptr ? std::string(entry->accessibleName) : std::string();
}

}  // namespace

GameFacts FactsOf(const engine::GameRecord& record, std::optional<engine::Judgement> mark) {
    GameFacts facts;
    for (int ion = 1; ion <= kIonCount; ++ion) {
        const auto i = static_cast<std::size_t>(ion);
        facts.found[i] = record.foundFlags[i].IsSet();
    }
    facts.mark = mark;
    const auto current = static_cast<std::size_t>(record.currentQuestion);
    if (current < record.questionTexts.size()) facts.question = record.questionTexts[current];
    facts.answersLeft = record.answersLeft;
    facts.score = record.score;
    facts.misses = std::clamp<int>(record.missLevel, 0, kFailureLevel);
    return facts;
}

std::vector<AccessibleText> AccessibleTexts(const GameFacts& facts) {
    std::vector<AccessibleText> texts;
    for (int ion = 1; ion <= kIonCount; ++ion) {
        std::string name(IonName(ion));
        if (facts.found[static_cast<std::size_t>(ion)]) name += " 正解済み";
        const std::string widget = IonButtonName(ion);
        texts.push_back({widget, name, Description(widget)});
    }
    const char* mark = !facts.mark                                   ? ""
                       : *facts.mark == engine::Judgement::Correct ? "正解"
                                                                   : "不正解";
    texts.push_back({"Image3", mark, Description("Image3")});
    texts.push_back({"Image1", Name("Image1"), "ミス " + std::to_string(facts.misses) + " 回"});
    return texts;
}

}  // namespace soruberia::appcore
