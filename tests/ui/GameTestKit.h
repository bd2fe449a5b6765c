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
#include <memory>
#include <functional>
#include <string>
#include <vector>

#include "app/QtShell.h"
#include "appcore/App.h"
#include "engine/FolderBank.h"
#include "engine/Services.h"
#include "platform/QtPicture.h"
#include "ui/FormWindow.h"

class QTimer;

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

// What the game asked of the rest of the program.
struct RecordingApp {
    int hintsOpened = 0;  // the hint window shown or brought forward
    int endRequests = 0;  // the end action's last step
};

// Notes what the game hands to its sound channel.
class FakeSound final : public appcore::SoundOutput {
public:
    std::vector<std::string> played;  // full paths, in order
    int stops = 0;
    std::unique_ptr<appcore::SoundChannel> Open() override;
};

// What a game window is opened with.
struct GameServices {
    engine::PictureLoader& pictures;
    FakeSound& sound;
    engine::Clock& clock;
    engine::RandomSource& random;
    RecordingApp& app;
    engine::QuestionBankSource& bank;
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

// The program up to its game window, opened as the menu's start button opens
// it, with the test's services; the window system is Qt's, the end action
// and the hint window are noted in the RecordingApp. Throws FatalError when
// the game cannot start. The windows go with it.
class GameUnderTest final : private appcore::Shell, private appcore::ExplanationSource {
public:
    enum class Until { Menu, Game };
    GameUnderTest(std::string basePath, const GameServices& services, Until until = Until::Game);
    ~GameUnderTest() override;

    ui::FormWindow* Window() const { return shell_.Window(appcore::FormId::Game); }
    ui::FormWindow* Hint() const { return shell_.Window(appcore::FormId::Hint); }
    ui::FormWindow* Menu() const { return shell_.Window(appcore::FormId::Menu); }
    // The hint window, as the game's hint button opens it.
    ui::FormWindow* OpenHint() {
        app_.Pressed(appcore::FormId::Game, "Command3");
        return Hint();
    }
    appcore::App& Core() { return app_; }

private:
    appcore::FormView& Create(appcore::FormId form) override { return shell_.Create(form); }
    void Show(appcore::FormId form) override;
    void Raise(appcore::FormId form) override;
    void Hide(appcore::FormId form) override { shell_.Hide(form); }
    void Destroy(appcore::FormId form) override { shell_.Destroy(form); }
    void LeaveEventLoop() override {}
    void EndProcess() override { ++services_.app.endRequests; }
    std::string Line() override { return "Explanation"; }

    GameServices services_;
    app::QtShell shell_;
    appcore::App app_;
};

using GameForm = ui::FormWindow;

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
void TickOnce(QWidget& form, FakeClock& clock);

// Ticks until `done` holds; false if it did not within `maxTicks`.
bool TickUntil(QWidget& form, FakeClock& clock, const std::function<bool()>& done,
               int maxTicks = 20);

QColor ColourOf(const QPixmap& picture);

}  // namespace soruberia::ui::testing
