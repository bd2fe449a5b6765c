// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The game window as it opens: every widget's place, size, state and look,
// the stacking of labels and pictures, the tab order and the focus.

#include <optional>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/FolderBank.h"
#include "tests/ui/GameTestKit.h"
#include "ui/Fonts.h"
#include "ui/PictureButton.h"

namespace soruberia::ui::testing {
namespace {

std::vector<int> TwoAnswers(int q) { return {(q - 1) % 12 + 1, (q + 5) % 12 + 1}; }
std::string NoExtra(int) { return {}; }

// One window for the whole suite: nothing here changes it.
class GameFormOpening : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        content_ = new ContentFolder(TwoAnswers, NoExtra);
        bank_.emplace(content_->BasePath());
        game_ = std::make_unique<GameUnderTest>(
            content_->BasePath(), GameServices{pictures_, sound_, clock_, random_, app_, *bank_});
        form_ = game_->Window();
    }
    static void TearDownTestSuite() {
        game_.reset();
        delete content_;
    }

    template <typename T = QWidget>
    static T* Child(const QString& name) {
        T* child = form_->findChild<T*>(name);
        if (child == nullptr) ADD_FAILURE() << "no widget " << name.toStdString();
        return child;
    }

    static inline ContentFolder* content_ = nullptr;
    static inline platform::QtPictureLoader pictures_;
    static inline FakeSound sound_;
    static inline FakeClock clock_;
    static inline ScriptedRandom random_;
    static inline RecordingApp app_;
    static inline std::optional<engine::FolderBank> bank_;
    static inline QPointer<GameForm> form_;
    static inline std::unique_ptr<GameUnderTest> game_;
};

struct Placement {
    const char* name;
    QRect box;  // px
    bool shown;
};

void PrintTo(const Placement& p, std::ostream* os) { *os << p.name; }

class GameFormPlacement : public GameFormOpening, public ::testing::WithParamInterface<Placement> {};

TEST_P(GameFormPlacement, StandsAtItsPlaceInItsOpeningState) {
    const Placement& expected = GetParam();
    QWidget* widget = Child(QString::fromLatin1(expected.name));
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->geometry(), expected.box);
    EXPECT_EQ(widget->isVisible(), expected.shown);
    EXPECT_TRUE(widget->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Widgets, GameFormPlacement,
    ::testing::Values(
        Placement{"Command1_1", {65, 50, 102, 61}, true},
        Placement{"Command1_2", {167, 50, 102, 61}, true},
        Placement{"Command1_3", {269, 50, 102, 61}, true},
        Placement{"Command1_4", {371, 50, 102, 61}, true},
        Placement{"Command1_5", {473, 50, 102, 61}, true},
        Placement{"Command1_6", {65, 112, 102, 61}, true},
        Placement{"Command1_7", {473, 112, 102, 61}, true},
        Placement{"Command1_8", {65, 174, 102, 61}, true},
        Placement{"Command1_9", {167, 174, 102, 61}, true},
        Placement{"Command1_10", {269, 174, 102, 61}, true},
        Placement{"Command1_11", {371, 174, 102, 61}, true},
        Placement{"Command1_12", {473, 174, 102, 61}, true},
        Placement{"Command2", {482, 11, 93, 31}, true},
        Placement{"Command3", {376, 11, 93, 31}, true},
        Placement{"Command4", {512, 336, 93, 31}, false},
        Placement{"Label1", {173, 118, 295, 49}, true},
        Placement{"Label2", {168, 112, 305, 65}, true},
        Placement{"Label3", {205, 248, 62, 41}, true},
        Placement{"Label4", {376, 248, 155, 41}, true},
        Placement{"Image1", {21, 305, 179, 84}, true},
        Placement{"Image2", {535, 305, 85, 84}, false},
        Placement{"Image3", {248, 240, 145, 145}, false},
        Placement{"Image4", {256, 240, 129, 145}, false},
        Placement{"Image5", {200, 240, 282, 100}, false}),
    [](const ::testing::TestParamInfo<Placement>& param) { return std::string(param.param.name); });

struct LabelLook {
    const char* name;
    QString family;
    int pixelSize;
    QColor text;
    QColor ground;
    Qt::Alignment alignment;
};

void PrintTo(const LabelLook& l, std::ostream* os) { *os << l.name; }

class GameFormLabelLook : public GameFormOpening, public ::testing::WithParamInterface<LabelLook> {};

