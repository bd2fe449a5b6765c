// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The whole program played with the keyboard alone: Tab moves through the
// buttons in their tab order, Space presses the focused one, Enter and
// Escape do nothing, and the focus never stays on a hidden button.

#include <optional>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

#include "engine/FolderBank.h"
#include "tests/a11y/A11yKit.h"
#include "tests/app/AppTestKit.h"
#include "tests/ui/GameTestKit.h"
#include "ui/PictureButton.h"

namespace soruberia::a11y {
namespace {

using ui::testing::ContentFolder;
using ui::testing::FakeClock;
using ui::testing::RecordingApp;
using ui::testing::ScriptedRandom;

std::string NoExtra(int) { return {}; }

class GameKeyboard : public ::testing::Test {
protected:
    void Open(const std::function<std::vector<int>(int)>& answers) {
        content_ = std::make_unique<ContentFolder>(answers, NoExtra);
        bank_.emplace(content_->BasePath());
        game_ = std::make_unique<ui::testing::GameUnderTest>(
            content_->BasePath(),
            ui::testing::GameServices{pictures_, sound_, clock_, random_, app_, *bank_});
        form_ = game_->Window();
        ASSERT_TRUE(ShowActive(*form_));
    }
    void TearDown() override { delete form_.data(); }

    QWidget* W(const QString& name) const {
        auto* child = form_->findChild<QWidget*>(name);
        if (child == nullptr) ADD_FAILURE() << "no widget " << name.toStdString();
        return child;
    }
    QString Text(const char* label) const {
        return static_cast<QLabel*>(W(QLatin1String(label)))->text();
    }
    bool Shown(const char* name) const { return W(QLatin1String(name))->isVisible(); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        a11y::Key(*form_, key, modifiers);
    }
    QString SpokenFocus() const { return Spoken(QApplication::focusWidget()); }
    bool TickUntil(const std::function<bool()>& done, int maxTicks = 20) {
        return ui::testing::TickUntil(*form_, clock_, done, maxTicks);
    }

    std::unique_ptr<ContentFolder> content_;
    platform::QtPictureLoader pictures_;
    ui::testing::FakeSound sound_;
    FakeClock clock_;
    ScriptedRandom random_;
    RecordingApp app_;
    std::optional<engine::FolderBank> bank_;
    QPointer<ui::FormWindow> form_;
    std::unique_ptr<ui::testing::GameUnderTest> game_;
};

TEST_F(GameKeyboard, TabWalksTheButtonsAsAScreenReaderNamesThem) {
    Open([](int) { return std::vector<int>{1}; });
    const QStringList heard{
        QStringLiteral("Ag⁺"), QStringLiteral("Al³⁺"), QStringLiteral("Ba²⁺"), QStringLiteral("Ca²⁺"),
        QStringLiteral("Cu²⁺"), QStringLiteral("Fe²⁺"), QStringLiteral("Fe³⁺"), QStringLiteral("Hg²⁺"),
        QStringLiteral("Mg²⁺"), QStringLiteral("Pb²⁺"), QStringLiteral("Sn²⁺"), QStringLiteral("Zn²⁺"),
        QStringLiteral("終了"), QStringLiteral("ヒント"),
        QStringLiteral("Ag⁺"),  // the hidden retry button is passed over
    };
    ASSERT_EQ(FocusName(), QStringLiteral("Command1_1"));
    QStringList walked{SpokenFocus()};
    for (qsizetype i = 1; i < heard.size(); ++i) {
        Key(Qt::Key_Tab);
        walked << SpokenFocus();
    }
    EXPECT_EQ(walked, heard);
    Key(Qt::Key_Backtab);
    EXPECT_EQ(FocusName(), QStringLiteral("Command3"));
    EXPECT_EQ(app_.hintsOpened, 0);  // moving the focus presses nothing
    EXPECT_EQ(app_.endRequests, 0);
}

TEST_F(GameKeyboard, OneQuestionPlayedWithTabAndSpaceAlone) {
    random_.questions = {1, 2};
    Open([](int) { return std::vector<int>{1, 3}; });
    ASSERT_EQ(Text("Label1"), QStringLiteral("Q1"));

    // No default button: Enter and Escape press nothing.
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) Key(key);
    EXPECT_FALSE(Shown("Image3"));
    EXPECT_EQ(Text("Label3"), QStringLiteral("2"));
    EXPECT_TRUE(form_->isVisible());

