// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The menu window on its own: load, title build-up, explanation panel.
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "content/FatalError.h"
#include "layout/MenuLayout.h"
#include "tests/app/AppTestKit.h"
#include "app/AppController.h"
#include "ui/FormWindow.h"
#include "ui/PictureButton.h"
#include "ui/Twips.h"

namespace soruberia::app::testing {
namespace {

using ui::PictureButton;

const QColor kNavy(0, 0, 64);

const char* const kTiles[] = {"Image1_0", "Image1_1", "Image1_2", "Image1_3", "Image1_4"};

bool Near(QColor a, QColor b, int tolerance = 3) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override { Open(); }
    void TearDown() override {
        controller_.reset();
        FlushDeferredDeletes();
    }

    // The program's start: the menu is made, loaded and shown.
    void Open() {
        controller_.reset();
        controller_ = std::make_unique<AppController>(content_->BasePath(), [this] { ++terminations_; });
        controller_->Start();
        menu_ = controller_->Menu();
    }

    ui::FormWindow& Menu() { return *menu_; }
    std::int16_t RevealCounter() { return controller_->Core().Menu()->RevealCounter(); }
    QTimer& Timer1() { return Child<QTimer>(*menu_, "Timer1"); }
    PictureButton& Button(int n) {
        return Child<PictureButton>(*menu_, ("Command" + std::to_string(n)).c_str());
    }
    QLabel& Label(const char* name) { return Child<QLabel>(*menu_, name); }

    void TickTimes(int n) {
        for (int i = 0; i < n; ++i) Tick(Timer1());
    }
    int VisibleTiles() {
        int count = 0;
        for (const char* tile : kTiles) count += Label(tile).isVisible() ? 1 : 0;
        return count;
    }
    QColor PixelAt(QPoint at) { return menu_->grab().toImage().pixelColor(at); }

