// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// What the start-up benches share: starting and stopping a program, and
// seeing its window mapped on the X display (DISPLAY, an Xvfb without a
// window manager).
#pragma once

#include <sys/types.h>
#include <xcb/xcb.h>

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace soruberia::bench {

using Clock = std::chrono::steady_clock;

// Starts a program with its output discarded; returns its process id.
pid_t Spawn(const std::vector<std::string>& argv);
// SIGTERM, then SIGKILL after 5 s; reaps the process.
void Stop(pid_t pid);
bool Alive(pid_t pid);
double Median(std::vector<double> values);

// The program ended (and was reaped) before its window was mapped.
struct ProgramEnded : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Watches the root window for top-level windows being mapped.
class Display {
public:
    Display();
    ~Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    // Waits for a window titled `title` to be mapped and returns it with the
    // moment it was seen. `meanwhile` runs every 300 ms while waiting.
    std::pair<xcb_window_t, Clock::time_point> WaitForMap(const std::string& title, pid_t pid,
                                                          const std::function<void()>& meanwhile = {});

private:
    xcb_atom_t Atom(const char* name);
    std::string Title(xcb_window_t window);

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_atom_t netWmName_ = 0;
    xcb_atom_t utf8_ = 0;
};

}  // namespace soruberia::bench
