// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/ClockFoldedRandom.h"
#include "engine/GameEngine.h"

namespace soruberia::engine {

// Lets a test put the record into a state that would take long to play to.
class GameEngineTestAccess {
public:
    static GameRecord& Record(GameEngine& engine) { return engine.record_; }
};

}  // namespace soruberia::engine

namespace enginetest {

using namespace soruberia;
using namespace soruberia::engine;

// Everything the engine does to the window, the speaker and the program, in
// one ordered list of readable lines. Paths are shown relative to the base.
class EventLog {
public:
    void Add(std::string line) {
        if (enabled) {
            lines_.push_back(std::move(line));
        }
    }
    std::vector<std::string> Take() { return std::exchange(lines_, {}); }
    const std::vector<std::string>& Lines() const { return lines_; }
    bool enabled = true;

private:
    std::vector<std::string> lines_;
};

// Simulated time. Now() runs on from the start without wrapping; the
// reading the engine sees is seconds since midnight, as a float.
class SimClock final : public Clock {
public:
    explicit SimClock(double start) : now_(start) {}
    float SecondsSinceMidnight() override;
    double Now() const { return now_; }
    void Set(double now) { now_ = now; }

private:
    double now_;
};

struct FakePicture final : Picture {
    explicit FakePicture(std::string p) : path(std::move(p)) {}
    std::string path;  // full path it was loaded from
};

class FakePictures final : public PictureLoader {
public:
    explicit FakePictures(std::string base) : base_(std::move(base)) {}
    PicturePtr Load(const std::string& fullPath) override;
    std::set<std::string> missing;  // relative paths that fail to load

private:
    std::string base_;
};

class FakeSound final : public SoundPlayer {
public:
    FakeSound(EventLog& log, std::string base) : log_(log), base_(std::move(base)) {}
    void Play(const std::string& fullPath) override;

private:
    EventLog& log_;
    std::string base_;
};

class FakeApp final : public AppRequests {
public:
    explicit FakeApp(EventLog& log) : log_(log) {}
    void OpenHint() override { log_.Add("open hint"); }
    void EndProgram() override { log_.Add("end program"); }

private:
    EventLog& log_;
};

// Draws from a script; runs dry -> test failure.
class ScriptedRandom final : public RandomSource {
public:
    void Reseed() override { calls.push_back("reseed"); }
    float Draw() override;
    std::deque<float> script;
    std::vector<std::string> calls;
};

// The game window: widget state, a log of every operation, and six timers
// that tick every 500 ms from the moment they are given a period (giving
// the period again restarts the phase, as a Qt timer does).
class FakeWindow final : public GameView {
public:
    FakeWindow(EventLog& log, SimClock& clock, std::string base);

    void SetLabelText(TextLabel label, const std::string& utf8Text) override;
    void SetIonButtonPicture(int ionNumber, PicturePtr picture) override;
    void SetMarkPicture(PicturePtr picture, Judgement judgement) override;
    void SetVisible(Widget widget, bool visible) override;
    float GaugeLeft() const override { return gaugeLeft; }
    void SetGaugeLeft(float twips) override;
    void SetTimerInterval(int timerNumber, int milliseconds) override;

    std::string Label(TextLabel label) const { return labels_.at(label); }
    bool Visible(Widget widget) const { return visible_.at(widget); }
    std::string ButtonPicture(int ion) const { return buttons_.at(static_cast<std::size_t>(ion)); }
    std::string MarkPicture() const { return mark_; }
    std::optional<Judgement> MarkJudgement() const { return judgement_; }
    bool Armed(int timer) const { return nextTick_.at(static_cast<std::size_t>(timer)).has_value(); }
    std::optional<double> NextTick(int timer) const { return nextTick_.at(static_cast<std::size_t>(timer)); }
    void AdvanceTick(int timer) { *nextTick_.at(static_cast<std::size_t>(timer)) += 0.5; }
    int Disarms(int timer) const { return disarms_.at(static_cast<std::size_t>(timer)); }
    double ArmedAt(int timer) const { return armedAt_.at(static_cast<std::size_t>(timer)); }

    float gaugeLeft = 315.0f;

private:
    std::string Relative(const PicturePtr& picture) const;

    EventLog& log_;
    SimClock& clock_;
    std::string base_;
    std::map<TextLabel, std::string> labels_;
    std::map<Widget, bool> visible_;
    std::array<std::string, 13> buttons_{};
    std::string mark_;
    std::optional<Judgement> judgement_;
    std::array<std::optional<double>, 7> nextTick_{};
    std::array<double, 7> armedAt_{};
    std::array<int, 7> disarms_{};
};

// A question bank as a test writes it.
struct Bank {
    std::vector<std::string> texts;             // 26 or more, one to a line, as given (CP932 bytes)
    std::vector<std::vector<int>> keys;         // one list of button numbers per question
    std::string rawKey;                         // if set, the answer key's bytes instead of `keys`

    static Bank Uniform(std::vector<int> key);  // every question has this key
};

// The question bank's two files, held in memory as their bytes.
class MemoryBank final : public QuestionBankSource {
public:
    void Set(const Bank& bank);
    ContentFile QuestionTexts() override;
    ContentFile AnswerKey() override;

    std::string texts;  // mondai.txt
    std::string key;    // kotae.txt
    int fetches = 0;    // files handed out so far
};

// "\図\ion(3).gif" and friends, as the logs show them.
std::string Plain(int ion);
std::string Found(int ion);

struct GameOptions {
    Bank bank = Bank::Uniform({3, 4});
    double start = 1000.3;  // clock at the start of the run
    std::uint64_t seed = 1;
    bool scriptedRandom = false;
    bool highestTimerFirst = false;  // order of ticks that fall due together
};

// One game window with everything around it, driven like the real program.
class Game {
public:
    explicit Game(GameOptions options = {});

    void Load() { engine.Load(); }
    void Press(int ion) { engine.PressIon(ion); }
    // Lets `seconds` pass, delivering every tick that falls due meanwhile.
    void Wait(double seconds);
    // Delivers the next tick that is due, moving the clock to it. False if
    // no timer is armed.
    bool Step();
    // Moves the clock without delivering any tick (a busy or late loop).
    void Skip(double seconds) { clock.Set(clock.Now() + seconds); }
    // Delivers one tick of `timer` now, out of its phase (a jittery loop).
    void TickNow(int timer);
    // Waits until `timer` has acted, at most `limit` seconds.
    void WaitFor(int timer, double limit = 10.0);

    GameRecord& Stage() { return GameEngineTestAccess::Record(engine); }
    const GameRecord& R() const { return engine.Record(); }
    std::vector<std::string> Log() { return log.Take(); }
    bool AnyArmed() const;

    // Called after every delivered tick with the timer and whether it acted.
    std::function<void(int timer, bool acted)> afterTick;
    // Every timer action so far: (clock, timer).
    std::vector<std::pair<double, int>> actions;

    EventLog log;
    SimClock clock;
    const std::string base = "/soruberia";  // basePath; no file is read below it
    MemoryBank bank;
    FakeWindow window;
    FakePictures pictures;
    FakeSound sound;
    FakeApp app;
    ScriptedRandom scripted;
    ClockFoldedRandom random;
    GameEngine engine;

private:
    void Deliver(int timer);
    bool highestTimerFirst_;
};

// Answer key of the question on screen.
std::vector<int> KeyOf(const GameRecord& record);

}  // namespace enginetest
