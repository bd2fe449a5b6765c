// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The program's windows as they come and go: the menu at start, the game
// window after the start button, the one hint window, the end action and the
// end by closing the last window.
#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/AppController.h"
#include "content/FatalError.h"
#include "tests/app/AppTestKit.h"
#include "ui/FormWindow.h"
#include "ui/PictureButton.h"

namespace soruberia::app::testing {
namespace {

using ui::PictureButton;

enum class Step {
    StartButton,    // the menu's Command3
    MenuQuit,       // the menu's Command1
    MenuCloseBox,
    HintButton,     // the game window's Command3
    GameQuit,       // the game window's Command2
    GameCloseBox,
    HintBack,       // the hint window's Command1
    HintCloseBox,
};

enum class Ending { None, EndAction, LastWindowClosed };

class LifecycleTest : public ::testing::Test {
protected:
    void SetUp() override {
        controller_->Start();
        // The title's build-up: five tiles, then the buttons.
        for (int i = 0; i < 6; ++i) Tick(Child<QTimer>(*controller_->Menu(), "Timer1"));
    }
    void TearDown() override {
        controller_.reset();
        FlushDeferredDeletes();
    }

    void Do(Step step) {
        AppController& c = *controller_;
        switch (step) {
            case Step::StartButton: Child<PictureButton>(*c.Menu(), "Command3").click(); break;
            case Step::MenuQuit: Child<PictureButton>(*c.Menu(), "Command1").click(); break;
            case Step::MenuCloseBox: c.Menu()->close(); break;
            case Step::HintButton: Child<PictureButton>(*c.Game(), "Command3").click(); break;
            case Step::GameQuit: Child<PictureButton>(*c.Game(), "Command2").click(); break;
            case Step::GameCloseBox: c.Game()->close(); break;
            case Step::HintBack: Child<PictureButton>(*c.Hint(), "Command1").click(); break;
            case Step::HintCloseBox: c.Hint()->close(); break;
        }
    }

    static bool OnScreen(const QWidget* window) { return window != nullptr && window->isVisible(); }

    static int ActiveTimers() {
        int active = 0;
        for (const QWidget* window : QApplication::topLevelWidgets())
            for (const QTimer* timer : window->findChildren<QTimer*>()) active += timer->isActive() ? 1 : 0;
        return active;
    }

