// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The checker's question label is the game window's Label1 in all that
// decides where a text wraps and where it is cut.

#include <QLabel>
#include <QString>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "check/qt/QuestionLabel.h"
#include "layout/GameLayout.h"
#include "app/AppController.h"

namespace soruberia::check {
namespace {

const QString kTexts[] = {
    QStringLiteral("希塩酸を加えると白色沈殿を生じるイオンは？"),
    QString(28, QChar(0x3042)),  // あ × 28
    QString(29, QChar(0x3042)),
    QString(45, QChar(0x6C88)),  // 沈 × 45
    QStringLiteral("NaOH水溶液を加えると緑白色沈殿を生じ、過剰のNaOH水溶液に溶けるイオンはどれか"),
    QStringLiteral("Which ions give a white precipitate with dilute hydrochloric acid and stay"),
    QStringLiteral("二行の\r\n問題文"),
    QStringLiteral("Q"),
};

TEST(QuestionLabel, MeasuresAsTheGameWindowsLabelLaysOut) {
    // The game window as the program opens it on the default content.
    app::AppController program(std::string(DEFAULT_CONTENT), [] {});
    program.Start();
    program.Core().Pressed(appcore::FormId::Menu, "Command3");
    ASSERT_NE(program.Game(), nullptr);
    auto* game = program.Game()->findChild<QLabel*>(QStringLiteral("Label1"));
    ASSERT_NE(game, nullptr);

    QuestionLabel twin;
    const QLabel& label = twin.Label();
    EXPECT_EQ(label.size(), game->size());
    EXPECT_EQ(label.contentsRect(), game->contentsRect());
    EXPECT_EQ(label.font().family(), game->font().family());
    EXPECT_EQ(label.font().pixelSize(), game->font().pixelSize());
    EXPECT_EQ(label.font().bold(), game->font().bold());
    EXPECT_EQ(label.wordWrap(), game->wordWrap());
    EXPECT_EQ(label.alignment(), game->alignment());
    EXPECT_EQ(label.textFormat(), game->textFormat());
    EXPECT_EQ(label.size(), QSize(295, 49));

    for (const QString& text : kTexts) {
        SCOPED_TRACE(text.toStdString());
        game->setText(text);
        EXPECT_EQ(twin.Measure(text.toStdString()).neededHeight, game->heightForWidth(game->width()));
    }
}

TEST(QuestionLabel, TheCutFallsWhereTheVerdictSays) {
    QuestionLabel label;
    int firstCut = 0;
    for (int length = 1; length <= 60; ++length) {
        const QString text(length, QChar(0x3042));
        const LabelFit fit = label.Measure(text.toStdString());
        SCOPED_TRACE(length);
        EXPECT_EQ(fit.height, 49);
        if (fit.fits) {
            EXPECT_EQ(firstCut, 0) << "a longer text fits after a shorter one was cut";
            EXPECT_EQ(fit.shownLines, fit.lines);
            EXPECT_EQ(fit.shown, text.toStdString());
            EXPECT_TRUE(fit.cut.empty());
            continue;
        }
        if (firstCut == 0) {
            firstCut = length;
            EXPECT_EQ(fit.lines, 3);  // two lines show, the third is lost
        }
        EXPECT_EQ(fit.shownLines, 2);
        EXPECT_FALSE(fit.cut.empty());
        EXPECT_EQ(fit.shown + fit.cut, text.toStdString());
        EXPECT_GT(fit.neededHeight, 49);
    }
    EXPECT_GT(firstCut, 20);  // the panel holds about 28 full-width characters
    EXPECT_LT(firstCut, 40);
}

// The lines the layout promises for a question (which the content generator
// holds its texts to) are the lines the label shows whole.
TEST(QuestionLabel, ShowsTheLinesTheLayoutPromises) {
    QuestionLabel label;
    const LabelFit fit = label.Measure(QString(200, QChar(0x3042)).toStdString());
    EXPECT_FALSE(fit.fits);
    EXPECT_EQ(fit.shownLines, layout::kQuestionLabel.lines);
}

}  // namespace
}  // namespace soruberia::check
