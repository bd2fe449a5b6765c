// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/ClockFoldedRandom.h"
#include "engine/FolderBank.h"
#include "engine/Services.h"
#include "windows/platform/LocalClock.h"
#include "windows/platform/WaveOutChannel.h"
#include "windows/platform/WicPicture.h"
#include "windows/ui/BuiltInPictures.h"
#include "windows/ui/MarkedPictures.h"

namespace soruberia::windows {

class FormWindow;
class GameWindow;
class HintWindow;
class MenuWindow;

// The program's three windows and how they come and go: the menu at start,
// the game window from the menu's start button, at most one hint window,
// and the end action of the two quit buttons. The run's services are made
// here, at the program's edge, and handed to the windows. The program ends
// when its last window is closed. Made on the window thread once COM runs.
class WinApp final : public engine::AppRequests {
public:
    explicit WinApp(std::string basePath);
    ~WinApp() override;
    WinApp(const WinApp&) = delete;
    WinApp& operator=(const WinApp&) = delete;

    // Creates the menu, which loads it (reads the explanation line, throws
    // FatalError when it cannot, arms the title's timer), then shows it.
    void Start();

    // The event loop, until the last window has closed; its exit status.
    int Run();

    // Shows the one hint window, creating it, centred, when none is open.
    void OpenHint() override;

    // Ends the program at once: every window leaves the screen, no timer
    // ticks again, and the process exits with status 0, which stops the sound.
    [[noreturn]] void EndProgram() override;

private:
    void OpenGame();
    void Watch(FormWindow& window);
    void Closed(FormWindow& window);
    void DeleteClosed();

    std::string basePath_;
    BuiltInPictures builtIn_;
    WicPictureLoader wicPictures_;
    MarkedPictures pictures_{wicPictures_};
    WaveOutChannel sound_;
    LocalClock clock_;
    engine::ClockFoldedRandom random_;
    engine::FolderBank bank_;  // the bank beside the program, read at every game start
    std::unique_ptr<MenuWindow> menu_;
    std::unique_ptr<GameWindow> game_;
    std::unique_ptr<HintWindow> hint_;
    // Windows closed while one of their own handlers ran, deleted once that
    // handler has returned to the event loop.
    std::vector<std::unique_ptr<FormWindow>> closed_;
    int openWindows_ = 0;
    bool handingOver_ = false;
};

}  // namespace soruberia::windows
