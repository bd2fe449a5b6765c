#pragma once

#include <string>

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
    std::string basePath_;
    GameView& view_;
    Services services_;
    GameRecord record_;
};

}  // namespace soruberia::engine
