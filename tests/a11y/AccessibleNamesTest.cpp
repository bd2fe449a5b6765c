// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// What a screen reader hears for every widget of the three windows, read
// back through the accessibility interfaces Qt gives to assistive tools.

#include <optional>
#include <QLabel>
#include <QPointer>

#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "engine/FolderBank.h"
#include "tests/a11y/A11yKit.h"
#include "tests/app/AppTestKit.h"
#include "tests/ui/GameTestKit.h"
#include "app/AppController.h"
#include "ui/PictureButton.h"

namespace soruberia::a11y {
namespace {

using ui::testing::ContentFolder;
using ui::testing::FakeClock;
using ui::testing::RecordingApp;
using ui::testing::ScriptedRandom;

const std::array<QString, 13> kIons{
    QString(),
    QStringLiteral("Ag⁺"), QStringLiteral("Al³⁺"), QStringLiteral("Ba²⁺"), QStringLiteral("Ca²⁺"),
    QStringLiteral("Cu²⁺"), QStringLiteral("Fe²⁺"), QStringLiteral("Fe³⁺"), QStringLiteral("Hg²⁺"),
    QStringLiteral("Mg²⁺"), QStringLiteral("Pb²⁺"), QStringLiteral("Sn²⁺"), QStringLiteral("Zn²⁺"),
};

// Every question takes Ag⁺ and Ba²⁺.
std::vector<int> AgAndBa(int) { return {1, 3}; }
std::string NoExtra(int) { return {}; }

class GameNames : public ::testing::Test {
protected:
    void SetUp() override {
        random_.questions = {1, 2, 3};
        bank_.emplace(content_.BasePath());
        game_ = std::make_unique<ui::testing::GameUnderTest>(
            content_.BasePath(),
            ui::testing::GameServices{pictures_, sound_, clock_, random_, app_, *bank_});
        form_ = game_->Window();
    }
    void TearDown() override { delete form_.data(); }

    QWidget* W(const QString& name) const {
        auto* child = form_->findChild<QWidget*>(name);
        if (child == nullptr) ADD_FAILURE() << "no widget " << name.toStdString();
        return child;
    }
    QWidget* Ion(int i) const { return W(QStringLiteral("Command1_%1").arg(i)); }
    void Press(int i) const { static_cast<ui::PictureButton*>(Ion(i))->click(); }
    bool TickUntil(const std::function<bool()>& done) {
        return ui::testing::TickUntil(*form_, clock_, done);
    }

