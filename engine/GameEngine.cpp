// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "engine/GameEngine.h"

#include <cmath>
#include <limits>
#include <utility>

#include "content/ContentPaths.h"
#include "content/FatalError.h"
#include "engine/Checked.h"
#include "engine/ClockFoldedRandom.h"
#include "engine/Stamp.h"
#include "layout/GameLayout.h"

namespace soruberia::engine {

namespace {

constexpr int kTimerIntervalMs = 500;
constexpr int kPointsPerAnswer = 100;
constexpr int kBonusPoints = 500;
constexpr int kGoalScore = 10000;
constexpr int kFailureLevel = 5;

// Only "5 or more" and "not 0" are ever asked of the miss counters, so at the
// 16-bit limit they stay put instead of ending the game.
std::int16_t SaturatingIncrement(std::int16_t counter) {
    return counter == std::numeric_limits<std::int16_t>::max()
               ? counter
               : static_cast<std::int16_t>(counter + 1);
}

std::string Decimal(int value) { return std::to_string(value); }

std::string TimerStartName(int timerNumber) {
    return "timer" + std::to_string(timerNumber) + "Start";
}

}  // namespace

GameEngine::GameEngine(std::string basePath, GameView& view, Services services)
    : basePath_(std::move(basePath)), view_(view), services_(services) {}

void GameEngine::Load() { StartGame(); }

// ---- game start -------------------------------------------------------------

void GameEngine::StartGame() {
    record_.missLevel = 0;
    record_.score = 0;
    record_.inputLocked.Clear();
    record_.questionMisses = 0;
    record_.hintUsed.Clear();
    record_.bonusPending.Clear();
    view_.SetLabelText(TextLabel::Label4, "");
    record_.questionCount = static_cast<std::int16_t>(kQuestionsInPlay);
    record_.gaugeHomeLeft =
        RoundedInt<std::int16_t>(static_cast<double>(view_.GaugeLeft()), "gaugeHomeLeft");
    view_.SetVisible(Widget::Image1, true);
    for (int q = 1; q <= record_.questionCount; ++q) {
        At(record_.askedFlags, q, "askedFlags").Clear();
        At(record_.recentQueue, q, "recentQueue") = 0;
    }
    ResetIonButtons();
    // One file at a time: the answer key is fetched only once the texts are read.
    StoreQuestionTexts(ParseQuestionTexts(services_.bank.QuestionTexts(), record_.questionCount),
                       record_.questionTexts);
    StoreAnswerKey(ParseAnswerKey(services_.bank.AnswerKey(), record_.questionCount),
                   record_.answerCounts, record_.answerKey);
    PickQuestion();
}

void GameEngine::ResetIonButtons() {
    for (int i = 1; i <= kIonCount; ++i) {
        At(record_.foundFlags, i, "foundFlags").Clear();
    }
    for (int i = 1; i <= kIonCount; ++i) {
        view_.SetIonButtonPicture(i, LoadPicture(IonPictureName(i, false)));
    }
}

// ---- question selection -----------------------------------------------------

void GameEngine::PickQuestion() {
    DrawQuestion();
    CheckRecent();
}

void GameEngine::DrawQuestion() {
    services_.random.Reseed();
    const float r = services_.random.Draw();
    if (!(r >= 0.0f && r < 1.0f)) {
        throw FatalError("the random generator drew " + std::to_string(r) +
                         ", outside 0 <= r < 1");
    }
    record_.currentQuestion =
        Checked16(QuestionNumberFor(r, record_.questionCount), "currentQuestion");
}

void GameEngine::CheckRecent() {
    // A question in the recent window is drawn again, as often as it takes;
    // at most 14 of the 26 are ever flagged.
    while (At(record_.askedFlags, record_.currentQuestion, "askedFlags").IsSet()) {
        DrawQuestion();
    }
    RecordQuestion();
}

void GameEngine::RecordQuestion() {
    At(record_.askedFlags, At(record_.recentQueue, 1, "recentQueue"), "askedFlags").Clear();
    At(record_.askedFlags, record_.currentQuestion, "askedFlags").Set();
    const int h = record_.questionCount / 2;
    for (int i = 1; i <= h; ++i) {
        At(record_.recentQueue, i, "recentQueue") = At(record_.recentQueue, i + 1, "recentQueue");
    }
    At(record_.recentQueue, h + 1, "recentQueue") = record_.currentQuestion;
    ShowQuestion();
}

void GameEngine::ShowQuestion() {
    const int q = record_.currentQuestion;
    view_.SetLabelText(TextLabel::Label1, At(record_.questionTexts, q, "questionTexts"));
    record_.hintUsed.Clear();
    record_.questionMisses = 0;
    record_.bonusPending.Clear();
    record_.answersLeft = At(record_.answerCounts, q, "answerCounts");
    view_.SetLabelText(TextLabel::Label3, Decimal(At(record_.answerCounts, q, "answerCounts")));
    ResetIonButtons();
}

// ---- presses ----------------------------------------------------------------

void GameEngine::PressIon(int ionNumber) {
    if (ionNumber < 1 || ionNumber > kIonCount) {
        throw FatalError("Command1(" + Decimal(ionNumber) + "): there is no such ion button");
    }
    if (record_.inputLocked.IsSet()) {
        return;
    }
    Flag& found = At(record_.foundFlags, ionNumber, "foundFlags");
    if (!found.IsSet()) {
        const int q = record_.currentQuestion;
        const int count = At(record_.answerCounts, q, "answerCounts");
        const auto& answers = At(record_.answerKey, q, "answerKey");
        bool correct = false;
        for (int k = 1; k <= count; ++k) {
            if (At(answers, k, "answerKey answer slot") == ionNumber) {
                correct = true;
            }
        }
        if (correct) {
            if (!record_.hintUsed.IsSet()) {
                record_.score = Checked16(record_.score + kPointsPerAnswer, "score");
            }
            found.Set();
            record_.answersLeft = Checked16(record_.answersLeft - 1, "answersLeft");
            view_.SetLabelText(TextLabel::Label3, Decimal(record_.answersLeft));
            ShowScore();
            view_.SetIonButtonPicture(ionNumber, LoadPicture(IonPictureName(ionNumber, true)));
            PlaySound(paths::kSoundCorrect);
            view_.SetMarkPicture(LoadPicture(paths::kMarkCorrect), Judgement::Correct);
            view_.SetVisible(Widget::Image3, true);
        } else {
            if (!record_.hintUsed.IsSet()) {
                record_.missLevel = SaturatingIncrement(record_.missLevel);
                record_.questionMisses = SaturatingIncrement(record_.questionMisses);
                if (record_.missLevel < kFailureLevel) {
                    record_.score = Checked16(record_.score - kPointsPerAnswer, "score");
                }
                if (record_.score < 0) {
                    record_.score = 0;
                }
            }
            ShowScore();
            PlaySound(paths::kSoundWrong);
            view_.SetMarkPicture(LoadPicture(paths::kMarkWrong), Judgement::Wrong);
            view_.SetVisible(Widget::Image3, true);
        }
    }
    ArmTimer(1);
}

void GameEngine::PressQuit() { services_.app.EndProgram(); }

void GameEngine::PressHint() {
    record_.hintUsed.Set();
    services_.app.OpenHint();
}

void GameEngine::PressRetry() {
    view_.SetVisible(Widget::Command4, false);
    view_.SetVisible(Widget::Image4, false);
    view_.SetVisible(Widget::Image1, false);
    view_.SetGaugeLeft(static_cast<float>(record_.gaugeHomeLeft));
    StartGame();
}

// ---- timers -----------------------------------------------------------------

void GameEngine::ArmTimer(int timerNumber) {
    view_.SetTimerInterval(timerNumber, kTimerIntervalMs);
    At(armed_, timerNumber, "Timer") = true;
    record_.TimerStart(timerNumber) =
        TakeStamp(services_.clock.SecondsSinceMidnight(), TimerStartName(timerNumber));
}

void GameEngine::DisarmTimer(int timerNumber) {
    view_.SetTimerInterval(timerNumber, 0);
    At(armed_, timerNumber, "Timer") = false;
}

void GameEngine::Tick(int timerNumber) {
    const std::int32_t stamp = record_.TimerStart(timerNumber);  // rejects numbers outside 1..6
    if (!At(armed_, timerNumber, "Timer")) {
        return;  // a tick that was already queued when the timer stopped
    }
    const double threshold = timerNumber == 6 ? 4.0 : 1.0;
    if (!WaitIsOver(services_.clock.SecondsSinceMidnight(), stamp, threshold)) {
        return;
    }
    DisarmTimer(timerNumber);
    switch (timerNumber) {
        case 1: Timer1Action(); break;
        case 2: Timer2Action(); break;
        case 3: Timer3Action(); break;
        case 4: Timer4Action(); break;
        case 5: Timer5Action(); break;
        default: Timer6Action(); break;
    }
}

// End of the feedback pause.
void GameEngine::Timer1Action() {
    view_.SetVisible(Widget::Image3, false);
    if (record_.missLevel >= kFailureLevel) {
        record_.missLevel = kFailureLevel;
    }
    PlaceGauge();
    if (record_.missLevel == kFailureLevel) {
        StartFailure();
        return;
    }
    if (record_.answersLeft != 0) {
        return;
    }
    if (record_.questionMisses == 0 && !record_.hintUsed.IsSet()) {
        record_.bonusPending.Set();
        view_.SetVisible(Widget::Image5, true);
        record_.score = Checked16(record_.score + kBonusPoints, "score");
        ArmTimer(4);
    }
    if (record_.score >= kGoalScore) {
        StartGoal();
    } else if (!record_.bonusPending.IsSet()) {
        PickQuestion();
    }
}

void GameEngine::StartFailure() {
    view_.SetVisible(Widget::Image2, true);
    PlaySound(paths::kSoundBurst);
    ArmTimer(2);
}

void GameEngine::Timer2Action() {
    PlaySound(paths::kSoundFailure);
    ArmTimer(3);
}

// End of a failure.
void GameEngine::Timer3Action() {
    view_.SetVisible(Widget::Image3, false);
    record_.missLevel = 0;
    view_.SetGaugeLeft(static_cast<float>(record_.gaugeHomeLeft));
    view_.SetVisible(Widget::Image2, false);
    record_.score = Checked16(static_cast<long long>(std::floor(record_.score / 2.0)), "score");
    ShowScore();
    PickQuestion();
}

// End of the bonus display.
void GameEngine::Timer4Action() {
    view_.SetVisible(Widget::Image5, false);
    ShowScore();
    if (record_.score < kGoalScore) {
        PickQuestion();
    }
}

void GameEngine::StartGoal() {
    record_.inputLocked.Set();
    ArmTimer(5);
}

void GameEngine::Timer5Action() {
    ShowScore();
    view_.SetVisible(Widget::Image3, false);
    PlaySound(paths::kSoundPass);
    view_.SetVisible(Widget::Image4, true);
    ArmTimer(6);
}

void GameEngine::Timer6Action() { view_.SetVisible(Widget::Command4, true); }

// ---- helpers ----------------------------------------------------------------

// The gauge is placed for the level, never stepped from where it stands.
void GameEngine::PlaceGauge() {
    const std::int16_t offset = Checked16(record_.missLevel * layout::kGaugeStep, "missLevel * kGaugeStep");
    const std::int16_t left = Checked16(record_.gaugeHomeLeft + offset,
                                        "left edge of Image1 (gaugeHomeLeft + missLevel * kGaugeStep)");
    view_.SetGaugeLeft(static_cast<float>(left));
}

void GameEngine::ShowScore() { view_.SetLabelText(TextLabel::Label4, Decimal(record_.score)); }

PicturePtr GameEngine::LoadPicture(std::string_view relativePath) {
    const std::string fullPath = FullPath(basePath_, relativePath);
    PicturePtr picture = services_.pictures.Load(fullPath);
    if (!picture) {
        throw FatalError(fullPath + ": the picture loader returned no picture");
    }
    return picture;
}

void GameEngine::PlaySound(std::string_view relativePath) {
    services_.sound.Play(FullPath(basePath_, relativePath));
}

}  // namespace soruberia::engine