TEST_P(GameFormLabelLook, IsAnOpaqueBoxWithItsFontAndColours) {
    const LabelLook& expected = GetParam();
    auto* label = Child<QLabel>(QString::fromLatin1(expected.name));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->font().family(), expected.family);
    EXPECT_EQ(label->font().pixelSize(), expected.pixelSize);
    EXPECT_TRUE(label->font().bold());
    EXPECT_EQ(label->palette().color(QPalette::WindowText), expected.text);
    EXPECT_EQ(label->palette().color(QPalette::Window), expected.ground);
    EXPECT_TRUE(label->autoFillBackground());
    // Text starts at the top and wraps; what does not fit is cut at the bottom.
    EXPECT_EQ(label->alignment(), expected.alignment | Qt::AlignTop);
    EXPECT_TRUE(label->wordWrap());
    EXPECT_EQ(label->textFormat(), Qt::PlainText);  // a question is never markup

    // The box itself is painted in its ground colour.
    const QImage shot = label->grab().toImage();
    EXPECT_EQ(shot.pixelColor(shot.width() - 1, shot.height() - 1), expected.ground);
}

INSTANTIATE_TEST_SUITE_P(
    Labels, GameFormLabelLook,
    ::testing::Values(LabelLook{"Label1", kPMincho, 20, QColor(255, 255, 0), QColor(0, 0, 64), Qt::AlignLeft},
                      LabelLook{"Label3", kMincho, 37, Qt::white, Qt::black, Qt::AlignHCenter},
                      LabelLook{"Label4", kMincho, 37, Qt::white, Qt::black, Qt::AlignHCenter}),
    [](const ::testing::TestParamInfo<LabelLook>& param) { return std::string(param.param.name); });

TEST_F(GameFormOpening, QuestionFrameIsAnEmptyNavyBox) {
    auto* frame = Child<QLabel>(QStringLiteral("Label2"));
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->text().isEmpty());
    EXPECT_TRUE(frame->autoFillBackground());
    EXPECT_EQ(frame->palette().color(QPalette::Window), QColor(0, 0, 64));
}

TEST_F(GameFormOpening, OnlyTheMarkAndTheMedalStretchTheirPictures) {
    for (const char* name : {"Image1", "Image2", "Image3", "Image4", "Image5"}) {
        auto* box = Child<QLabel>(QString::fromLatin1(name));
        ASSERT_NE(box, nullptr);
        const bool stretches = std::string(name) == "Image3" || std::string(name) == "Image4";
        EXPECT_EQ(box->hasScaledContents(), stretches) << name;
    }
}

TEST_F(GameFormOpening, ColumnBesideTheBackgroundShowsTheWindowsTeal) {
    const QImage shot = form_->grab().toImage();
    EXPECT_EQ(shot.pixelColor(640, 5), QColor(0, 170, 170));
    EXPECT_EQ(shot.pixelColor(640, 395), QColor(0, 170, 170));
}

TEST_F(GameFormOpening, LabelsAndPicturesStackBeneathEveryButton) {
    const std::vector<QString> bottomToTop = {
        "Label2", "Image1", "Image2", "Label1", "Label3", "Label4", "Image3", "Image4", "Image5"};
    std::vector<QString> stacked;
    int lowestButton = -1;
    int highestPicture = -1;
    const QObjectList& children = form_->children();
    for (int i = 0; i < children.size(); ++i) {
        const QString name = children[i]->objectName();
        if (qobject_cast<PictureButton*>(children[i]) != nullptr) {
            if (lowestButton < 0) lowestButton = i;
        } else if (qobject_cast<QLabel*>(children[i]) != nullptr) {
            stacked.push_back(name);
            highestPicture = i;
        }
    }
    EXPECT_EQ(stacked, bottomToTop);
    EXPECT_LT(highestPicture, lowestButton);
}

TEST_F(GameFormOpening, TabOrderRunsThroughTheButtonsFromIonOne) {
    std::vector<QString> expected;
    for (int i = 1; i <= 12; ++i) expected.push_back(QStringLiteral("Command1_%1").arg(i));
    expected.insert(expected.end(), {"Command2", "Command3", "Command4"});

    QWidget* first = Child(QStringLiteral("Command1_1"));
    ASSERT_NE(first, nullptr);
    std::vector<QString> order;
    QWidget* widget = first;
    do {
        if (widget->focusPolicy() & Qt::TabFocus) order.push_back(widget->objectName());
        widget = widget->nextInFocusChain();
    } while (widget != first && order.size() < 40);
    EXPECT_EQ(order, expected);
}

TEST_F(GameFormOpening, FirstIonButtonHasTheFocus) {
    ASSERT_NE(form_->focusWidget(), nullptr);
    EXPECT_EQ(form_->focusWidget()->objectName(), QStringLiteral("Command1_1"));
}

TEST_F(GameFormOpening, AllSixTimersAreIdle) {
    for (int n = 1; n <= 6; ++n) {
        auto* timer = Child<QTimer>(QStringLiteral("Timer%1").arg(n));
        ASSERT_NE(timer, nullptr);
        EXPECT_FALSE(timer->isActive()) << "Timer" << n;
    }
}

}  // namespace
}  // namespace soruberia::ui::testing
