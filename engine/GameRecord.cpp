// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "engine/GameRecord.h"

#include <string>

namespace soruberia::engine {

std::int32_t& GameRecord::TimerStart(int timerNumber) {
    switch (timerNumber) {
        case 1: return timer1Start;
        case 2: return timer2Start;
        case 3: return timer3Start;
        case 4: return timer4Start;
        case 5: return timer5Start;
        case 6: return timer6Start;
        default:
            throw FatalError("Timer" + std::to_string(timerNumber) +
                             ": the game window has only Timer1 to Timer6");
    }
}

std::int32_t GameRecord::TimerStart(int timerNumber) const {
    return const_cast<GameRecord&>(*this).TimerStart(timerNumber);
}

}  // namespace soruberia::engine
