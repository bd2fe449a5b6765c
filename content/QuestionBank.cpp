// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "content/QuestionBank.h"

#include <cstddef>
#include <string>
#include <utility>

#include "content/ContentFile.h"
#include "content/ContentPaths.h"
#include "content/FatalError.h"

namespace soruberia {

namespace {

constexpr int kLastQuestion = kQuestionTableSize - 1;

// Questions are counted from 1 and the tables end at 30: a larger count
// would write past them.
void CheckQuestionCount(const std::string& fullPath, std::int16_t n) {
    if (n > kLastQuestion) {
        throw FatalError(DisplayPath(fullPath) + ": " + std::to_string(n) +
                         " questions asked for, but the question tables hold at most " +
                         std::to_string(kLastQuestion));
    }
}

}  // namespace

void ReadQuestionTexts(const std::string& basePath, std::int16_t n, QuestionTextTable& texts) {
    const std::string fullPath = FullPath(basePath, paths::kQuestionTexts);
    CheckQuestionCount(fullPath, n);
    ContentFile file = ReadContentFile(fullPath);
    FieldReader reader(std::move(file.displayPath), std::move(file.bytes));
    const int last = n;
    for (int i = 1; i <= last; ++i) {
        texts[static_cast<std::size_t>(i)] =
            reader.ReadText("text of question " + std::to_string(i));
    }
}

void ReadAnswerKey(const std::string& basePath, std::int16_t n, AnswerCountTable& counts,
                   AnswerKeyTable& key) {
    const std::string fullPath = FullPath(basePath, paths::kAnswerKey);
    CheckQuestionCount(fullPath, n);
    ContentFile file = ReadContentFile(fullPath);
    FieldReader reader(std::move(file.displayPath), std::move(file.bytes));
    const int last = n;
    for (int q = 1; q <= last; ++q) {
        const auto question = static_cast<std::size_t>(q);
        const std::string countName = "answer count of question " + std::to_string(q);
        counts[question] = reader.ReadNumber(countName);
        const int count = counts[question];
        const std::string countWhere = reader.Where(countName);
        for (int k = 1; k <= count; ++k) {
            if (k > kMaxAnswersPerQuestion) {
                throw FatalError(countWhere + ": count " + std::to_string(count) +
                                 " is above " + std::to_string(kMaxAnswersPerQuestion) +
                                 ", the number of answer slots");
            }
            key[question][static_cast<std::size_t>(k)] = reader.ReadNumber(
                "answer " + std::to_string(k) + " of question " + std::to_string(q));
        }
    }
}

}  // namespace soruberia
