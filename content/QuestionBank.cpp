// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "content/QuestionBank.h"

#include <cstddef>
#include <string>
#include <utility>

#include "content/ContentPaths.h"
#include "content/FieldTokenizer.h"

namespace soruberia {

namespace {

constexpr int kLastQuestion = kQuestionTableSize - 1;

// Questions are counted from 1 and the tables end at 30: a larger count
// would write past them.
void CheckQuestionCount(const std::string& displayPath, int n) {
    if (n > kLastQuestion) {
        ContentFailure failure;
        failure.fault = ContentFault::kTooManyQuestions;
        failure.file = displayPath;
        failure.value = n;
        throw ContentError(std::move(failure));
    }
}

void Require(const Field& field, const std::string& file, FieldRole role, int question,
             int answer = 0) {
    if (field.problem) throw ContentError(FailureOf(field, file, role, question, answer));
}

}  // namespace

std::vector<std::string> ParseQuestionTexts(const ContentFile& file, int n) {
    CheckQuestionCount(file.displayPath, n);
    FieldTokenizer fields(file.bytes);
    std::vector<std::string> texts;
    for (int i = 1; i <= n; ++i) {
        Field field = fields.NextText();
        Require(field, file.displayPath, FieldRole::kQuestionText, i);
        texts.push_back(std::move(field.text));
    }
    return texts;
}

std::vector<QuestionAnswers> ParseAnswerKey(const ContentFile& file, int n) {
    CheckQuestionCount(file.displayPath, n);
    FieldTokenizer fields(file.bytes);
    std::vector<QuestionAnswers> key;
    for (int q = 1; q <= n; ++q) {
        const Field countField = fields.NextNumber();
        Require(countField, file.displayPath, FieldRole::kAnswerCount, q);
        QuestionAnswers answers;
        answers.count = countField.number16;
        const int count = answers.count;
        for (int k = 1; k <= count; ++k) {
            if (k > kMaxAnswersPerQuestion) {
                ContentFailure failure = FailureOf(countField, file.displayPath, FieldRole::kAnswerCount, q);
                failure.fault = ContentFault::kCountAboveSlots;
                failure.line = countField.line;
                failure.value = count;
                throw ContentError(std::move(failure));
            }
            const Field answer = fields.NextNumber();
            Require(answer, file.displayPath, FieldRole::kAnswer, q, k);
            answers.ions.push_back(answer.number16);
        }
        key.push_back(std::move(answers));
    }
    return key;
}

void StoreQuestionTexts(const std::vector<std::string>& parsed, QuestionTextTable& texts) {
    for (std::size_t i = 0; i < parsed.size() && i + 1 < texts.size(); ++i) texts[i + 1] = parsed[i];
}

void StoreAnswerKey(const std::vector<QuestionAnswers>& parsed, AnswerCountTable& counts,
                    AnswerKeyTable& key) {
    for (std::size_t q = 0; q < parsed.size() && q + 1 < counts.size(); ++q) {
        counts[q + 1] = parsed[q].count;
        const std::vector<std::int16_t>& ions = parsed[q].ions;
        for (std::size_t k = 0; k < ions.size() && k + 1 < key[q + 1].size(); ++k) key[q + 1][k + 1] = ions[k];
    }
}

void ReadQuestionTexts(const std::string& basePath, std::int16_t n, QuestionTextTable& texts) {
    const std::string fullPath = FullPath(basePath, paths::kQuestionTexts);
    CheckQuestionCount(DisplayPath(fullPath), n);
    StoreQuestionTexts(ParseQuestionTexts(ReadContentFile(fullPath), n), texts);
}

void ReadAnswerKey(const std::string& basePath, std::int16_t n, AnswerCountTable& counts,
                   AnswerKeyTable& key) {
    const std::string fullPath = FullPath(basePath, paths::kAnswerKey);
    CheckQuestionCount(DisplayPath(fullPath), n);
    StoreAnswerKey(ParseAnswerKey(ReadContentFile(fullPath), n), counts, key);
}

}  // namespace soruberia
