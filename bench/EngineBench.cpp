// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The engine's heavy paths with the real picture loader and the default
// content of data/: a press, the next question (twelve GIF loads), a game
// start, and the reading of the question bank.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdint>
#include <string>

#include "content/ContentPaths.h"
#include "content/QuestionBank.h"
#include "engine/ClockFoldedRandom.h"
#include "engine/FolderBank.h"
#include "engine/GameEngine.h"
#include "platform/QtPicture.h"

namespace {

using namespace soruberia;
using namespace soruberia::engine;

const std::string kBasePath = SORUBERIA_DATA_DIR;

// A window that accepts every operation and keeps only the gauge position.
class AcceptingView final : public GameView {
public:
    void SetLabelText(TextLabel, const std::string& text) override { benchmark::DoNotOptimize(text); }
    void SetIonButtonPicture(int, PicturePtr picture) override { benchmark::DoNotOptimize(picture); }
    void SetMarkPicture(PicturePtr picture) override { benchmark::DoNotOptimize(picture); }
    void SetVisible(Widget, bool) override {}
    float GaugeLeft() const override { return gauge_; }
    void SetGaugeLeft(float twips) override { gauge_ = twips; }
    void SetTimerInterval(int, int) override {}

private:
    float gauge_ = 315.0F;
};

// The sound channel is measured on its own; here it takes the path only.
class SilentSound final : public SoundPlayer {
public:
    void Play(const std::string& path) override { benchmark::DoNotOptimize(path); }
};

// Time moves only when a bench says so, from ten in the morning.
class SteppedClock final : public Clock {
public:
    float SecondsSinceMidnight() override { return static_cast<float>(now_); }
    void Advance(double seconds) { now_ += seconds; }

private:
    double now_ = 36000.0;
};

class NoRequests final : public AppRequests {
public:
    void OpenHint() override {}
    void EndProgram() override {}
};

std::size_t Index(int i) { return static_cast<std::size_t>(i); }
int Slot(const GameRecord& r, int q, int k) { return r.answerKey.at(Index(q)).at(Index(k)); }

// One game window's worth of engine, loaded with the first question.
struct Game {
    AcceptingView view;
    platform::QtPictureLoader pictures;
    SilentSound sound;
    SteppedClock clock;
    ClockFoldedRandom random{clock, 20240601};
    NoRequests app;
    FolderBank bank{kBasePath};
    GameEngine engine{kBasePath, view, Services{pictures, sound, clock, random, app, bank}};

    Game() { engine.Load(); }

    // A correct ion of the question on screen not yet found, or 0.
    int UnfoundAnswer() const {
        const GameRecord& r = engine.Record();
        const int q = r.currentQuestion;
        for (int k = 1; k <= r.answerCounts.at(Index(q)); ++k) {
            const int ion = Slot(r, q, k);
            if (ion >= 1 && ion <= kIonCount && !r.foundFlags.at(Index(ion)).IsSet()) return ion;
        }
        return 0;
    }

    // An ion that is not a correct answer of the question on screen.
    int WrongIon() const {
        const GameRecord& r = engine.Record();
        const int q = r.currentQuestion;
        for (int ion = 1; ion <= kIonCount; ++ion) {
            bool correct = false;
            for (int k = 1; k <= r.answerCounts.at(Index(q)); ++k) correct = correct || Slot(r, q, k) == ion;
            if (!correct) return ion;
        }
        return 0;
    }

    // Finds every correct ion with the hint open, so that no bonus and no
    // goal ever comes, and lets the clock run past the feedback pause: the
    // next tick of Timer1 puts the next question on screen.
    void CompleteQuestion() {
        engine.PressHint();
        for (int ion = UnfoundAnswer(); ion != 0; ion = UnfoundAnswer()) engine.PressIon(ion);
        clock.Advance(2.0);
    }
};

// A correct press: score and answers-left labels, the found picture of the
// button and the right-answer mark read from disk, the sound named, Timer1
// armed. The hint is open so that the score never reaches the goal; it only
// spares the addition of 100.
void BM_PressCorrect(benchmark::State& state) {
    Game game;
    game.engine.PressHint();
    for (auto _ : state) {
        int ion = game.UnfoundAnswer();
        if (ion == 0) {
            state.PauseTiming();
            game.clock.Advance(2.0);
            game.engine.Tick(1);
            game.engine.PressHint();
            ion = game.UnfoundAnswer();
            state.ResumeTiming();
            if (ion == 0) {
                state.SkipWithError("the next question has no correct ion");
                break;
            }
        }
        game.engine.PressIon(ion);
    }
    state.SetLabel("2 GIF loads");
}
BENCHMARK(BM_PressCorrect)->Unit(benchmark::kMicrosecond);

// A wrong press: score label, the wrong-answer mark read from disk, the
// sound named, Timer1 armed. Misses pile up; no pause ever ends.
void BM_PressWrong(benchmark::State& state) {
    Game game;
    const int ion = game.WrongIon();
    for (auto _ : state) game.engine.PressIon(ion);
    state.SetLabel("1 GIF load");
}
BENCHMARK(BM_PressWrong)->Unit(benchmark::kMicrosecond);

// The end of the feedback pause after the last correct ion: Timer1's action
// draws the next question and ShowQuestion reads the twelve ion pictures.
void BM_NextQuestion(benchmark::State& state) {
    Game game;
    for (auto _ : state) {
        state.PauseTiming();
        game.CompleteQuestion();
        const auto recentBefore = game.engine.Record().recentQueue;
        state.ResumeTiming();
        game.engine.Tick(1);
        if (game.engine.Record().recentQueue == recentBefore) {
            state.SkipWithError("no new question came");
            break;
        }
    }
    state.SetLabel("12 GIF loads");
}
BENCHMARK(BM_NextQuestion)->Unit(benchmark::kMicrosecond);

// The retry button: StartGame reads the bank and loads the twelve pictures
// twice (reset, then the first question).
void BM_StartGame(benchmark::State& state) {
    Game game;
    for (auto _ : state) game.engine.PressRetry();
    state.SetLabel("bank + 24 GIF loads");
}
BENCHMARK(BM_StartGame)->Unit(benchmark::kMicrosecond);

void BM_ReadQuestionBank(benchmark::State& state) {
    QuestionTextTable texts{};
    AnswerCountTable counts{};
    AnswerKeyTable key{};
    for (auto _ : state) {
        ReadQuestionTexts(kBasePath, 26, texts);
        ReadAnswerKey(kBasePath, 26, counts, key);
        benchmark::DoNotOptimize(texts);
        benchmark::DoNotOptimize(key);
    }
    state.SetLabel("mondai.txt + kotae.txt");
}
BENCHMARK(BM_ReadQuestionBank)->Unit(benchmark::kMicrosecond);

// Single pictures, for scale: an ion button and the judgement mark.
void BM_LoadPicture(benchmark::State& state, const std::string& relative) {
    platform::QtPictureLoader pictures;
    const std::string path = FullPath(kBasePath, relative);
    for (auto _ : state) benchmark::DoNotOptimize(pictures.Load(path));
}
BENCHMARK_CAPTURE(BM_LoadPicture, ion_101x61, IonPictureName(1, false))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LoadPicture, mark_145x145, std::string(paths::kMarkWrong))->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    // Pictures become pixmaps, which need a GUI application; no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
