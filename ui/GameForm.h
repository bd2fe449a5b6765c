// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QWidget>

#include <memory>
#include <string>

#include "ui/GameServices.h"

namespace soruberia::ui {

// The game window, built from layout::GameWindow(). It holds no game logic:
// its load, its button presses and its timer ticks go to the engine, and it
// realises the engine's widget operations. Every widget carries its name as
// objectName ("Command1_7", "Label4", "Image3", "Timer2"…), so it can be
// found with findChild.
class GameForm final : public QWidget {
    Q_OBJECT
public:
    // Creating the window loads it: the first game starts (and may throw
    // FatalError) before the window is first shown. Deletes itself on close.
    // The services must outlive the window.
    GameForm(std::string basePath, const GameServices& services, QWidget* parent = nullptr);
    ~GameForm() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Halt();

    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace soruberia::ui
