// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <string>

#include "engine/ClockFoldedRandom.h"
#include "engine/FolderBank.h"
#include "engine/Services.h"
#include "platform/QtPicture.h"
#include "platform/SystemClock.h"
#include "ui/GameServices.h"

namespace soruberia::ui {
class GameForm;
class HintWindow;
class MenuWindow;
}  // namespace soruberia::ui

namespace soruberia::app {

// The program's three windows and how they come and go: the menu at start,
// the game window from the menu's start button, at most one hint window, and
// the end action of the two quit buttons. Each window is referred to by one
// pointer that empties itself when the window is destroyed. Every service of
// the run is built here and handed to the windows: the clock, the random
// generator, the picture loader and the one sound channel.
class AppController final : public QObject, public engine::AppRequests {
    Q_OBJECT
public:
    // The end action's last step: leaves the process. The program passes
    // EndProcess; a test may pass a step that records the call instead.
    using Terminate = std::function<void()>;

    explicit AppController(std::string basePath, Terminate terminate = EndProcess);
    ~AppController() override;
    AppController(const AppController&) = delete;
    AppController& operator=(const AppController&) = delete;

    // Creates the menu, which loads it (reads the explanation line, throws
    // FatalError when it cannot, arms the title's timer), then shows it.
    void Start();

    // Shows the one hint window, creating it, centred, when none is open.
    void OpenHint() override;

    // Ends the program at once: every window leaves the screen, no timer of
    // any window ticks again, and the process exits, which stops the sound.
    void EndProgram() override;

    // The open windows; null once a window is destroyed.
    ui::MenuWindow* Menu() const;
    ui::GameForm* Game() const;
    ui::HintWindow* Hint() const;

    // Leaves the process at once with status 0: no destructor, no atexit
    // handler and no event runs any more.
    [[noreturn]] static void EndProcess();

private:
    void OpenGame();

    std::string basePath_;
    Terminate terminate_;
    platform::SystemClock clock_;
    engine::ClockFoldedRandom random_;
    platform::QtPictureLoader pictures_;
    engine::FolderBank bank_;  // the bank beside the program, read at every game start
    std::unique_ptr<ui::GameSound> sound_;  // opened with the game window, not before the menu
    QPointer<ui::MenuWindow> menu_;
    QPointer<ui::GameForm> game_;
    QPointer<ui::HintWindow> hint_;
};

}  // namespace soruberia::app
