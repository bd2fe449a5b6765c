// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The forms' tables on their own, as any front-end reads them: every name
// once, a tab order without gaps, buttons above every label and picture,
// every box inside its window, and the values shared with the rest of the
// program.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "content/IonNames.h"
#include "layout/Fonts.h"
#include "layout/GameLayout.h"
#include "layout/HintLayout.h"
#include "layout/MenuLayout.h"
#include "layout/PrecipitateTable.h"

namespace soruberia::layout {
namespace {

struct NamedForm {
    const char* name;
    const Form& (*form)();
};

void PrintTo(const NamedForm& form, std::ostream* os) { *os << form.name; }

class EveryForm : public ::testing::TestWithParam<NamedForm> {
protected:
    const Form& TheForm() const { return GetParam().form(); }
};

TEST_P(EveryForm, NamesEachWidgetOnce) {
    std::set<std::string_view> names;
    for (const Widget& widget : TheForm().widgets) {
        EXPECT_FALSE(widget.name.empty());
        EXPECT_TRUE(names.insert(widget.name).second) << widget.name;
        EXPECT_EQ(Find(TheForm(), widget.name), &widget);
    }
    EXPECT_EQ(Find(TheForm(), "NoSuchWidget"), nullptr);
}

TEST_P(EveryForm, StacksLabelsAndPicturesUnderButtonsAndListsTimersLast) {
    // Bottom to top: labels and picture boxes, then push buttons, then timers.
    const auto rank = [](Kind kind) {
        switch (kind) {
            case Kind::Label:
            case Kind::PictureBox: return 0;
            case Kind::PushButton: return 1;
            case Kind::Timer: return 2;
        }
        return 3;
    };
    std::vector<int> ranks;
    for (const Widget& widget : TheForm().widgets) ranks.push_back(rank(widget.kind));
    // Not std::ranges: the libc++ of Debian's emscripten lacks it.
    EXPECT_TRUE(std::is_sorted(ranks.begin(), ranks.end()));
}

TEST_P(EveryForm, ChainsEveryButtonInATabOrderWithoutGaps) {
    std::vector<int> order;
    for (const Widget& widget : TheForm().widgets) {
        EXPECT_EQ(widget.tabIndex >= 0, widget.kind == Kind::PushButton) << widget.name;
        if (widget.tabIndex >= 0) order.push_back(widget.tabIndex);
    }
    std::vector<int> expected(order.size());
    for (std::size_t i = 0; i < expected.size(); ++i) expected[i] = static_cast<int>(i);
    EXPECT_EQ(order, expected);  // and in stacking order, as a child window list gives it
}

TEST_P(EveryForm, KeepsEveryBoxInsideTheWindow) {
    const Form& form = TheForm();
    for (const Widget& widget : form.widgets) {
        SCOPED_TRACE(std::string(widget.name));
        if (widget.kind == Kind::Timer) {
            EXPECT_EQ(widget.box, TwipRect{});
            continue;
        }
        const PixelRect box = ToPixels(widget.box);
        EXPECT_GT(box.width, 0);
        EXPECT_GT(box.height, 0);
        EXPECT_GE(box.x, 0);
        EXPECT_GE(box.y, 0);
        EXPECT_LE(box.x + box.width, form.clientWidth);
        EXPECT_LE(box.y + box.height, form.clientHeight);
        if (!widget.font.family.empty()) {
            EXPECT_FALSE(StandInFamily(widget.font.family).empty());
        }
    }
    EXPECT_FALSE(form.background.empty());
}

INSTANTIATE_TEST_SUITE_P(Forms, EveryForm,
                         ::testing::Values(NamedForm{"GameWindow", GameWindow},
                                           NamedForm{"MenuWindow", MenuWindow},
                                           NamedForm{"HintWindow", HintWindow}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(GameWindowTable, NamesTheIonButtonsAsTheContentDoes) {
    for (int i = 1; i <= kIonCount; ++i) {
        const Widget* button = Find(GameWindow(), "Command1_" + std::to_string(i));
        ASSERT_NE(button, nullptr) << i;
        EXPECT_EQ(button->accessibleName, IonName(i));
        EXPECT_EQ(button->tabIndex, i - 1);
        EXPECT_EQ(button->picture, "game/ion" + std::to_string(i) + ".png");
    }
}

TEST(GameWindowTable, QuestionLabelIsLabel1AndTheGaugeStartsAtHome) {
    const Widget* label1 = Find(GameWindow(), "Label1");
    ASSERT_NE(label1, nullptr);
    EXPECT_EQ(label1->box, kQuestionLabel.box);
    EXPECT_EQ(label1->font.family, kQuestionLabel.font.family);
    EXPECT_EQ(label1->font.points, kQuestionLabel.font.points);
    EXPECT_EQ(label1->font.bold, kQuestionLabel.font.bold);
    EXPECT_EQ(ToPixels(kQuestionLabel.box), (PixelRect{173, 118, 295, 49}));
    EXPECT_EQ(PointsToPixels(kQuestionLabel.font.points), 20);

    const Widget* gauge = Find(GameWindow(), "Image1");
    ASSERT_NE(gauge, nullptr);
    EXPECT_EQ(gauge->box.left, kGaugeHomeLeft);
    EXPECT_EQ(gauge->box.top, kGaugeTop);
    // At the fifth miss level the carriage's front meets the burst picture.
    const Widget* burst = Find(GameWindow(), "Image2");
    ASSERT_NE(burst, nullptr);
    EXPECT_EQ(kGaugeHomeLeft + 5 * kGaugeStep + gauge->box.width, burst->box.left);
}

TEST(Units, RoundEachEdgeHalfAwayFromZero) {
    struct Case {
        double twips;
        int pixels;
    };
    for (const Case& c : {Case{0, 0}, Case{7, 0}, Case{7.5, 1}, Case{15, 1}, Case{22.4, 1}, Case{22.5, 2},
                          Case{-7.5, -1}, Case{-7, 0}, Case{9615, 641}, Case{2685, 179}, Case{920, 61}})
        EXPECT_EQ(TwipsToPixels(c.twips), c.pixels) << c.twips;
    for (const auto& [points, pixels] : {std::pair{9.0, 12}, {14.25, 19}, {15.0, 20}, {27.75, 37}})
        EXPECT_EQ(PointsToPixels(points), pixels) << points;
}

TEST(PrecipitateTable, EveryIonOnceAndEveryLabelReadable) {
    std::set<int> buttons;
    for (const PrecipitateRow& row : PrecipitateRows()) {
        EXPECT_TRUE(buttons.insert(row.button).second) << row.button;
        // The row names the ion its button shows.
        EXPECT_EQ(PlainLabel(row.ion), IonName(row.button));
    }
    EXPECT_EQ(buttons.size(), static_cast<std::size_t>(kIonCount));
    for (const std::string_view reagent : Reagents()) EXPECT_NO_THROW(PlainLabel(reagent)) << reagent;
}

TEST(PrecipitateTable, PlainLabelsUseUnicodeSubAndSuperscripts) {
    for (const auto& [marked, plain] : {std::pair{"Ag^{+}", "Ag⁺"}, {"CO_{3}^{2-}", "CO₃²⁻"},
                                        {"少量のNH_{3}水", "少量のNH₃水"}, {"Cl^{-}", "Cl⁻"}, {"白", "白"}})
        EXPECT_EQ(PlainLabel(marked), plain) << marked;
    EXPECT_THROW(PlainLabel("SO_{4"), std::invalid_argument);
    EXPECT_THROW(PlainLabel("X^{a}"), std::invalid_argument);
}

}  // namespace
}  // namespace soruberia::layout
