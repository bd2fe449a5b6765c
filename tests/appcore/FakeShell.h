// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

// A window system and services of the test's own, for driving the app core
// as a front-end would: every call it receives is one line of a log.

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "appcore/App.h"
#include "appcore/Shell.h"

namespace appcoretest {

using namespace soruberia;
using namespace soruberia::appcore;

class Log {
public:
    void Add(std::string line) { lines_.push_back(std::move(line)); }
    std::vector<std::string> Take() { return std::exchange(lines_, {}); }

private:
    std::vector<std::string> lines_;
};

std::string NameOf(FormId form);

// One window: what is shown, where the focus is, which timers run.
class FakeView final : public FormView {
public:
    FakeView(FormId form, Log& log);

    void SetText(std::string_view widget, const std::string& utf8Text) override;
    void SetPicture(std::string_view widget, engine::PicturePtr picture) override;
    void SetVisible(std::string_view widget, bool visible) override;
    void MoveLeft(std::string_view widget, float twips) override;
    void SetTimer(std::string_view timer, int milliseconds) override;
    void Focus(std::string_view widget) override;
    bool HasFocusedWidget() const override { return !focus.empty(); }
    void SetAccessible(std::string_view widget, const std::string& name,
                       const std::string& description) override;

    bool Visible(const std::string& widget) const { return visible.at(widget); }
    std::set<std::string> RunningTimers() const;

    std::map<std::string, bool> visible;
    std::map<std::string, std::string> text;
    std::map<std::string, int> timers;
    std::map<std::string, std::pair<std::string, std::string>> accessible;
    std::string focus;

private:
    std::string prefix_;
    Log& log_;
};

class FakeShell final : public Shell {
public:
    explicit FakeShell(Log& log) : log_(log) {}

    FormView& Create(FormId form) override;
    void Show(FormId form) override;
    void Raise(FormId form) override;
    void Hide(FormId form) override;
    void Destroy(FormId form) override;
    void LeaveEventLoop() override;
    void EndProcess() override;

    // The close box: the window goes, then the app hears of it.
    void CloseBox(App& app, FormId form);

    FakeView* View(FormId form) { return views_[form].get(); }
    int created(FormId form) { return createdCount_[form]; }

private:
    Log& log_;
    std::map<FormId, std::unique_ptr<FakeView>> views_;
    std::map<FormId, int> createdCount_;
};

struct FakePicture final : engine::Picture {
    explicit FakePicture(std::string p) : path(std::move(p)) {}
    std::string path;
};

class FakePictures final : public engine::PictureLoader {
public:
    engine::PicturePtr Load(const std::string& fullPath) override;
};

class FakeSound final : public SoundOutput {
public:
    explicit FakeSound(Log& log) : log_(log) {}
    std::unique_ptr<SoundChannel> Open() override;

private:
    Log& log_;
};

// Seconds since midnight; the test moves it on.
class FakeClock final : public engine::Clock {
public:
    float SecondsSinceMidnight() override { return now; }
    float now = 36000.0f;
};

// Steps through [0, 1) so that every question comes up in turn.
class SteppingRandom final : public engine::RandomSource {
public:
    void Reseed() override {}
    float Draw() override {
        next_ = (next_ + 7) % 26;
        return static_cast<float>(next_) / 26.0f;
    }

private:
    int next_ = 0;
};

// 26 questions "問n"; question n is answered by ion n % 12 + 1 alone.
class MemoryBank final : public engine::QuestionBankSource {
public:
    ContentFile QuestionTexts() override;
    ContentFile AnswerKey() override;
};

class FixedExplanation final : public ExplanationSource {
public:
    std::string Line() override;
    bool missing = false;
};

// An app with its fakes, as a front-end's main would build it.
struct Rig {
    Rig();
    // Ticks every running timer of the open windows once, clock 0.5 s on.
    void TickAll();
    void Pass(double seconds);

    Log log;
    FakeShell shell{log};
    FakePictures pictures;
    FakeClock clock;
    SteppingRandom random;
    MemoryBank bank;
    FixedExplanation explanation;
    FakeSound sound{log};
    App app;
};

}  // namespace appcoretest
