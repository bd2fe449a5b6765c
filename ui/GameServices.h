// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include "engine/Services.h"

namespace soruberia::ui {

// The sound channel as the game window uses it: the engine plays sounds on
// it, and the window silences it when it closes.
class GameSound : public engine::SoundPlayer {
public:
    virtual void Stop() = 0;
};

// What the game window hands to its engine, built by the program at its
// edge. The picture loader gives platform::QtPicture pictures.
struct GameServices {
    engine::PictureLoader& pictures;
    GameSound& sound;
    engine::Clock& clock;
    engine::RandomSource& random;
    engine::AppRequests& app;
    engine::QuestionBankSource& bank;
};

}  // namespace soruberia::ui
