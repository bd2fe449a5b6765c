// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "appcore/AppServices.h"
#include "appcore/GameFacts.h"
#include "appcore/MenuFlow.h"
#include "appcore/Shell.h"
#include "engine/GameEngine.h"

namespace soruberia::appcore {

class GameScreen;

// The program above the engine, the same on every front-end: the menu at
// start, the game window from the menu's start button, at most one hint
// window brought forward when asked again, the end action of the two quit
// buttons, the end of the program with its last window, and the one sound
// channel (opened with the game window, silenced when the game window
// closes or the program ends).
//
// The front-end forwards every press, timer tick and close box here, by the
// form and the widget's layout name. Events of a window that is not open
// are ignored. Any call may throw FatalError, which the front-end reports
// before it ends the program.
class App final : private engine::AppRequests, private MenuRequests {
public:
    App(std::string basePath, Shell& shell, AppServices services);
    ~App() override;
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Creates the menu, which loads it (reads the explanation line, arms the
    // title's timer), then shows it.
    void Start();

    void Pressed(FormId form, std::string_view widget);
    void Ticked(FormId form, std::string_view timer);
    // The close box has closed the window; its view is gone.
    void Closed(FormId form);

    bool IsOpen(FormId form) const;
    // The facts of the game shown, while the game window is open.
    std::optional<GameFacts> Facts() const;
    const MenuFlow* Menu() const { return menu_.get(); }
    const engine::GameRecord* Record() const;

private:
    // engine::AppRequests
    void OpenHint() override;
    void EndProgram() override;
    // MenuRequests
    void QuitProgram() override;
    void StartGame() override;

    void Forget(FormId form);
    void CloseGame();
    void LeaveIfNoWindow();
    template <typename Step>
    void ToGame(Step step);

    std::string basePath_;
    Shell& shell_;
    AppServices services_;
    std::array<FormView*, 3> views_{};  // by FormId; null while closed
    std::unique_ptr<MenuFlow> menu_;
    std::unique_ptr<SoundChannel> sound_;
    std::unique_ptr<GameScreen> screen_;
    std::unique_ptr<engine::GameEngine> engine_;
    bool handingOver_ = false;
    bool ended_ = false;
};

}  // namespace soruberia::appcore
