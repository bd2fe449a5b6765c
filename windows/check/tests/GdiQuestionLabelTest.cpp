// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The Windows checker's question label: the label's font, wrapped by the
// game window's own DrawTextW call, and the cut where that call cuts.

#include <gtest/gtest.h>

#include <string>

#include "layout/GameLayout.h"
#include "windows/check/GdiQuestionLabel.h"

namespace soruberia::windows {
namespace {

std::string Repeat(const std::string& character, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += character;
    return text;
}

TEST(GdiQuestionLabel, AsksForTheLabelsFace) {
    GdiQuestionLabel label;
    // The Wine prefix of the tests maps the face to its stand-in, a Mincho.
    EXPECT_NE(label.Face().find("明朝"), std::string::npos) << label.Face();
    EXPECT_EQ(label.FontNote(), "");
    EXPECT_GE(label.LineHeight(), 20);  // 15 pt at 96 dpi is 20 px before leading
}

TEST(GdiQuestionLabel, TheCutFallsWhereTheVerdictSays) {
    GdiQuestionLabel label;
    int firstCut = 0;
    for (int length = 1; length <= 60; ++length) {
        const std::string text = Repeat("あ", length);
        const check::LabelFit fit = label.Measure(text);
        SCOPED_TRACE(length);
        EXPECT_EQ(fit.height, 49);
        EXPECT_EQ(fit.neededHeight, fit.lines * label.LineHeight());
        if (fit.fits) {
            EXPECT_EQ(firstCut, 0) << "a longer text fits after a shorter one was cut";
            EXPECT_EQ(fit.shownLines, fit.lines);
            EXPECT_EQ(fit.shown, text);
            EXPECT_EQ(fit.cut, "");
            continue;
        }
        if (firstCut == 0) {
            firstCut = length;
            EXPECT_EQ(fit.lines, 3);  // two lines show, the third is lost
        }
        EXPECT_EQ(fit.shownLines, layout::kQuestionLabel.lines);
        EXPECT_NE(fit.cut, "");
        EXPECT_EQ(fit.shown + fit.cut, text);
        EXPECT_GT(fit.neededHeight, 49);
        // What shows takes the label's lines, one character more takes another.
        EXPECT_TRUE(label.Measure(fit.shown).fits);
        EXPECT_FALSE(label.Measure(fit.shown + "あ").fits);
    }
    EXPECT_GT(firstCut, 20);  // the panel holds about 28 full-width characters
    EXPECT_LT(firstCut, 40);
}

// Words are not split: the lost part begins with a whole word, and the shown
// part is what the label shows of the text, not merely what would fit.
TEST(GdiQuestionLabel, CutsBetweenWords) {
    GdiQuestionLabel label;
    const std::string text =
        "Which ions give a white precipitate with dilute hydrochloric acid and stay in solution with "
        "ammonia";
    const check::LabelFit fit = label.Measure(text);
    ASSERT_FALSE(fit.fits);
    EXPECT_EQ(fit.shown + " " + fit.cut, text);
    EXPECT_TRUE(label.Measure(fit.shown).fits);
    const std::string nextWord = fit.cut.substr(0, fit.cut.find(' '));
    EXPECT_FALSE(label.Measure(fit.shown + " " + nextWord).fits) << fit.shown << " | " << fit.cut;
}

TEST(GdiQuestionLabel, LineEndsAndShortTexts) {
    GdiQuestionLabel label;
    const struct {
        std::string text;
        int lines;
    } cases[] = {
        {"Q", 1},
        {"希塩酸を加えると白色沈殿を生じるイオンは？", 2},
        {"二行の\r\n問題文", 2},
        {"一\r\n二\r\n三", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const check::LabelFit fit = label.Measure(c.text);
        EXPECT_EQ(fit.lines, c.lines);
        EXPECT_EQ(fit.fits, c.lines <= layout::kQuestionLabel.lines);
    }
    const check::LabelFit three = label.Measure("一\r\n二\r\n三");
    EXPECT_EQ(three.shown, "一 二");
    EXPECT_EQ(three.cut, "三");
}

}  // namespace
}  // namespace soruberia::windows
