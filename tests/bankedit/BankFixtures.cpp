// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/bankedit/BankFixtures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "content/ExplanationFile.h"
#include "content/QuestionBank.h"

namespace soruberia::bankedit::test {

namespace {

std::string Bytes(const std::string& name) {
    const std::filesystem::path path = std::filesystem::path(DEFAULT_CONTENT) / std::filesystem::path(u8"問題") / name;
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

BankFiles DefaultBankFiles() { return {Bytes("mondai.txt"), Bytes("kotae.txt"), Bytes("setumei.txt")}; }

std::string CrLfLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += line + "\r\n";
    return out;
}

void ExpectGameReads(const WrittenBank& written, const BankDraft& draft) {
    const std::vector<std::string> texts = ParseQuestionTexts({"mondai.txt", written.texts}, kQuestionsInPlay);
    const std::vector<QuestionAnswers> key = ParseAnswerKey({"kotae.txt", written.key}, kQuestionsInPlay);
    for (std::size_t i = 0; i < draft.questions.size(); ++i) {
        EXPECT_EQ(texts[i], draft.questions[i].text) << "question " << i + 1;
        IonSet ions;
        for (const std::int16_t button : key[i].ions) {
            EXPECT_FALSE(ions.Has(button)) << "question " << i + 1 << " repeats " << button;
            ions.Add(button);
        }
        EXPECT_EQ(key[i].count, ions.Count()) << "question " << i + 1;
        EXPECT_EQ(ions, draft.questions[i].ions) << "question " << i + 1;
    }
    EXPECT_EQ(ParseExplanationLine({"setumei.txt", written.explanation}), draft.explanation);
}

}  // namespace soruberia::bankedit::test
