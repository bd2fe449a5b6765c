// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Arbitrary bytes in the content files: every reader either succeeds or
// throws a ContentError whose first line names the file; nothing else may
// happen.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "content/ExplanationFile.h"
#include "content/ContentFailure.h"
#include "content/QuestionBank.h"

namespace soruberia {
namespace {

// Bytes that matter to the grammar, with ordinary ones and Shift-JIS lead,
// trail and invalid bytes mixed in.
constexpr char kAlphabet[] = {',', '"', '\r', '\n', ' ', '\t', '-', '+', '0', '1', '3',
                              '9', 'a', '\x82', '\xA0', '\x80', '\xFF', '\x5C', '\x40'};

template <typename Action>
void ExpectSuccessOrFatal(const Action& action, const std::string& bytes) {
    try {
        action();
    } catch (const ContentError& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.rfind(error.Failure().file + ":", 0), 0u) << message;
        EXPECT_EQ(message.find('\r'), std::string::npos) << message;
    } catch (const std::exception& error) {
        ADD_FAILURE() << "unexpected exception " << error.what() << " for "
                      << testing::PrintToString(bytes);
    }
}

TEST(MalformedInput, RandomBytesNeverEscapeAsAnythingButFatalError) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::size_t> length(0, 80);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 1);
    std::uniform_int_distribution<int> count(-2, 30);
    QuestionTextTable texts;
    AnswerCountTable counts{};
    AnswerKeyTable key{};
    int succeeded = 0;
    for (int round = 0; round < 1500; ++round) {
        std::string bytes(length(random), ' ');
        for (char& c : bytes) {
            c = kAlphabet[pick(random)];
        }
        const auto n = static_cast<std::int16_t>(count(random));
        const ContentFile file{"x.txt", bytes};
        ExpectSuccessOrFatal([&] { StoreQuestionTexts(ParseQuestionTexts(file, n), texts); }, bytes);
        ExpectSuccessOrFatal([&] { StoreAnswerKey(ParseAnswerKey(file, n), counts, key); }, bytes);
        ExpectSuccessOrFatal(
            [&] {
                (void)ParseExplanationLine(file);
                ++succeeded;
            },
            bytes);
    }
    // The inputs reach past the failures into successful reads too.
    EXPECT_GT(succeeded, 0);
}

}  // namespace
}  // namespace soruberia
