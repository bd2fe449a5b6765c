// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

// Fakes and a content folder for driving the game window without a real
// clock, real randomness or the default question bank.

#include <optional>
#include <QColor>
#include <QString>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "engine/Services.h"
#include "platform/QtPicture.h"
#include "engine/FolderBank.h"
#include "ui/GameServices.h"

class QTimer;

namespace soruberia::ui {
class GameForm;
}

namespace soruberia::ui::testing {

// A clock the test moves by hand; starts a quarter past a whole second, so a
// timer armed now acts on its second tick.
class FakeClock final : public engine::Clock {
public:
    float now = 36000.25F;
    float SecondsSinceMidnight() override { return now; }
};

// Draws the questions the test names, then walks through all of them.
class ScriptedRandom final : public engine::RandomSource {
public:
    std::deque<int> questions;
    void Reseed() override {}
    float Draw() override;

private:
    int walk_ = 0;
};

class RecordingApp final : public engine::AppRequests {
public:
    int hintsOpened = 0;
    int endRequests = 0;
    void OpenHint() override { ++hintsOpened; }
    void EndProgram() override { ++endRequests; }
};

// Notes what the game hands to its sound channel.
class FakeSound final : public GameSound {
public:
    std::vector<std::string> played;  // full paths, in order
    int stops = 0;
    void Play(const std::string& fullPath) override { played.push_back(fullPath); }
    void Stop() override { ++stops; }
};

// The services of one game window: the real picture loader, the rest fakes.
struct FakeServices {
    platform::QtPictureLoader pictures;
    FakeSound sound;
    FakeClock clock;
    ScriptedRandom random;
    RecordingApp app;
    std::optional<engine::FolderBank> bank;
    // The bank is the one in basePath's 問題, as the program's would be.
    GameServices Services(const std::string& basePath) {
        bank.emplace(basePath);
        return {pictures, sound, clock, random, app, *bank};
    }
};

// Colours of the content pictures, so a test can tell which one a widget shows.
QColor PlainIonColour(int ion);
QColor FoundIonColour(int ion);
inline const QColor kMaruColour(0, 200, 0);
inline const QColor kBatuColour(200, 0, 200);

// <tmp>/問題/mondai.txt and kotae.txt, <tmp>/図/ pictures, an empty <tmp>/音.
// Question q reads "Q<q>" followed by `extra(q)`; its answers are answers(q).
class ContentFolder {
public:
    ContentFolder(const std::function<std::vector<int>(int)>& answers,
                  const std::function<std::string(int)>& extra);
    std::string BasePath() const { return dir_.path().toStdString(); }

private:
    QTemporaryDir dir_;
};

// One tick of 500 ms: the clock moves on and every timer armed at that moment
// delivers a tick, in the order of their numbers.
void TickOnce(GameForm& form, FakeClock& clock);

// Ticks until `done` holds; false if it did not within `maxTicks`.
bool TickUntil(GameForm& form, FakeClock& clock, const std::function<bool()>& done,
               int maxTicks = 20);

QColor ColourOf(const QPixmap& picture);

}  // namespace soruberia::ui::testing