    std::unique_ptr<ContentFolder> content_ = std::make_unique<ContentFolder>();
    int terminations_ = 0;
    std::unique_ptr<AppController> controller_;
    QPointer<ui::FormWindow> menu_;
};

TEST_F(MenuTest, OpensLoadedWithNothingShownButTheGradient) {
    EXPECT_EQ(Label("Label2").text(), QStringLiteral("ソルベリアの遊び方"));
    EXPECT_EQ(RevealCounter(), 0);
    EXPECT_TRUE(Timer1().isActive());
    EXPECT_EQ(Timer1().interval(), 500);
    for (const char* tile : kTiles) EXPECT_TRUE(Label(tile).isHidden()) << tile;
    for (int n = 1; n <= 4; ++n) EXPECT_TRUE(Button(n).isHidden()) << "Command" << n;
    EXPECT_TRUE(Label("Label1").isHidden());
    EXPECT_TRUE(Label("Label2").isHidden());
}

TEST_F(MenuTest, WidgetsStandAtTheirPlaces) {
    struct Place {
        const char* name;
        QRect px;
    };
    const Place places[] = {
        {"Image1_0", {149, 31, 120, 115}}, {"Image1_1", {357, 31, 120, 115}},
        {"Image1_2", {93, 167, 120, 115}},  {"Image1_3", {253, 167, 120, 115}},
        {"Image1_4", {413, 167, 120, 115}}, {"Command1", {113, 328, 93, 31}},
        {"Command2", {267, 328, 93, 31}},   {"Command3", {431, 328, 93, 31}},
        {"Command4", {267, 328, 93, 31}},   {"Label1", {48, 34, 548, 335}},
        {"Label2", {56, 43, 533, 277}},
    };
    for (const Place& place : places) {
        const auto* widget = Menu().findChild<QWidget*>(QLatin1String(place.name));
        ASSERT_NE(widget, nullptr) << place.name;
        EXPECT_EQ(widget->geometry(), place.px) << place.name;
    }
    for (const char* tile : kTiles) EXPECT_EQ(Label(tile).pixmap().size(), QSize(120, 115)) << tile;
}

TEST_F(MenuTest, StackingAndTabOrder) {
    // Siblings are stacked in the order of the children list, lowest first.
    const QObjectList children = Menu().children();
    auto level = [&](const char* name) {
        return children.indexOf(Menu().findChild<QWidget*>(QLatin1String(name)));
    };
    for (int i = 0; i + 1 < 5; ++i) EXPECT_LT(level(kTiles[i]), level(kTiles[i + 1]));
    EXPECT_LT(level("Image1_4"), level("Label1"));
    EXPECT_LT(level("Label1"), level("Label2"));
    for (int n = 1; n <= 4; ++n)
        EXPECT_LT(level("Label2"), level(("Command" + std::to_string(n)).c_str()));

    for (int n = 1; n <= 3; ++n) {
        QWidget* next = Button(n).nextInFocusChain();
        while (qobject_cast<PictureButton*>(next) == nullptr) next = next->nextInFocusChain();
        EXPECT_EQ(next, &Button(n + 1)) << "after Command" << n;
    }
}

TEST_F(MenuTest, TitleBuildsUpOneTilePerTickThenTheButtons) {
    SaveScreenshot(Menu(), QStringLiteral("menu-0-ticks"));
    struct Step {
        int tiles;
        bool buttons;
        bool timerRuns;
    };
    // After tick 1 to 6.
    const Step steps[] = {{1, false, true}, {2, false, true}, {3, false, true},
                          {4, false, true}, {5, false, true}, {5, true, false}};
    int tick = 0;
    for (const Step& step : steps) {
        Tick(Timer1());
        ++tick;
        SCOPED_TRACE("after tick " + std::to_string(tick));
        EXPECT_EQ(VisibleTiles(), step.tiles);
        EXPECT_EQ(RevealCounter(), step.tiles);
        EXPECT_TRUE(Label(kTiles[step.tiles - 1]).isVisible());  // in index order
        for (int n = 1; n <= 3; ++n) EXPECT_EQ(Button(n).isVisible(), step.buttons) << n;
        EXPECT_FALSE(Button(4).isVisible());
        EXPECT_EQ(Timer1().isActive(), step.timerRuns);
        if (tick == 3) SaveScreenshot(Menu(), QStringLiteral("menu-3-ticks"));
    }
    SaveScreenshot(Menu(), QStringLiteral("menu-main"));
}

// Which widgets are on screen once the title is built up and the buttons
// named have been pressed in turn.
struct StateCase {
    const char* name;
    std::vector<int> presses;
    bool explanation;
};

void PrintTo(const StateCase& c, std::ostream* os) { *os << c.name; }

class MenuStateTest : public MenuTest, public ::testing::WithParamInterface<StateCase> {};

TEST_P(MenuStateTest, ShowsTheWidgetsOfItsState) {
    TickTimes(6);
    for (int n : GetParam().presses) Button(n).click();
    const bool expl = GetParam().explanation;
    EXPECT_EQ(Button(1).isVisible(), !expl);
    EXPECT_EQ(Button(2).isVisible(), !expl);
    EXPECT_EQ(Button(3).isVisible(), !expl);
    EXPECT_EQ(Button(4).isVisible(), expl);
    EXPECT_EQ(Label("Label1").isVisible(), expl);
    EXPECT_EQ(Label("Label2").isVisible(), expl);
    // The tiles stay shown; in the explanation they lie under the panel.
    EXPECT_EQ(VisibleTiles(), 5);
    EXPECT_EQ(RevealCounter(), 5);
    EXPECT_FALSE(Timer1().isActive());
    EXPECT_EQ(Label("Label2").text(), QStringLiteral("ソルベリアの遊び方"));

    const QImage picture = Menu().grab().toImage();
    for (const char* tile : kTiles) {
        const QColor centre = picture.pixelColor(Label(tile).geometry().center());
        EXPECT_EQ(Near(centre, kNavy, 0), expl) << tile;
    }
}

INSTANTIATE_TEST_SUITE_P(
    States, MenuStateTest,
    ::testing::Values(StateCase{"main", {}, false}, StateCase{"explanation", {2}, true},
                      StateCase{"back", {2, 4}, false}, StateCase{"againExplanation", {2, 4, 2}, true},
                      StateCase{"manyToggles", {2, 4, 2, 4, 2, 4, 2, 4, 2, 4}, false}),
    [](const ::testing::TestParamInfo<StateCase>& param) { return std::string(param.param.name); });

TEST_F(MenuTest, ExplanationPanelCoversTheTitleAndKeepsTheBackButtonOnTop) {
    TickTimes(6);
    Button(2).click();
    SaveScreenshot(Menu(), QStringLiteral("menu-explanation"));
    const QImage picture = Menu().grab().toImage();
    // Navy from the panel's edge to the text's box; the back button's face
    // (not navy) where the explanation button was.
    EXPECT_TRUE(Near(picture.pixelColor(50, 36), kNavy, 0));
    EXPECT_TRUE(Near(picture.pixelColor(590, 360), kNavy, 0));
    EXPECT_FALSE(Near(picture.pixelColor(Button(4).geometry().center()), kNavy, 40));
    // The text is drawn in white.
    bool white = false;
    for (int y = 43; y < 70 && !white; ++y)
        for (int x = 56; x < 300 && !white; ++x)
            white = picture.pixelColor(x, y) == QColor(Qt::white);
    EXPECT_TRUE(white);
    // A second click on the same spot leads back.
    Button(4).click();
    EXPECT_TRUE(Button(2).isVisible());
    EXPECT_EQ(Button(2).geometry(), Button(4).geometry());
}

TEST_F(MenuTest, BackgroundIsDrawnUnscaledFromTheTopLeft) {
    struct Row {
        int y;
        QColor colour;
    };
    const Row rows[] = {{0, {200, 248, 248}},   {100, {186, 226, 225}}, {200, {160, 183, 181}},
                        {300, {130, 128, 121}}, {399, {108, 75, 59}}};
    const QImage picture = Menu().grab().toImage();
    for (const Row& row : rows) {
        const QColor seen = picture.pixelColor(5, row.y);
        EXPECT_TRUE(Near(seen, row.colour)) << "row " << row.y << ": " << seen.name().toStdString();
    }
}

TEST_F(MenuTest, ExplanationIsReadOnceAtTheLoad) {
    content_->RemoveExplanation();
    TickTimes(6);
    for (int i = 0; i < 3; ++i) {
        Button(2).click();
        Button(4).click();
    }
    Button(2).click();
    EXPECT_EQ(Label("Label2").text(), QStringLiteral("ソルベリアの遊び方"));
}

TEST_F(MenuTest, LongExplanationWrapsAndIsCutAtTheLowerEdge) {
    std::string longLine;
    for (int i = 0; i < 60; ++i) longLine += "化学の問題に答えてイオンを選びます。";
    content_->WriteExplanationBytes(ToShiftJis(longLine));
    Open();
    TickTimes(6);
    Button(2).click();
    QLabel& text = Label("Label2");
    EXPECT_TRUE(text.wordWrap());
    EXPECT_EQ(text.alignment(), Qt::AlignLeft | Qt::AlignTop);
    // The box does not grow.
    EXPECT_EQ(text.geometry(), ui::TwipsRect(layout::Find(layout::MenuWindow(), "Label2")->box));
    EXPECT_GT(text.heightForWidth(text.width()), text.height());
    EXPECT_TRUE(text.font().bold());
    EXPECT_EQ(text.font().pixelSize(), 19);  // 14.25 pt at 96 dpi
    SaveScreenshot(Menu(), QStringLiteral("menu-long-explanation"));
}

TEST_F(MenuTest, ExplanationLineIsShownAsItStands) {
    struct Case {
        std::string file;
        QString shown;
    };
    const Case cases[] = {
        {"化学,\"クイズ\", です\r\n二行目\r\n", QStringLiteral("化学,\"クイズ\", です")},
        {"\r\n二行目\r\n", QString()},
        {"行末のない一行", QStringLiteral("行末のない一行")},
    };
    for (const Case& c : cases) {
        content_->WriteExplanationBytes(ToShiftJis(c.file));
        Open();
        EXPECT_EQ(Label("Label2").text(), c.shown);
    }
    // An empty first line: an empty navy panel.
    content_->WriteExplanationBytes("\r\n");
    Open();
    TickTimes(6);
    Button(2).click();
    const QImage picture = Menu().grab().toImage();
    for (int y = 43; y < 320; y += 7)
        for (int x = 56; x < 589; x += 7)
            ASSERT_TRUE(Near(picture.pixelColor(x, y), kNavy, 0)) << x << "," << y;
}

TEST_F(MenuTest, QuitEndsTheProgramAndStartOpensTheGame) {
    TickTimes(6);
    Button(1).click();
    EXPECT_EQ(terminations_, 1);
    EXPECT_EQ(controller_->Game(), nullptr);
    Open();
    TickTimes(6);
    Button(3).click();
    EXPECT_EQ(terminations_, 1);
    EXPECT_NE(controller_->Game(), nullptr);
    FlushDeferredDeletes();
    EXPECT_TRUE(menu_.isNull());
}

TEST_F(MenuTest, MissingOrEmptyExplanationFailsTheLoad) {
    controller_.reset();
    content_->WriteExplanationBytes("");
    EXPECT_THROW(AppController(content_->BasePath(), [] {}).Start(), FatalError);
    content_->RemoveExplanation();
    try {
        AppController(content_->BasePath(), [] {}).Start();
        FAIL() << "the load did not fail";
    } catch (const FatalError& e) {
        EXPECT_NE(std::string(e.what()).find("setumei.txt"), std::string::npos) << e.what();
    }
    EXPECT_EQ(VisibleWindowCount(), 0);
}

}  // namespace
}  // namespace soruberia::app::testing
