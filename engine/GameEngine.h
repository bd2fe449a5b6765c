// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <string>
#include <string_view>

#include "GameRecord.h"
#include "GameView.h"
#include "Services.h"

namespace soruberia::engine {

// The game window's handlers. The window passes every event here and
// realises the widget operations; it holds no logic of its own.
// Every handler may throw FatalError.
class GameEngine {
public:
    GameEngine(std::string basePath, GameView& view, Services services);

    void Load();                  // window load: StartGame
    void PressIon(int ionNumber); // Command1(1..12)
    void PressQuit();             // Command2
    void PressHint();             // Command3
    void PressRetry();            // Command4
    void Tick(int timerNumber);   // Timer1..Timer6

    const GameRecord& Record() const { return record_; }

private:
    // implementation detail, free for the engine to shape
    friend class GameEngineTestAccess;  // lets tests stage a record

    void StartGame();
    void ResetIonButtons();
    void PickQuestion();
    void DrawQuestion();
    void CheckRecent();
    void RecordQuestion();
    void ShowQuestion();
    void StartFailure();
    void StartGoal();

    void Timer1Action();
    void Timer2Action();
    void Timer3Action();
    void Timer4Action();
    void Timer5Action();
    void Timer6Action();

    void ArmTimer(int timerNumber);
    void DisarmTimer(int timerNumber);
    void PlaceGauge();
    void ShowScore();
    PicturePtr LoadPicture(std::string_view relativePath);
    void PlaySound(std::string_view relativePath);

    std::string basePath_;
    GameView& view_;
    Services services_;
    GameRecord record_;
    std::array<bool, kTimers + 1> armed_{};  // which timers this engine armed, 1..6
};

}  // namespace soruberia::engine
