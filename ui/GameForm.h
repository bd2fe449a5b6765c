// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QWidget>

#include <memory>
#include <string>

#include "engine/Services.h"

namespace soruberia::ui {

// The game window. It holds no game logic: its load, its button presses and
// its timer ticks go to the engine, and it realises the engine's widget
// operations. Every widget carries its name as objectName ("Command1_7",
// "Label4", "Image3", "Timer2"…), so it can be found with findChild.
class GameForm final : public QWidget {
    Q_OBJECT
public:
    // Creating the window loads it: the first game starts (and may throw
    // FatalError) before the window is first shown. Deletes itself on close.
    GameForm(std::string basePath, engine::Clock& clock, engine::RandomSource& random,
             engine::AppRequests& app, QWidget* parent = nullptr);
    ~GameForm() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace soruberia::ui