    std::unique_ptr<ContentFolder> content_ = std::make_unique<ContentFolder>();
    int terminations_ = 0;
    std::unique_ptr<AppController> controller_ = std::make_unique<AppController>(
        content_->BasePath(), [this] { ++terminations_; });
};

struct LifecycleCase {
    const char* name;
    std::vector<Step> before;  // from the menu with its buttons shown
    Step step;
    bool menu, game, hint;     // on screen afterwards
    Ending ending;
};

void PrintTo(const LifecycleCase& c, std::ostream* os) { *os << c.name; }

class LifecycleTableTest : public LifecycleTest,
                           public ::testing::WithParamInterface<LifecycleCase> {};

TEST_P(LifecycleTableTest, LeadsToTheNextState) {
    const LifecycleCase& c = GetParam();
    for (Step step : c.before) Do(step);
    FlushDeferredDeletes();

    const bool quitByItself = ProgramEndsAfter([&] { Do(c.step); });
    FlushDeferredDeletes();

    EXPECT_EQ(OnScreen(controller_->Menu()), c.menu);
    EXPECT_EQ(OnScreen(controller_->Game()), c.game);
    EXPECT_EQ(OnScreen(controller_->Hint()), c.hint);
    EXPECT_EQ(quitByItself, c.ending == Ending::LastWindowClosed);
    EXPECT_EQ(terminations_, c.ending == Ending::EndAction ? 1 : 0);
    if (c.ending != Ending::None) {
        EXPECT_EQ(VisibleWindowCount(), 0);
        EXPECT_EQ(ActiveTimers(), 0);
    }
    // The menu, once left, is gone for good.
    if (!c.menu && c.ending != Ending::EndAction) {
        EXPECT_EQ(controller_->Menu(), nullptr);
    }
}

using S = Step;
INSTANTIATE_TEST_SUITE_P(
    Transitions, LifecycleTableTest,
    ::testing::Values(
        LifecycleCase{"MenuStart", {}, S::StartButton, false, true, false, Ending::None},
        LifecycleCase{"MenuQuit", {}, S::MenuQuit, false, false, false, Ending::EndAction},
        LifecycleCase{"MenuCloseBox", {}, S::MenuCloseBox, false, false, false, Ending::LastWindowClosed},
        LifecycleCase{"GameHint", {S::StartButton}, S::HintButton, false, true, true, Ending::None},
        LifecycleCase{"GameQuit", {S::StartButton}, S::GameQuit, false, false, false, Ending::EndAction},
        LifecycleCase{"GameCloseBox", {S::StartButton}, S::GameCloseBox, false, false, false,
                      Ending::LastWindowClosed},
        LifecycleCase{"HintBack", {S::StartButton, S::HintButton}, S::HintBack, false, true, false,
                      Ending::None},
        LifecycleCase{"HintCloseBox", {S::StartButton, S::HintButton}, S::HintCloseBox, false, true,
                      false, Ending::None},
        LifecycleCase{"GameQuitWithHint", {S::StartButton, S::HintButton}, S::GameQuit, false, false,
                      false, Ending::EndAction},
        LifecycleCase{"GameCloseBoxWithHint", {S::StartButton, S::HintButton}, S::GameCloseBox, false,
                      false, true, Ending::None},
        LifecycleCase{"HintAloneBack", {S::StartButton, S::HintButton, S::GameCloseBox}, S::HintBack,
                      false, false, false, Ending::LastWindowClosed},
        LifecycleCase{"HintAloneCloseBox", {S::StartButton, S::HintButton, S::GameCloseBox},
                      S::HintCloseBox, false, false, false, Ending::LastWindowClosed}),
    [](const ::testing::TestParamInfo<LifecycleCase>& param) { return std::string(param.param.name); });

TEST_F(LifecycleTest, MenuIsTheFirstAndOnlyWindowAtStart) {
    EXPECT_TRUE(OnScreen(controller_->Menu()));
    EXPECT_EQ(controller_->Game(), nullptr);
    EXPECT_EQ(controller_->Hint(), nullptr);
    EXPECT_EQ(VisibleWindowCount(), 1);
}

TEST_F(LifecycleTest, EndActionStopsPendingTimedSteps) {
    Do(Step::StartButton);
    Do(Step::HintButton);
    // A press arms the game's feedback pause.
    Child<PictureButton>(*controller_->Game(), "Command1_1").click();
    ASSERT_GT(ActiveTimers(), 0);
    Do(Step::GameQuit);
    EXPECT_EQ(terminations_, 1);
    EXPECT_EQ(ActiveTimers(), 0);
    EXPECT_EQ(VisibleWindowCount(), 0);
}

TEST_F(LifecycleTest, HintWindowExistsOnceAndComesToTheFront) {
    Do(Step::StartButton);
    Do(Step::HintButton);
    QPointer<ui::FormWindow> first = controller_->Hint();
    ASSERT_TRUE(first);
    controller_->Game()->activateWindow();
    QApplication::processEvents();
    Do(Step::HintButton);
    QApplication::processEvents();
    EXPECT_EQ(controller_->Hint(), first.data());
    int hints = 0;
    for (const QWidget* window : QApplication::topLevelWidgets())
        if (const auto* form = qobject_cast<const ui::FormWindow*>(window))
            hints += form->Form() == appcore::FormId::Hint ? 1 : 0;
    EXPECT_EQ(hints, 1);
    EXPECT_TRUE(first->isActiveWindow());
    // The game window stays open and usable behind it.
    EXPECT_TRUE(OnScreen(controller_->Game()));
    EXPECT_TRUE(controller_->Game()->isEnabled());
}

TEST_F(LifecycleTest, HintWindowIsMadeAnewAndCentredAfterAClose) {
    Do(Step::StartButton);
    Do(Step::HintButton);
    QPointer<ui::FormWindow> first = controller_->Hint();
    const QRect centred = first->geometry();
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((centred.center() - screenCentre).manhattanLength(), 2);
    first->move(first->pos() + QPoint(120, 70));
    Do(Step::HintBack);
    FlushDeferredDeletes();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(controller_->Hint(), nullptr);

    Do(Step::HintButton);
    ASSERT_NE(controller_->Hint(), nullptr);
    EXPECT_EQ(controller_->Hint()->geometry(), centred);

    // Pressed again before the closed window is gone: still a new window.
    QPointer<ui::FormWindow> second = controller_->Hint();
    Do(Step::HintBack);
    Do(Step::HintButton);
    EXPECT_NE(controller_->Hint(), second.data());
    EXPECT_TRUE(OnScreen(controller_->Hint()));
    FlushDeferredDeletes();
    EXPECT_TRUE(second.isNull());
    EXPECT_TRUE(OnScreen(controller_->Hint()));
    SaveScreenshot(*controller_->Hint(), QStringLiteral("hint"));
}

TEST_F(LifecycleTest, FailedGameStartLeavesNoWindow) {
    QFile::remove(content_->Path(QStringLiteral("問題/mondai.txt")));
    // Handed to the controller directly, the failure comes back here instead
    // of ending the test program.
    EXPECT_THROW(controller_->Core().Pressed(appcore::FormId::Menu, "Command3"), FatalError);
    FlushDeferredDeletes();
    EXPECT_EQ(controller_->Menu(), nullptr);
    EXPECT_EQ(controller_->Game(), nullptr);
    EXPECT_EQ(VisibleWindowCount(), 0);
}

TEST(EndProcessTest, QuitButtonsEndTheProcessAtOnce) {
    ContentFolder content;
    EXPECT_EXIT(
        {
            AppController controller(content.BasePath());
            controller.Start();
            for (int i = 0; i < 6; ++i) Tick(Child<QTimer>(*controller.Menu(), "Timer1"));
            Child<PictureButton>(*controller.Menu(), "Command1").click();
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            AppController controller(content.BasePath());
            controller.Start();
            for (int i = 0; i < 6; ++i) Tick(Child<QTimer>(*controller.Menu(), "Timer1"));
            Child<PictureButton>(*controller.Menu(), "Command3").click();
            Child<PictureButton>(*controller.Game(), "Command3").click();
            Child<PictureButton>(*controller.Game(), "Command2").click();
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(EndProcessTest, FailedGameStartIsReportedAndEndsTheProgram) {
    ContentFolder content;
    QFile::remove(content.Path(QStringLiteral("問題/kotae.txt")));
    EXPECT_EXIT(
        {
            AppController controller(content.BasePath());
            controller.Start();
            for (int i = 0; i < 6; ++i) Tick(Child<QTimer>(*controller.Menu(), "Timer1"));
            Child<PictureButton>(*controller.Menu(), "Command3").click();
        },
        ::testing::ExitedWithCode(1), "kotae\\.txt");
}

}  // namespace
}  // namespace soruberia::app::testing
