// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Games played through real button clicks and timer ticks: the engine's
// decisions must reach the real widgets.

#include <optional>
#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/FolderBank.h"
#include "content/FatalError.h"
#include "layout/GameLayout.h"
#include "tests/ui/GameTestKit.h"
#include "ui/PictureButton.h"
#include "ui/Twips.h"

namespace soruberia::ui::testing {
namespace {

// Question q has two answers, 6 buttons apart: Q1 takes 1 and 7, Q2 2 and 8...
std::vector<int> TwoAnswers(int q) { return {(q - 1) % 12 + 1, (q + 5) % 12 + 1}; }
std::vector<int> AllTwelve(int) { return {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}; }

// Question 3 is far longer than the question label can hold.
std::string LongThird(int q) {
    if (q != 3) return {};
    std::string text;
    for (int i = 0; i < 60; ++i) text += " word";
    return text;
}

constexpr int kGaugeHomePx = 21;
constexpr int kGaugeStepPx = 67;

class GameFormPlay : public ::testing::Test {
protected:
    void Open(const std::function<std::vector<int>(int)>& answers) {
        content_ = std::make_unique<ContentFolder>(answers, LongThird);
        bank_.emplace(content_->BasePath());
        game_ = std::make_unique<GameUnderTest>(
            content_->BasePath(), GameServices{pictures_, sound_, clock_, random_, app_, *bank_});
        form_ = game_->Window();
    }
    void TearDown() override { delete form_.data(); }

    template <typename T = QWidget>
    T* Child(const QString& name) const {
        T* child = form_->findChild<T*>(name);
        if (child == nullptr) ADD_FAILURE() << "no widget " << name.toStdString();
        return child;
    }
    PictureButton* Ion(int i) const { return Child<PictureButton>(QStringLiteral("Command1_%1").arg(i)); }
    QString Text(const char* label) const { return Child<QLabel>(QString::fromLatin1(label))->text(); }
    bool Shown(const char* name) const { return Child(QString::fromLatin1(name))->isVisible(); }
    int GaugeX() const { return Child(QStringLiteral("Image1"))->x(); }
    QColor Mark() const { return ColourOf(Child<QLabel>(QStringLiteral("Image3"))->pixmap()); }
    QTimer* Timer(int n) const { return Child<QTimer>(QStringLiteral("Timer%1").arg(n)); }
    void Click(int ion) const { QTest::mouseClick(Ion(ion), Qt::LeftButton); }
    void Click(const char* button) const {
        QTest::mouseClick(Child(QString::fromLatin1(button)), Qt::LeftButton);
    }
    bool TickUntil(const std::function<bool()>& done) { return testing::TickUntil(*form_, clock_, done); }
    void Tick() { TickOnce(*form_, clock_); }

