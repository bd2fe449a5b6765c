// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The mistakes a teacher makes in a first question bank, each with the
// severity it deserves, the line it is on and a hint that names the fault.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "content/BankInspection.h"
#include "content/ContentFailure.h"
#include "content/ExplanationFile.h"
#include "content/QuestionBank.h"
#include "tests/support/TestFolder.h"

namespace soruberia {
namespace {

using test::Sjis;

constexpr int kQuestions = 26;

enum class File { kTexts, kKey, kExplanation };

// 26 usual lines, some replaced; UTF-8 text is stored as Shift-JIS unless
// the case is about a file saved as UTF-8.
std::string Lines(const std::string& usual, const std::map<int, std::string>& changed, bool utf8 = false) {
    std::string bytes;
    for (int line = 1; line <= kQuestions; ++line) {
        const auto it = changed.find(line);
        const std::string text = it != changed.end() ? it->second : usual;
        bytes += (utf8 ? text : Sjis(text)) + "\r\n";
    }
    return bytes;
}

std::vector<Finding> Inspect(File file, const std::string& bytes) {
    switch (file) {
    case File::kTexts:
        return InspectQuestionTexts("mondai.txt", bytes, kQuestions).findings;
    case File::kKey:
        return InspectAnswerKey("kotae.txt", bytes, kQuestions);
    case File::kExplanation:
        return InspectExplanation("setumei.txt", bytes);
    }
    return {};
}

struct Expected {
    Severity severity;
    int line;
    std::string says;
};

std::string Describe(const std::vector<Finding>& findings) {
    static const char* const kKinds[] = {"注", "警告", "エラー"};
    std::ostringstream text;
    for (const Finding& f : findings) {
        text << "\n  " << f.line << ": " << kKinds[static_cast<int>(f.severity)] << ": " << f.message;
    }
    return text.str();
}

struct Mistake {
    const char* name;
    File file;
    std::string bytes;
    std::vector<Expected> expected;  // every finding, in order
};

TEST(TeacherMistakes, EachIsReportedWithItsHarmAndItsFix) {
    const std::string quoted = "\"沈殿するイオンはどれか\"";
    const std::string key = "1,1";
    const std::vector<Mistake> cases = {
        {"text with a comma and no quotes", File::kTexts, Lines(quoted, {{5, "KSCN を加えると, 血赤色になるイオン"}}),
         {{Severity::kError, 5, "（コンマも文の一部なら、文を半角の二重引用符 \" で囲んでください）"},
          {Severity::kNote, 26, "ここから先は読まれません。ゲームが読むのは 26 問の文だけなので、27 問目からは出題されません（5 行目のずれによる）"}}},
        {"text in full-width quotes with a comma", File::kTexts, Lines(quoted, {{3, "“塩酸, 白色”"}}),
         {{Severity::kError, 3, "文が全角の “ ” で囲まれています。ゲームが文の囲みとして読むのは半角の \" "
                                "だけなので、“ ” を \" に書き換えてください"},
          {Severity::kNote, 26, "（3 行目のずれによる）"}}},
        {"text in full-width quotes", File::kTexts, Lines(quoted, {{3, "“塩酸”"}}),
         {{Severity::kWarning, 3, "問題 3 の文の全角の “ ” は、囲みではなく文の一部としてそのまま表示されます"}}},
        {"texts separated by a Japanese comma", File::kTexts, Lines(quoted, {{7, "\"問7\"、\"問8\""}}),
         {{Severity::kError, 7, "全角の「、」や「，」は文の区切りになりません。文と文の間は半角のコンマ , で区切って"
                                "ください。二重引用符の中の「、」はそのままで構いません"}}},
        {"Japanese comma inside quotes is fine", File::kTexts, Lines(quoted, {{7, "\"塩酸、硫酸\""}}), {}},
        {"quote left open", File::kTexts, Lines(quoted, {{9, "\"沈殿するイオン"}}),
         {{Severity::kError, 9, "問題 9 の文が 10 行目まで続いています"},
          {Severity::kError, 10, "閉じる二重引用符 \" のあとに文字があります"},
          {Severity::kNote, 26, "（9 行目のずれによる）"}}},
        {"empty line between texts", File::kTexts, Lines(quoted, {{12, ""}}),
         {{Severity::kError, 12, "問題 12 の文が空です"}}},
        // The 21 questions below are graded against the wrong answers: what
        // follows is marked as caused by the shift, not reported as its own fault.
        {"count that does not match its line", File::kKey, Lines(key, {{3, "3,1,2"}}),
         {{Severity::kError, 3, "問題 3: 正解の数 3 のあとに、この行にはイオンの番号が 2 個あります。ゲームは場所に"
                                "かかわらず次の 3 個の数を取るので、足りない 1 個が下の行から取られ、それ以降の問題が"
                                "すべてずれて、別の問題の正解で採点されます"},
          {Severity::kNote, 4, "イオン 1（Ag⁺）が問題 3 に二度書かれています（1 番目と 3 番目の正解）。一度押せば"
                               "見つかるので、残りの正解の数が 0 にならず、問題 3 は正解では終わりません。5 回目のミスで風船が割れ、"
                               "得点が半分になって次の問題に進みます（3 行目のずれによる）"},
          {Severity::kNote, 26, "問題 26 の 1 番目の正解を読む前にファイルが終わっています（正解の数 1 は 26 行目）。"
                                "ゲームはここで止まります（3 行目のずれによる）"}}},
        {"ion listed twice", File::kKey, Lines(key, {{6, "2,4,4"}}),
         {{Severity::kError, 6, "イオン 4（Ca²⁺）が問題 6 に二度書かれています"}}},
        {"numbers separated by Japanese commas", File::kKey, Lines(key, {{8, "2、1、10"}}),
         {{Severity::kError, 8, "（数が全角の「、」や「，」で区切られています。ゲームが区切りとして読むのは半角のコンマ , "
                                "と空白だけです。「、」を , に書き換えてください）"}}},
        {"ion names instead of numbers", File::kKey, Lines(key, {{9, "2,Ag+,Cu2+"}}),
         {{Severity::kError, 9, "（イオンの名前ではなく番号を書いてください: Ag⁺ は 1 です）"},
          {Severity::kError, 9, "（イオンの名前ではなく番号を書いてください: Cu²⁺ は 5 です）"}}},
        {"numbers separated by full-width commas", File::kKey, Lines(key, {{8, "2，1，10"}}),
         {{Severity::kError, 8, "全角の「、」や「，」で区切られています"}}},
        {"texts saved as UTF-8 with charges", File::kTexts,
         Lines("\"沈殿するイオン\"", {{4, "\"Cu²⁺ と Fe³⁺ を含む水溶液\""}}, true),
         {{Severity::kError, 0, "メモ帳: 「名前を付けて保存」で文字コードを「ANSI」に"},
          // What saving it so would lose, and what to write instead.
          {Severity::kNote, 4, "「²⁺」は Shift-JIS にない文字で、変換できません。「2+」と書いてください"},
          {Severity::kNote, 4, "「³⁺」は Shift-JIS にない文字で、変換できません。「3+」と書いてください"}}},
        {"explanation saved as UTF-8", File::kExplanation, "イオンを当てるゲームです\r\n",
         {{Severity::kError, 1, "VS Code: 右下の文字コード→「エンコード付きで保存」→「Japanese (Shift JIS)」。"
                                "Linux: iconv -f UTF-8 -t CP932 元.txt > 新.txt || echo 変換できない文字があります"}}},
    };
    for (const Mistake& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<Finding> found = Inspect(c.file, c.bytes);
        ASSERT_EQ(found.size(), c.expected.size()) << Describe(found);
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_EQ(found[i].severity, c.expected[i].severity) << Describe(found);
            EXPECT_EQ(found[i].line, c.expected[i].line) << Describe(found);
            EXPECT_NE(found[i].message.find(c.expected[i].says), std::string::npos)
                << "\"" << c.expected[i].says << "\" not in" << Describe(found);
        }
    }
}

// The game and the checker name the same line for the same file, wherever
// it ends.
TEST(TeacherMistakes, GameAndCheckerNameTheSameLine) {
    const struct {
        const char* name;
        File file;
        std::string bytes;
        int line;
    } cases[] = {
        {"texts end early", File::kTexts, [] {
             std::string bytes;
             for (int q = 1; q <= 25; ++q) bytes += Sjis("\"問\"") + "\r\n";
             return bytes;
         }(), 25},
        {"key ends in empty lines", File::kKey, [] {
             std::string bytes;
             for (int q = 1; q <= 20; ++q) bytes += "1,1\r\n";
             return bytes + "\r\n\r\n";
         }(), 20},
        {"key ends in a comma", File::kKey, [] {
             std::string bytes;
             for (int q = 1; q <= 25; ++q) bytes += "1,1\r\n";
             return bytes + "1,\r\n";
         }(), 26},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<ContentFailure> game;
        try {
            if (c.file == File::kTexts) {
                (void)ParseQuestionTexts({"mondai.txt", c.bytes}, kQuestions);
            } else {
                (void)ParseAnswerKey({"kotae.txt", c.bytes}, kQuestions);
            }
        } catch (const ContentError& error) {
            game = error.Failure();
        }
        ASSERT_TRUE(game);
        EXPECT_EQ(game->line, c.line);
        const std::vector<Finding> found = Inspect(c.file, c.bytes);
        EXPECT_TRUE(std::any_of(found.begin(), found.end(), [&c](const Finding& f) {
            return f.severity == Severity::kError && f.line == c.line;
        })) << Describe(found);
    }
}

}  // namespace
}  // namespace soruberia
