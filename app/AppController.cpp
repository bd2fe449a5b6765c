// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "app/AppController.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "ui/ChannelSound.h"
#include "ui/GameForm.h"
#include "ui/HintWindow.h"
#include "ui/MenuWindow.h"

namespace soruberia::app {

namespace {

// While one window hands over to the next there is a moment with none open;
// the program must not take that for its end.
class QuitOnLastWindowPaused final {
public:
    QuitOnLastWindowPaused() : was_(QGuiApplication::quitOnLastWindowClosed()) {
        QGuiApplication::setQuitOnLastWindowClosed(false);
    }
    ~QuitOnLastWindowPaused() { QGuiApplication::setQuitOnLastWindowClosed(was_); }
    QuitOnLastWindowPaused(const QuitOnLastWindowPaused&) = delete;
    QuitOnLastWindowPaused& operator=(const QuitOnLastWindowPaused&) = delete;

private:
    bool was_;
};

}  // namespace

AppController::AppController(std::string basePath, Terminate terminate)
    : basePath_(std::move(basePath)), terminate_(std::move(terminate)), random_(clock_), bank_(basePath_) {}

AppController::~AppController() {
    // Windows still open when the event loop has ended go with the program,
    // before the services they use.
    delete hint_.data();
    delete game_.data();
    delete menu_.data();
}

void AppController::Start() {
    auto* menu = new ui::MenuWindow(basePath_);
    menu_ = menu;
    // The menu's buttons guard these requests; a failure comes back to them.
    connect(menu, &ui::MenuWindow::quitRequested, this, [this] { EndProgram(); });
    connect(menu, &ui::MenuWindow::startRequested, this, [this] { OpenGame(); });
    menu->show();
}

void AppController::OpenGame() {
    // The menu goes first: if the game start fails, no window is left.
    const QuitOnLastWindowPaused handOver;
    if (menu_) menu_->close();
    if (!sound_) sound_ = std::make_unique<ui::ChannelSound>();
    auto* game = new ui::GameForm(basePath_, {pictures_, *sound_, clock_, random_, *this, bank_});
    game_ = game;
    game->show();
}

void AppController::OpenHint() {
    // A closed hint window is only waiting to be deleted; it is not shown again.
    if (!hint_ || hint_->isHidden()) hint_ = new ui::HintWindow();
    hint_->show();
    hint_->raise();
    hint_->activateWindow();
}

void AppController::EndProgram() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        for (QTimer* timer : window->findChildren<QTimer*>()) timer->stop();
        window->hide();
    }
    terminate_();
}

ui::MenuWindow* AppController::Menu() const { return menu_; }
ui::GameForm* AppController::Game() const { return game_; }
ui::HintWindow* AppController::Hint() const { return hint_; }

void AppController::EndProcess() {
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}

}  // namespace soruberia::app
