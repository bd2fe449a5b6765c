// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/app/WinApp.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "windows/ui/GameWindow.h"
#include "windows/ui/HintWindow.h"
#include "windows/ui/MenuWindow.h"

namespace soruberia::windows {

WinApp::WinApp(std::string basePath)
    : basePath_(std::move(basePath)), random_(clock_), bank_(basePath_) {}

WinApp::~WinApp() = default;

void WinApp::Start() {
    menu_ = std::make_unique<MenuWindow>(
        basePath_, builtIn_,
        MenuWindow::Requests{[this] { EndProgram(); }, [this] { OpenGame(); }});
    Watch(*menu_);
    menu_->Show();
}

void WinApp::OpenGame() {
    // The menu goes first: if the game start fails, no window is left. Its
    // closing is not yet the end of the program.
    handingOver_ = true;
    if (menu_) menu_->Close();
    game_ = std::make_unique<GameWindow>(
        basePath_, engine::Services{pictures_, sound_, clock_, random_, *this, bank_}, builtIn_);
    Watch(*game_);
    handingOver_ = false;
    game_->Show();
}

void WinApp::OpenHint() {
    if (hint_ && hint_->IsOpen()) {
        hint_->BringToFront();
        return;
    }
    hint_ = std::make_unique<HintWindow>(builtIn_);
    Watch(*hint_);
    hint_->Show();
}

void WinApp::EndProgram() {
    // The sound stops with the program; its device is closed first, since
    // ending the process under a running audio stream can crash it.
    sound_.Close();
    for (FormWindow* window : {static_cast<FormWindow*>(hint_.get()),
                               static_cast<FormWindow*>(game_.get()),
                               static_cast<FormWindow*>(menu_.get())}) {
        if (window == nullptr || !window->IsOpen()) continue;
        for (UINT_PTR timer = 1; timer <= GameWindow::kTimerCount; ++timer)
            KillTimer(window->Handle(), timer);
        ShowWindow(window->Handle(), SW_HIDE);
    }
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}

void WinApp::Watch(FormWindow& window) {
    ++openWindows_;
    window.SetOnDestroyed([this, &window] { Closed(window); });
}

void WinApp::Closed(FormWindow& window) {
    --openWindows_;
    if (&window == game_.get()) {
        // The close box ends the game on the spot: no sound plays on.
        sound_.Stop();
        closed_.push_back(std::move(game_));
    } else if (&window == menu_.get()) {
        closed_.push_back(std::move(menu_));
    } else if (&window == hint_.get()) {
        closed_.push_back(std::move(hint_));
    }
    if (openWindows_ == 0 && !handingOver_) PostQuitMessage(0);
}

void WinApp::DeleteClosed() { closed_.clear(); }

int WinApp::Run() {
    MSG message;
    BOOL got = 0;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
        DeleteClosed();
    }
    return got < 0 ? EXIT_FAILURE : static_cast<int>(message.wParam);
}

}  // namespace soruberia::windows
