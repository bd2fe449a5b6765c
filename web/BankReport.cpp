// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "web/BankReport.h"

#include <string_view>
#include <vector>

#include "content/FatalError.h"
#include "content/QuestionBank.h"
#include "web/Json.h"

namespace soruberia::web {

namespace {

std::string Quoted(std::string_view text) { return JsonString(text); }

std::string Texts(const std::vector<std::string>& texts) {
    std::string out = "{\"texts\": [";
    for (std::size_t i = 0; i < texts.size(); ++i) out += (i ? ", " : "") + Quoted(texts[i]);
    return out + "]}";
}

std::string Key(const std::vector<QuestionAnswers>& key) {
    std::string out = "{\"key\": [";
    for (std::size_t q = 0; q < key.size(); ++q) {
        out += (q ? ", " : "") + std::string("{\"count\": ") + std::to_string(key[q].count) + ", \"ions\": [";
        for (std::size_t k = 0; k < key[q].ions.size(); ++k) {
            out += (k ? ", " : "") + std::to_string(key[q].ions[k]);
        }
        out += "]}";
    }
    return out + "]}";
}

// One file's reading, or the message it fails with.
template <typename Reading>
std::string Read(Reading reading) {
    try {
        return reading();
    } catch (const FatalError& error) {
        return "{\"error\": " + Quoted(error.what()) + "}";
    }
}

}  // namespace

std::string BankReport(engine::QuestionBankSource& bank, appcore::ExplanationSource& explanation) {
    const std::string line = Read([&] { return "{\"line\": " + Quoted(explanation.Line()) + "}"; });
    const std::string texts =
        Read([&] { return Texts(ParseQuestionTexts(bank.QuestionTexts(), kQuestionsInPlay)); });
    const std::string key = Read([&] { return Key(ParseAnswerKey(bank.AnswerKey(), kQuestionsInPlay)); });
    return "{\"explanation\": " + line + ", \"questions\": " + texts + ", \"answers\": " + key + "}";
}

}  // namespace soruberia::web