    ContentFolder content_{AgAndBa, NoExtra};
    platform::QtPictureLoader pictures_;
    ui::testing::FakeSound sound_;
    FakeClock clock_;
    ScriptedRandom random_;
    RecordingApp app_;
    std::optional<engine::FolderBank> bank_;
    QPointer<ui::FormWindow> form_;
    std::unique_ptr<ui::testing::GameUnderTest> game_;
};

TEST_F(GameNames, ButtonsWindowAndPicturesHaveNames) {
    EXPECT_EQ(Spoken(form_), QStringLiteral("ソルベリア"));
    for (int i = 1; i <= 12; ++i) {
        EXPECT_EQ(Spoken(Ion(i)), kIons[static_cast<std::size_t>(i)]) << "Command1(" << i << ")";
        EXPECT_EQ(RoleOf(Ion(i)), QAccessible::Button);
    }
    const std::array<std::pair<const char*, QString>, 3> buttons{{
        {"Command2", QStringLiteral("終了")},
        {"Command3", QStringLiteral("ヒント")},
        {"Command4", QStringLiteral("再挑戦")},
    }};
    for (const auto& [name, face] : buttons) {
        EXPECT_EQ(Spoken(W(QLatin1String(name))), face) << name;
        EXPECT_EQ(RoleOf(W(QLatin1String(name))), QAccessible::Button) << name;
    }
    const std::array<std::pair<const char*, QString>, 4> pictures{{
        {"Image1", QStringLiteral("ミスゲージ")},
        {"Image2", QStringLiteral("失敗")},
        {"Image4", QStringLiteral("合格")},
        {"Image5", QStringLiteral("ボーナス ５００点")},
    }};
    for (const auto& [name, spoken] : pictures) {
        EXPECT_EQ(Spoken(W(QLatin1String(name))), spoken) << name;
        EXPECT_EQ(RoleOf(W(QLatin1String(name))), QAccessible::Graphic) << name;
    }
    EXPECT_EQ(Spoken(W(QStringLiteral("Image1")), QAccessible::Description), QStringLiteral("ミス 0 回"));
    // Hidden pictures are reported as such, so screen readers pass them by.
    QAccessibleInterface* burst = QAccessible::queryAccessibleInterface(W(QStringLiteral("Image2")));
    ASSERT_NE(burst, nullptr);
    EXPECT_TRUE(burst->state().invisible);
}

TEST_F(GameNames, LabelsSayTheirTextAndWhatItCounts) {
    const std::array<std::tuple<const char*, QString, QString>, 3> labels{{
        {"Label1", QStringLiteral("Q1"), QStringLiteral("問題")},
        {"Label3", QStringLiteral("2"), QStringLiteral("正解残数")},
        {"Label4", QString(), QStringLiteral("得点")},
    }};
    for (const auto& [name, text, caption] : labels) {
        EXPECT_EQ(Spoken(W(QLatin1String(name))), text) << name;
        EXPECT_EQ(Spoken(W(QLatin1String(name)), QAccessible::Description), caption) << name;
        EXPECT_EQ(RoleOf(W(QLatin1String(name))), QAccessible::StaticText) << name;
    }
    Press(1);
    EXPECT_EQ(Spoken(W(QStringLiteral("Label3"))), QStringLiteral("1"));
    EXPECT_EQ(Spoken(W(QStringLiteral("Label4"))), QStringLiteral("100"));
}

TEST_F(GameNames, FoundIonsAndTheMarkAreReported) {
    Press(1);
    EXPECT_EQ(Spoken(Ion(1)), QStringLiteral("Ag⁺ 正解済み"));
    EXPECT_EQ(Spoken(Ion(2)), kIons[2]);
    EXPECT_EQ(Spoken(W(QStringLiteral("Image3"))), QStringLiteral("正解"));

    Press(2);  // wrong
    EXPECT_EQ(Spoken(Ion(2)), kIons[2]);
    EXPECT_EQ(Spoken(W(QStringLiteral("Image3"))), QStringLiteral("不正解"));
    ASSERT_TRUE(TickUntil([&] { return !W(QStringLiteral("Image3"))->isVisible(); }));
    EXPECT_EQ(Spoken(W(QStringLiteral("Image1")), QAccessible::Description), QStringLiteral("ミス 1 回"));

    Press(3);  // the question is complete; the next one resets the buttons
    EXPECT_EQ(Spoken(Ion(3)), QStringLiteral("Ba²⁺ 正解済み"));
    EXPECT_EQ(Spoken(W(QStringLiteral("Image3"))), QStringLiteral("正解"));
    ASSERT_TRUE(TickUntil([&] { return Spoken(W(QStringLiteral("Label1"))) == QStringLiteral("Q2"); }));
    EXPECT_EQ(Spoken(Ion(1)), kIons[1]);
    EXPECT_EQ(Spoken(Ion(3)), kIons[3]);
}

TEST(MenuNames, ButtonsTilesAndExplanation) {
    app::testing::ContentFolder content("遊び方の説明\r\n");
    app::AppController controller(content.BasePath(), [] {});
    controller.Start();
    QPointer<ui::FormWindow> menu = controller.Menu();
    EXPECT_EQ(Spoken(menu), QStringLiteral("メニュー"));
    const std::array<std::pair<const char*, QString>, 4> buttons{{
        {"Command1", QStringLiteral("終了")},
        {"Command2", QStringLiteral("説明")},
        {"Command3", QStringLiteral("開始")},
        {"Command4", QStringLiteral("戻る")},
    }};
    for (const auto& [name, face] : buttons) {
        auto& button = app::testing::Child<QWidget>(*menu, name);
        EXPECT_EQ(Spoken(&button), face) << name;
        EXPECT_EQ(RoleOf(&button), QAccessible::Button) << name;
    }
    const QString title = QStringLiteral("ソルベリア");
    for (int i = 0; i < 5; ++i) {
        auto* tile = menu->findChild<QWidget*>(QStringLiteral("Image1_%1").arg(i));
        ASSERT_NE(tile, nullptr);
        EXPECT_EQ(Spoken(tile), title.mid(i, 1)) << "Image1(" << i << ")";
        EXPECT_EQ(RoleOf(tile), QAccessible::Graphic);
    }
    auto& text = app::testing::Child<QLabel>(*menu, "Label2");
    EXPECT_EQ(Spoken(&text), QStringLiteral("遊び方の説明"));
    EXPECT_EQ(Spoken(&text, QAccessible::Description), QStringLiteral("説明"));
}

TEST(HintNames, WindowAndButton) {
    ContentFolder content{AgAndBa, NoExtra};
    ui::testing::FakeServices services;
    ui::testing::GameUnderTest game(content.BasePath(), services.Services(content.BasePath()));
    QPointer<ui::FormWindow> hint = game.OpenHint();
    ASSERT_FALSE(hint.isNull());
    EXPECT_EQ(Spoken(hint), QStringLiteral("ヒント"));
    auto& back = app::testing::Child<QWidget>(*hint, "Command1");
    EXPECT_EQ(Spoken(&back), QStringLiteral("戻る"));
    EXPECT_EQ(RoleOf(&back), QAccessible::Button);
}

}  // namespace
}  // namespace soruberia::a11y
