// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "Harness.h"

namespace enginetest {
namespace {

// A mixed bank: small keys, a question without answers and a full one. (A
// key naming an ion twice is left out: under the hint such a question can
// never be left, which would end the run's progress.)
Bank MixedBank() {
    Bank bank = Bank::Uniform({});
    std::mt19937 pick(99);
    for (std::size_t q = 0; q < 26; ++q) {
        std::vector<int> ions = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
        std::shuffle(ions.begin(), ions.end(), pick);
        ions.resize(1 + q % 4);
        bank.keys[q] = ions;
    }
    bank.keys[4] = {};
    bank.keys[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    return bank;
}

struct Tally {
    long presses = 0;
    long ticks = 0;
    long failures = 0;
    long bonuses = 0;
    long goals = 0;
    long retries = 0;
};

// Random play, starting shortly before midnight so that the run crosses it
// several times, with the record's invariants checked after every event.
TEST(LongRun, InvariantsHoldAfterEveryPressAndTick) {
    GameOptions options;
    options.bank = MixedBank();
    options.start = 86000.0;
    options.seed = 2024;
    Game game(options);
    game.log.enabled = false;
    game.Load();

    std::mt19937 player(12345);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    Tally tally;
    std::string failed;

    const auto check = [&](const char* event) {
        if (!failed.empty()) return;
        const GameRecord& r = game.R();
        std::string problem;
        if (r.score < 0) problem = "score below 0";
        std::set<int> window;
        for (int pos = 1; pos <= 14; ++pos) {
            const int q = r.recentQueue[static_cast<std::size_t>(pos)];
            if (q != 0 && !window.insert(q).second) problem = "window holds a question twice";
        }
        for (int pos = 0; pos <= 30; ++pos) {
            if ((pos == 0 || pos > 14) && r.recentQueue[static_cast<std::size_t>(pos)] != 0) {
                problem = "recentQueue outside the window is used";
            }
        }
        for (int q = 1; q <= 30; ++q) {
            if (r.askedFlags[static_cast<std::size_t>(q)].IsSet() != (window.count(q) == 1)) {
                problem = "askedFlags differ from the window at " + std::to_string(q);
            }
        }
        const bool failureArmed = game.window.Armed(2) || game.window.Armed(3);
        const bool goalArmed = game.window.Armed(5) || game.window.Armed(6);
        if (failureArmed && goalArmed) problem = "failure and goal timers armed together";
        for (int t = 1; t <= kTimers; ++t) {
            const double limit = t == 6 ? 5.0 : 2.0;
            if (game.window.Armed(t) && game.clock.Now() - game.window.ArmedAt(t) > limit + 1e-6) {
                problem = "Timer" + std::to_string(t) + " overdue";
            }
        }
        if (!problem.empty()) {
            failed = problem + " after " + event + " at " + std::to_string(game.clock.Now());
        }
    };

    game.afterTick = [&](int timer, bool acted) {
        ++tally.ticks;
        const GameRecord& r = game.R();
        if (acted && timer == 1 && r.missLevel > 5 && failed.empty()) {
            failed = "missLevel above 5 after Timer1";
        }
        if (acted && (timer == 1 || timer == 3)) {
            const float expected = static_cast<float>(r.gaugeHomeLeft + 1005 * r.missLevel);
            if (game.window.gaugeLeft != expected && failed.empty()) {
                failed = "gauge not at the miss level after Timer" + std::to_string(timer);
            }
        }
        if (acted && timer == 2) ++tally.failures;
        if (acted && timer == 4) ++tally.bonuses;
        if (acted && timer == 6) ++tally.goals;
        check("a tick");
    };

    while (tally.presses + tally.ticks < 150000 && failed.empty()) {
        const double roll = unit(player);
        if (game.window.Visible(Widget::Command4) && roll < 0.3) {
            game.engine.PressRetry();
            ++tally.retries;
            check("the retry");
        } else if (roll < 0.45) {
            // Mostly ions still to be found, so that games run on to the
            // goal; now and then any button, which is mostly a miss.
            std::vector<int> open = KeyOf(game.R());
            std::erase_if(open, [&](int k) {
                return k < 1 || k > 12 || game.R().foundFlags[static_cast<std::size_t>(k)].IsSet();
            });
            const double aim = unit(player);
            int ion = 0;
            if (aim < 0.03) {
                ion = std::uniform_int_distribution<int>(1, 12)(player);
            } else if (!open.empty()) {
                ion = open[std::uniform_int_distribution<std::size_t>(0, open.size() - 1)(player)];
            } else if (aim < 0.2) {
                ion = KeyOf(game.R()).empty() ? 1 : KeyOf(game.R()).front();  // found already
            }
            if (ion != 0) {
                game.Press(ion);
                ++tally.presses;
                check("a press");
            }
        } else if (roll < 0.46) {
            game.engine.PressHint();
            check("the hint");
        } else {
            game.Wait(std::uniform_real_distribution<double>(0.05, 1.6)(player));
        }
    }
    EXPECT_EQ(failed, "");
    EXPECT_GE(tally.presses + tally.ticks, 100000);
    // The run has been through every sequence many times.
    EXPECT_GT(tally.failures, 50);
    EXPECT_GT(tally.bonuses, 50);
    EXPECT_GT(tally.goals, 5);
    EXPECT_GT(tally.retries, 5);
    EXPECT_GT(game.clock.Now(), 86400.0) << "crossed midnight";
    std::cout << "presses " << tally.presses << ", ticks " << tally.ticks << ", failures "
              << tally.failures << ", bonuses " << tally.bonuses << ", goals " << tally.goals
              << ", retries " << tally.retries << ", simulated seconds "
              << game.clock.Now() - 86000.0 << "\n";
}

}  // namespace
}  // namespace enginetest