    Key(Qt::Key_Space);  // Ag⁺, which has the focus when the window opens
    EXPECT_TRUE(Shown("Image3"));
    EXPECT_EQ(Spoken(W(QStringLiteral("Image3"))), QStringLiteral("正解"));
    EXPECT_EQ(Text("Label3"), QStringLiteral("1"));
    EXPECT_EQ(Text("Label4"), QStringLiteral("100"));
    EXPECT_EQ(SpokenFocus(), QStringLiteral("Ag⁺ 正解済み"));

    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    ASSERT_EQ(SpokenFocus(), QStringLiteral("Ba²⁺"));
    Key(Qt::Key_Space);
    EXPECT_EQ(Text("Label3"), QStringLiteral("0"));
    EXPECT_EQ(Text("Label4"), QStringLiteral("200"));
    EXPECT_EQ(SpokenFocus(), QStringLiteral("Ba²⁺ 正解済み"));
    app::testing::SaveScreenshot(*form_, QStringLiteral("keyboard-game-found"));

    // A perfect question: the bonus, then the next question.
    ASSERT_TRUE(TickUntil([&] { return Shown("Image5"); }));
    ASSERT_TRUE(TickUntil([&] { return Text("Label1") == QStringLiteral("Q2"); }));
    EXPECT_EQ(Text("Label4"), QStringLiteral("700"));
    EXPECT_EQ(SpokenFocus(), QStringLiteral("Ba²⁺"));
}

TEST_F(GameKeyboard, RetryTakesTheFocusWhenItComesAndHandsItOnWhenItGoes) {
    // Six perfect questions of twelve answers reach 10200 points.
    Open([](int) { return std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}; });
    for (int question = 1; question <= 6; ++question) {
        const QString asked = Text("Label1");
        for (int i = 1; i <= 12; ++i)
            static_cast<ui::PictureButton*>(W(QStringLiteral("Command1_%1").arg(i)))->click();
        if (question < 6) {
            ASSERT_TRUE(TickUntil([&] { return Text("Label1") != asked; })) << question;
        }
    }
    ASSERT_TRUE(TickUntil([&] { return Shown("Command4"); }, 40));
    EXPECT_TRUE(Shown("Image4"));
    EXPECT_EQ(FocusName(), QStringLiteral("Command4"));
    EXPECT_EQ(SpokenFocus(), QStringLiteral("再挑戦"));
    app::testing::SaveScreenshot(*form_, QStringLiteral("keyboard-game-retry"));

    // It stands in the tab order after the hint button.
    Key(Qt::Key_Backtab);
    EXPECT_EQ(FocusName(), QStringLiteral("Command3"));
    Key(Qt::Key_Tab);
    EXPECT_EQ(FocusName(), QStringLiteral("Command4"));

    Key(Qt::Key_Space);  // a new game in the same window
    EXPECT_FALSE(Shown("Command4"));
    EXPECT_FALSE(Shown("Image4"));
    EXPECT_EQ(FocusName(), QStringLiteral("Command1_1"));
    Key(Qt::Key_Space);
    EXPECT_EQ(Text("Label4"), QStringLiteral("100"));
}

TEST_F(GameKeyboard, FocusRectangleShowsOnTheFocusedPictureButton) {
    Open([](int) { return std::vector<int>{1}; });
    auto* button = static_cast<ui::PictureButton*>(W(QStringLiteral("Command1_2")));
    const QImage before = button->grab().toImage();
    Key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), button);
    const QImage focused = button->grab().toImage().convertToFormat(before.format());
    // The rectangle lies 3 px inside the edges (in device pixels, 3 times
    // the ratio); the picture in the middle is left as it is.
    const int inset = 3 * static_cast<int>(button->devicePixelRatio());
    int changedOnRing = 0;
    for (int x = inset; x < focused.width() - inset; ++x) {
        const int bottom = focused.height() - inset - 1;
        if (focused.pixel(x, inset) != before.pixel(x, inset)) ++changedOnRing;
        if (focused.pixel(x, bottom) != before.pixel(x, bottom)) ++changedOnRing;
    }
    EXPECT_GT(changedOnRing, focused.width() / 2);
    const QPoint middle(focused.width() / 2, focused.height() / 2);
    EXPECT_EQ(focused.pixel(middle), before.pixel(middle));
}

