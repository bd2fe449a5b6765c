// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "appcore/App.h"

#include <cstddef>
#include <utility>

#include "appcore/GameScreen.h"
#include "appcore/HintFacts.h"
#include "appcore/WidgetNames.h"
#include "layout/Form.h"
#include "layout/GameLayout.h"
#include "layout/HintLayout.h"
#include "layout/MenuLayout.h"

namespace soruberia::appcore {

namespace {

std::size_t Slot(FormId form) { return static_cast<std::size_t>(form); }

}  // namespace

const layout::Form& FormOf(FormId form) {
    switch (form) {
        case FormId::Menu: return layout::MenuWindow();
        case FormId::Game: return layout::GameWindow();
        case FormId::Hint: return layout::HintWindow();
    }
    return layout::GameWindow();
}

App::App(std::string basePath, Shell& shell, AppServices services)
    : basePath_(std::move(basePath)), shell_(shell), services_(services) {}

App::~App() = default;

void App::Start() {
    FormView& view = shell_.Create(FormId::Menu);
    views_[Slot(FormId::Menu)] = &view;
    menu_ = std::make_unique<MenuFlow>(view, static_cast<MenuRequests&>(*this));
    // A missing or empty explanation file ends the program here, before the
    // menu has been shown.
    menu_->Load(services_.explanation.Line());
    shell_.Show(FormId::Menu);
}

bool App::IsOpen(FormId form) const { return views_[Slot(form)] != nullptr; }

template <typename Step>
void App::ToGame(Step step) {
    step(*engine_);
    // The engine may have ended the program, or a close box the game.
    if (!ended_ && screen_) screen_->Publish(engine_->Record());
}

void App::Pressed(FormId form, std::string_view widget) {
    if (ended_ || !IsOpen(form)) return;
    switch (form) {
        case FormId::Menu:
            menu_->Press(widget);
            break;
        case FormId::Game:
            if (const auto ion = IndexIn(widget, "Command1_")) {
                ToGame([ion](engine::GameEngine& e) { e.PressIon(*ion); });
            } else if (widget == "Command2") {
                ToGame([](engine::GameEngine& e) { e.PressQuit(); });
            } else if (widget == "Command3") {
                ToGame([](engine::GameEngine& e) { e.PressHint(); });
            } else if (widget == "Command4") {
                ToGame([](engine::GameEngine& e) { e.PressRetry(); });
            }
            break;
        case FormId::Hint:
            // 戻る, its only button.
            if (widget == "Command1") {
                Forget(FormId::Hint);
                shell_.Destroy(FormId::Hint);
                LeaveIfNoWindow();
            }
            break;
    }
}

void App::Ticked(FormId form, std::string_view timer) {
    if (ended_ || !IsOpen(form)) return;
    if (form == FormId::Menu) {
        menu_->Tick(timer);
    } else if (form == FormId::Game) {
        const auto number = IndexIn(timer, "Timer");
        if (number && *number >= 1 && *number <= layout::kGameTimerCount)
            ToGame([n = *number](engine::GameEngine& e) { e.Tick(n); });
    }
}

void App::Closed(FormId form) {
    if (ended_ || !IsOpen(form)) return;
    if (form == FormId::Game) {
        CloseGame();
    } else {
        Forget(form);
    }
    LeaveIfNoWindow();
}

void App::StartGame() {
    // The menu goes first: if the game start fails, no window is left. Its
    // closing is not yet the end of the program.
    handingOver_ = true;
    Forget(FormId::Menu);
    shell_.Destroy(FormId::Menu);
    if (!sound_) sound_ = services_.sound.Open();
    FormView& view = shell_.Create(FormId::Game);
    views_[Slot(FormId::Game)] = &view;
    screen_ = std::make_unique<GameScreen>(view);
    engine_ = std::make_unique<engine::GameEngine>(
        basePath_, *screen_,
        engine::Services{services_.pictures, *sound_, services_.clock, services_.random, *this,
                         services_.bank});
    view.Focus(IonButtonName(1));
    try {
        engine_->Load();
    } catch (...) {
        // No window is left behind a game that could not start.
        Forget(FormId::Game);
        engine_.reset();
        screen_.reset();
        shell_.Destroy(FormId::Game);
        throw;
    }
    screen_->Publish(engine_->Record());
    handingOver_ = false;
    shell_.Show(FormId::Game);
}

void App::OpenHint() {
    if (IsOpen(FormId::Hint)) {
        shell_.Raise(FormId::Hint);
        return;
    }
    FormView& view = shell_.Create(FormId::Hint);
    views_[Slot(FormId::Hint)] = &view;
    // The table is a picture; assistive technology reads it as text.
    view.SetAccessible("Image1", HintTableText(), "");
    view.Focus("Command1");
    // Asked for by the player: it comes up over the game window, active.
    shell_.Show(FormId::Hint);
    shell_.Raise(FormId::Hint);
}

void App::QuitProgram() { EndProgram(); }

void App::EndProgram() {
    // Every window leaves the screen at once, no timer ticks again and the
    // sound stops before the process goes.
    ended_ = true;
    for (const FormId form : kForms) {
        FormView* view = views_[Slot(form)];
        if (view == nullptr) continue;
        for (const layout::Widget& widget : FormOf(form).widgets)
            if (widget.kind == layout::Kind::Timer) view->SetTimer(widget.name, 0);
        shell_.Hide(form);
    }
    // The device is closed too: a process that ends under a running audio
    // stream can crash on its way out.
    if (sound_) sound_->Stop();
    sound_.reset();
    shell_.EndProcess();
}

void App::Forget(FormId form) { views_[Slot(form)] = nullptr; }

void App::CloseGame() {
    // The close box ends the game on the spot: no step of it runs any more
    // and no sound plays on. The window's timers went with it.
    Forget(FormId::Game);
    if (sound_) sound_->Stop();
    engine_.reset();
    screen_.reset();
}

void App::LeaveIfNoWindow() {
    if (handingOver_) return;
    for (const FormView* view : views_)
        if (view != nullptr) return;
    shell_.LeaveEventLoop();
}

std::optional<GameFacts> App::Facts() const {
    if (!screen_ || !engine_) return std::nullopt;
    return screen_->Facts(engine_->Record());
}

const engine::GameRecord* App::Record() const { return engine_ ? &engine_->Record() : nullptr; }

}  // namespace soruberia::appcore