    std::unique_ptr<ContentFolder> content_;
    platform::QtPictureLoader pictures_;
    FakeSound sound_;
    FakeClock clock_;
    ScriptedRandom random_;
    RecordingApp app_;
    std::optional<engine::FolderBank> bank_;
    QPointer<GameForm> form_;
    std::unique_ptr<GameUnderTest> game_;
};

TEST_F(GameFormPlay, ShortGameUpdatesTheRealWidgets) {
    random_.questions = {1, 2, 3};
    Open(TwoAnswers);

    // The first question is up before anything is pressed; the score is blank.
    EXPECT_EQ(Text("Label1"), QStringLiteral("Q1"));
    EXPECT_EQ(Text("Label3"), QStringLiteral("2"));
    EXPECT_EQ(Text("Label4"), QString());
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(ColourOf(Ion(i)->Picture()), PlainIonColour(i)) << i;

    // A miss: the wrong mark comes up over the answers-left counter.
    Click(2);
    EXPECT_EQ(Text("Label4"), QStringLiteral("0"));
    EXPECT_TRUE(Shown("Image3"));
    EXPECT_EQ(Mark(), kBatuColour);
    EXPECT_EQ(form_->grab().toImage().pixelColor(255, 260), kBatuColour);
    EXPECT_TRUE(Timer(1)->isActive());
    EXPECT_EQ(Timer(1)->interval(), 500);

    // The gauge moves one level only when the pause is over.
    Tick();
    EXPECT_TRUE(Shown("Image3"));
    EXPECT_EQ(GaugeX(), kGaugeHomePx);
    Tick();
    EXPECT_FALSE(Shown("Image3"));
    EXPECT_EQ(GaugeX(), kGaugeHomePx + kGaugeStepPx);
    EXPECT_FALSE(Timer(1)->isActive());
    EXPECT_EQ(form_->grab().toImage().pixelColor(255, 260), QColor(Qt::black));

    // Two hits: found pictures, counters, the right mark.
    Click(1);
    EXPECT_EQ(Text("Label3"), QStringLiteral("1"));
    EXPECT_EQ(Text("Label4"), QStringLiteral("100"));
    EXPECT_EQ(ColourOf(Ion(1)->Picture()), FoundIonColour(1));
    EXPECT_EQ(Mark(), kMaruColour);
    Click(7);
    EXPECT_EQ(Text("Label3"), QStringLiteral("0"));
    EXPECT_EQ(Text("Label4"), QStringLiteral("200"));
    EXPECT_EQ(ColourOf(Ion(7)->Picture()), FoundIonColour(7));

    // Not perfect: no bonus, the next question comes with plain buttons.
    ASSERT_TRUE(TickUntil([&] { return Text("Label1") == QStringLiteral("Q2"); }));
    EXPECT_FALSE(Shown("Image5"));
    EXPECT_EQ(Text("Label3"), QStringLiteral("2"));
    EXPECT_EQ(ColourOf(Ion(1)->Picture()), PlainIonColour(1));
    EXPECT_EQ(ColourOf(Ion(7)->Picture()), PlainIonColour(7));
    EXPECT_EQ(GaugeX(), kGaugeHomePx + kGaugeStepPx);  // misses carry over

    // Perfect: the bonus banner first, beside the old score, then the new score.
    Click(2);
    Click(8);
    ASSERT_TRUE(TickUntil([&] { return Shown("Image5"); }));
    EXPECT_EQ(Text("Label4"), QStringLiteral("400"));
    EXPECT_EQ(Text("Label1"), QStringLiteral("Q2"));
    ASSERT_TRUE(TickUntil([&] { return !Shown("Image5"); }));
    EXPECT_EQ(Text("Label4"), QStringLiteral("900"));
    EXPECT_TRUE(Text("Label1").startsWith(QStringLiteral("Q3 word")));

    // A question too long for its label stays inside it: the navy strip of
    // the frame below the label shows no text.
    const QImage shot = form_->grab().toImage();
    for (int x = 170; x < 470; x += 3)
        for (int y = 168; y < 177; ++y) ASSERT_EQ(shot.pixelColor(x, y), QColor(0, 0, 64)) << x << "," << y;
    EXPECT_EQ(Child(QStringLiteral("Label1"))->geometry(),
              TwipsRect(layout::Find(layout::GameWindow(), "Label1")->box));

    Click("Command3");
    EXPECT_EQ(app_.hintsOpened, 1);
    Click("Command2");
    EXPECT_EQ(app_.endRequests, 1);
}

TEST_F(GameFormPlay, FifthMissBurstsTheBalloonAndHalvesTheScore) {
    random_.questions = {1, 2, 3};
    Open(TwoAnswers);
    Click(1);
    Click(7);
    ASSERT_TRUE(TickUntil([&] { return Text("Label1") == QStringLiteral("Q2"); }));
    EXPECT_EQ(Text("Label4"), QStringLiteral("700"));  // 200 and the bonus

    Click(2);  // 800
    for (int i = 0; i < 5; ++i) Click(5);  // four cost 100 each, the fifth nothing
    EXPECT_EQ(Text("Label4"), QStringLiteral("400"));

    ASSERT_TRUE(TickUntil([&] { return Shown("Image2"); }));
    // The carriage runs into the balloon: its front touches the burst picture.
    EXPECT_EQ(GaugeX(), kGaugeHomePx + 5 * kGaugeStepPx);
    EXPECT_EQ(Child(QStringLiteral("Image1"))->geometry().right() + 1, Child(QStringLiteral("Image2"))->x());
    EXPECT_FALSE(Shown("Image3"));
    EXPECT_TRUE(Timer(2)->isActive());

    ASSERT_TRUE(TickUntil([&] { return !Shown("Image2"); }));
    EXPECT_EQ(GaugeX(), kGaugeHomePx);
    EXPECT_EQ(Text("Label4"), QStringLiteral("200"));
    EXPECT_TRUE(Text("Label1").startsWith(QStringLiteral("Q3")));
    for (int n = 1; n <= 6; ++n) EXPECT_FALSE(Timer(n)->isActive()) << n;
}

TEST_F(GameFormPlay, GoalShowsTheMedalAndRetryStartsAgain) {
    random_.questions = {1, 2, 3, 4, 5, 6, 7};
    Open(AllTwelve);

    // Six perfect questions of twelve answers: 5 × 1700, then 9700 + 500.
    for (int q = 1; q <= 6; ++q) {
        ASSERT_TRUE(Text("Label1").startsWith(QStringLiteral("Q%1").arg(q)));
        for (int i = 1; i <= 12; ++i) Click(i);
        ASSERT_TRUE(TickUntil([&] { return Shown("Image5"); })) << q;
        if (q < 6) {
            ASSERT_TRUE(TickUntil([&] { return !Shown("Image5"); })) << q;
        }
    }
    EXPECT_EQ(Text("Label4"), QStringLiteral("9700"));

    // Locked: a press neither judges nor arms the pause.
    Click(3);
    EXPECT_FALSE(Timer(1)->isActive());

    ASSERT_TRUE(TickUntil([&] { return Shown("Image4"); }));
    EXPECT_EQ(Text("Label4"), QStringLiteral("10200"));
    EXPECT_FALSE(Shown("Image3"));
    EXPECT_FALSE(Shown("Image5"));
    EXPECT_FALSE(Shown("Command4"));
    ASSERT_TRUE(TickUntil([&] { return Shown("Command4"); }));

    Click("Command4");
    EXPECT_FALSE(Shown("Command4"));
    EXPECT_FALSE(Shown("Image4"));
    EXPECT_TRUE(Shown("Image1"));
    EXPECT_EQ(GaugeX(), kGaugeHomePx);
    EXPECT_EQ(Text("Label4"), QString());
    EXPECT_TRUE(Text("Label1").startsWith(QStringLiteral("Q7")));
    Click(1);
    EXPECT_EQ(Text("Label4"), QStringLiteral("100"));
}

TEST_F(GameFormPlay, CloseBoxDeletesTheWindowMidPause) {
    Open(TwoAnswers);
    Click(5);
    ASSERT_TRUE(Timer(1)->isActive());
    QPointer<QTimer> timer = Timer(1);

    EXPECT_TRUE(form_->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form_.isNull());
    EXPECT_TRUE(timer.isNull());  // its timers went with it
    EXPECT_EQ(app_.endRequests, 0);
}

// The file names the game handed to its sound channel, in order.
std::vector<std::string> SoundNames(const FakeSound& sound) {
    std::vector<std::string> names;
    for (const std::string& path : sound.played) names.push_back(path.substr(path.find_last_of("\\/") + 1));
    return names;
}

TEST_F(GameFormPlay, SoundsOfAFailureReachTheChannelInTheirOrder) {
    random_.questions = {1, 2, 3};
    Open(TwoAnswers);
    Click(1);
    for (int i = 0; i < 5; ++i) Click(5);
    ASSERT_TRUE(TickUntil([&] { return Text("Label1").startsWith(QStringLiteral("Q2")); }));
    EXPECT_EQ(SoundNames(sound_), (std::vector<std::string>{"o.wav", "x.wav", "x.wav", "x.wav", "x.wav",
                                                            "x.wav", "pan.wav", "dame.wav"}));
    EXPECT_EQ(sound_.stops, 0);
}

TEST_F(GameFormPlay, CloseBoxMidFailureHaltsEveryPendingStep) {
    random_.questions = {1, 2, 3};
    Open(TwoAnswers);
    for (int i = 0; i < 5; ++i) Click(5);
    ASSERT_TRUE(TickUntil([&] { return Shown("Image2"); }));
    ASSERT_TRUE(Timer(2)->isActive());
    const std::size_t soundsBefore = sound_.played.size();
    const QString question = Text("Label1");
    QTimer* failureStep = Timer(2);

    EXPECT_TRUE(form_->close());
    // At once, before the window is deleted: the burst is silenced and no
    // timer runs.
    ASSERT_FALSE(form_.isNull());
    EXPECT_EQ(sound_.stops, 1);
    for (int n = 1; n <= 6; ++n) EXPECT_FALSE(Timer(n)->isActive()) << n;

    // A tick that was already on its way changes nothing.
    ASSERT_TRUE(QMetaObject::invokeMethod(failureStep, "timeout", Qt::DirectConnection));
    EXPECT_EQ(sound_.played.size(), soundsBefore);
    EXPECT_EQ(Text("Label1"), question);
    EXPECT_FALSE(Timer(3)->isActive());  // the failure's second step was never armed

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form_.isNull());
    EXPECT_EQ(sound_.played.size(), soundsBefore);
    EXPECT_EQ(app_.endRequests, 0);
}

TEST(GameFormLoad, MissingContentFailsBeforeTheWindowIsShown) {
    QTemporaryDir empty;
    FakeServices services;
    EXPECT_THROW(GameUnderTest(empty.path().toStdString(), services.Services(empty.path().toStdString())),
                 FatalError);
}

}  // namespace
}  // namespace soruberia::ui::testing