TEST(MenuKeyboard, FocusFollowsTheButtonsThatAreShown) {
    app::testing::ContentFolder content;
    ui::testing::FakeServices services;
    ui::testing::GameUnderTest program(content.BasePath(), services.Services(content.BasePath()),
                                       ui::testing::GameUnderTest::Until::Menu);
    QPointer<ui::FormWindow> menu = program.Menu();
    ASSERT_TRUE(ShowActive(*menu));
    auto& timer = app::testing::Child<QTimer>(*menu, "Timer1");
    for (int tick = 0; tick < 6; ++tick) app::testing::Tick(timer);
    ASSERT_TRUE(app::testing::Child<QWidget>(*menu, "Command3").isVisible());

    // The buttons come up with the start button focused; the tab order
    // runs on from it to the quit and explanation buttons.
    EXPECT_EQ(FocusName(), QStringLiteral("Command3"));
    Key(*menu, Qt::Key_Tab);
    EXPECT_EQ(FocusName(), QStringLiteral("Command1"));
    Key(*menu, Qt::Key_Tab);
    EXPECT_EQ(Spoken(QApplication::focusWidget()), QStringLiteral("説明"));

    // The back button takes the place and the focus of the explanation
    // button, and gives the focus back to it.
    Key(*menu, Qt::Key_Space);
    EXPECT_TRUE(app::testing::Child<QWidget>(*menu, "Label2").isVisible());
    EXPECT_EQ(FocusName(), QStringLiteral("Command4"));
    app::testing::SaveScreenshot(*menu, QStringLiteral("keyboard-menu-explanation"));
    Key(*menu, Qt::Key_Tab);
    EXPECT_EQ(FocusName(), QStringLiteral("Command4"));  // the only button shown
    Key(*menu, Qt::Key_Space);
    EXPECT_FALSE(app::testing::Child<QWidget>(*menu, "Label2").isVisible());
    EXPECT_EQ(FocusName(), QStringLiteral("Command2"));

    Key(*menu, Qt::Key_Tab);
    EXPECT_EQ(Spoken(QApplication::focusWidget()), QStringLiteral("開始"));
    app::testing::SaveScreenshot(*menu, QStringLiteral("keyboard-menu-start"));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) Key(*menu, key);
    EXPECT_EQ(program.Window(), nullptr);
    Key(*menu, Qt::Key_Space);
    EXPECT_NE(program.Window(), nullptr);  // the game has started
    EXPECT_EQ(services.app.endRequests, 0);
}

TEST(HintKeyboard, ItsButtonHasTheFocusAndSpaceClosesIt) {
    ui::testing::ContentFolder content([](int) { return std::vector<int>{1}; },
                                       [](int) { return std::string(); });
    ui::testing::FakeServices services;
    ui::testing::GameUnderTest game(content.BasePath(), services.Services(content.BasePath()));
    QPointer<ui::FormWindow> hint = game.OpenHint();
    ASSERT_TRUE(ShowActive(*hint));
    EXPECT_EQ(FocusName(), QStringLiteral("Command1"));
    EXPECT_EQ(Spoken(QApplication::focusWidget()), QStringLiteral("戻る"));
    app::testing::SaveScreenshot(*hint, QStringLiteral("keyboard-hint"));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) Key(*hint, key);
    app::testing::FlushDeferredDeletes();
    ASSERT_FALSE(hint.isNull());
    Key(*hint, Qt::Key_Space);
    app::testing::FlushDeferredDeletes();
    EXPECT_TRUE(hint.isNull());
}

}  // namespace
}  // namespace soruberia::a11y
