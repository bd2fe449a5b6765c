// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "Harness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <random>

#include "content/FatalError.h"

namespace enginetest {

namespace {

std::string StripBase(const std::string& base, const std::string& fullPath) {
    if (fullPath.rfind(base, 0) == 0) {
        return fullPath.substr(base.size());
    }
    return fullPath;
}

std::string LabelName(TextLabel label) {
    switch (label) {
        case TextLabel::Label1: return "Label1";
        case TextLabel::Label3: return "Label3";
        case TextLabel::Label4: return "Label4";
    }
    return "Label?";
}

std::string WidgetName(Widget widget) {
    switch (widget) {
        case Widget::Image1: return "Image1";
        case Widget::Image2: return "Image2";
        case Widget::Image3: return "Image3";
        case Widget::Image4: return "Image4";
        case Widget::Image5: return "Image5";
        case Widget::Command4: return "Command4";
    }
    return "Widget?";
}

// Twips are whole numbers in this game; show them without a fraction.
std::string Twips(float twips) {
    const double whole = std::round(static_cast<double>(twips));
    if (whole == static_cast<double>(twips)) {
        return std::to_string(static_cast<long long>(whole));
    }
    return std::to_string(twips);
}

}  // namespace

float SimClock::SecondsSinceMidnight() {
    const float reading = static_cast<float>(std::fmod(now_, 86400.0));
    return reading >= 86400.0f ? 0.0f : reading;  // the float may round up to the next day
}

PicturePtr FakePictures::Load(const std::string& fullPath) {
    const std::string relative = StripBase(base_, fullPath);
    if (missing.count(relative) != 0) {
        throw FatalError(fullPath + ": no such picture");
    }
    return std::make_shared<FakePicture>(fullPath);
}

void FakeSound::Play(const std::string& fullPath) {
    log_.Add("play " + StripBase(base_, fullPath));
}

float ScriptedRandom::Draw() {
    calls.push_back("draw");
    if (script.empty()) {
        ADD_FAILURE() << "the scripted random source ran dry";
        return 0.0f;
    }
    const float r = script.front();
    script.pop_front();
    return r;
}

FakeWindow::FakeWindow(EventLog& log, SimClock& clock, std::string base)
    : log_(log), clock_(clock), base_(std::move(base)) {
    // As the window stands when it opens.
    for (const TextLabel label : {TextLabel::Label1, TextLabel::Label3, TextLabel::Label4}) {
        labels_[label] = "";
    }
    for (const Widget widget : {Widget::Image2, Widget::Image3, Widget::Image4, Widget::Image5,
                                Widget::Command4}) {
        visible_[widget] = false;
    }
    visible_[Widget::Image1] = true;
}

std::string FakeWindow::Relative(const PicturePtr& picture) const {
    const auto* fake = dynamic_cast<const FakePicture*>(picture.get());
    return fake == nullptr ? "<not a picture>" : StripBase(base_, fake->path);
}

void FakeWindow::SetLabelText(TextLabel label, const std::string& utf8Text) {
    labels_[label] = utf8Text;
    log_.Add(LabelName(label) + " = " + utf8Text);
}

void FakeWindow::SetIonButtonPicture(int ionNumber, PicturePtr picture) {
    buttons_.at(static_cast<std::size_t>(ionNumber)) = Relative(picture);
    log_.Add("Command1(" + std::to_string(ionNumber) + ") = " + Relative(picture));
}

void FakeWindow::SetMarkPicture(PicturePtr picture, Judgement judgement) {
    mark_ = Relative(picture);
    judgement_ = judgement;
    log_.Add("Image3 = " + mark_);
}

void FakeWindow::SetVisible(Widget widget, bool visible) {
    visible_[widget] = visible;
    log_.Add((visible ? "show " : "hide ") + WidgetName(widget));
}

void FakeWindow::SetGaugeLeft(float twips) {
    gaugeLeft = twips;
    log_.Add("Image1.left = " + Twips(twips));
}

void FakeWindow::SetTimerInterval(int timerNumber, int milliseconds) {
    const auto n = static_cast<std::size_t>(timerNumber);
    if (milliseconds == 500) {
        nextTick_.at(n) = clock_.Now() + 0.5;
        armedAt_.at(n) = clock_.Now();
    } else if (milliseconds == 0) {
        nextTick_.at(n).reset();
        ++disarms_.at(n);
    } else {
        ADD_FAILURE() << "Timer" << timerNumber << " given a period of " << milliseconds;
    }
    log_.Add("Timer" + std::to_string(timerNumber) + " = " + std::to_string(milliseconds));
}

Bank Bank::Uniform(std::vector<int> key) {
    Bank bank;
    for (int q = 1; q <= 26; ++q) {
        bank.texts.push_back("Q" + std::to_string(q));
        bank.keys.push_back(key);
    }
    return bank;
}

void MemoryBank::Set(const Bank& bank) {
    texts.clear();
    for (const std::string& text : bank.texts) texts += text + "\r\n";
    if (!bank.rawKey.empty()) {
        key = bank.rawKey;
        return;
    }
    std::ostringstream out;
    for (const std::vector<int>& answers : bank.keys) {
        out << answers.size();
        for (const int ion : answers) out << ',' << ion;
        out << "\r\n";
    }
    key = out.str();
}

ContentFile MemoryBank::QuestionTexts() {
    ++fetches;
    return {"問題/mondai.txt", texts};
}

ContentFile MemoryBank::AnswerKey() {
    ++fetches;
    return {"問題/kotae.txt", key};
}

std::string Plain(int ion) { return "\\図\\ion(" + std::to_string(ion) + ").gif"; }
std::string Found(int ion) { return "\\図\\ion'(" + std::to_string(ion) + ").gif"; }

Game::Game(GameOptions options)
    : clock(options.start),
      window(log, clock, base),
      pictures(base),
      sound(log, base),
      app(log),
      random(clock, options.seed),
      engine(base, window,
             Services{pictures, sound, clock,
                      options.scriptedRandom ? static_cast<RandomSource&>(scripted)
                                             : static_cast<RandomSource&>(random),
                      app, bank}),
      highestTimerFirst_(options.highestTimerFirst) {
    bank.Set(options.bank);
}

void Game::Deliver(int timer) {
    const int before = window.Disarms(timer);
    engine.Tick(timer);
    const bool acted = window.Disarms(timer) != before;
    if (acted) {
        actions.emplace_back(clock.Now(), timer);
    }
    if (afterTick) {
        afterTick(timer, acted);
    }
}

bool Game::Step() {
    int due = 0;
    double when = 0.0;
    for (int t = 1; t <= kTimers; ++t) {
        const auto next = window.NextTick(t);
        if (!next) {
            continue;
        }
        const bool earlier = due == 0 || *next < when - 1e-9;
        const bool tie = due != 0 && std::abs(*next - when) <= 1e-9;
        if (earlier || (tie && highestTimerFirst_)) {
            due = t;
            when = *next;
        }
    }
    if (due == 0) {
        return false;
    }
    clock.Set(std::max(clock.Now(), when));
    window.AdvanceTick(due);
    Deliver(due);
    return true;
}

void Game::Wait(double seconds) {
    const double end = clock.Now() + seconds;
    for (;;) {
        bool due = false;
        for (int t = 1; t <= kTimers; ++t) {
            const auto next = window.NextTick(t);
            due = due || (next && *next <= end + 1e-9);
        }
        if (!due) {
            break;
        }
        Step();
    }
    clock.Set(end);
}

void Game::TickNow(int timer) { Deliver(timer); }

void Game::WaitFor(int timer, double limit) {
    const std::size_t seen = actions.size();
    const double end = clock.Now() + limit;
    while (clock.Now() < end) {
        if (!Step()) {
            break;
        }
        for (std::size_t i = seen; i < actions.size(); ++i) {
            if (actions[i].second == timer) {
                return;
            }
        }
    }
    ADD_FAILURE() << "Timer" << timer << " did not act within " << limit << " s";
}

bool Game::AnyArmed() const {
    for (int t = 1; t <= kTimers; ++t) {
        if (window.Armed(t)) {
            return true;
        }
    }
    return false;
}

std::vector<int> KeyOf(const GameRecord& record) {
    std::vector<int> key;
    const auto q = static_cast<std::size_t>(record.currentQuestion);
    for (int k = 1; k <= record.answerCounts[q]; ++k) {
        key.push_back(record.answerKey[q][static_cast<std::size_t>(k)]);
    }
    return key;
}

}  // namespace enginetest
