// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Start-up and idle costs of the real program on the X display it is given
// (DISPLAY, an Xvfb without a window manager), beside the floor program:
//  - the time from exec to the window being mapped (MapNotify seen on the
//    root window) and the memory at that moment (/proc/PID/smaps_rollup),
//    median of several runs;
//  - the instructions the program runs from exec to the menu mapped, counted
//    by callgrind (valgrind), a figure the machine's load does not move;
//  - the CPU time (utime + stime of /proc/PID/stat) spent over a stretch of
//    idling at the menu, with a question open, and in the floor program.
#include <fcntl.h>
#include <stdlib.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Centre of the menu's start button, in pixels of its client area.
constexpr int kStartX = 477;
constexpr int kStartY = 343;

// Starts a program with its output discarded; returns its process id.
pid_t Spawn(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) throw std::runtime_error("cannot start " + argv[0] + ": " + std::strerror(error));
    return pid;
}

void Stop(pid_t pid) {
    kill(pid, SIGTERM);
    for (int i = 0; i < 50; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return;
        std::this_thread::sleep_for(100ms);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

bool Alive(pid_t pid) { return waitpid(pid, nullptr, WNOHANG) == 0; }

struct Memory {
    double rssMiB = 0, pssMiB = 0;
};

Memory ReadMemory(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/smaps_rollup");
    Memory m;
    std::string key;
    double kb = 0;
    std::string unit;
    while (in >> key) {
        if (key == "Rss:" && in >> kb >> unit) m.rssMiB = kb / 1024.0;
        else if (key == "Pss:" && in >> kb >> unit) m.pssMiB = kb / 1024.0;
        else in.ignore(1 << 20, '\n');
    }
    if (m.rssMiB == 0) throw std::runtime_error("no smaps_rollup for process " + std::to_string(pid));
    return m;
}

// utime + stime of the whole process, in seconds.
double CpuSeconds(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(in, line);
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos) throw std::runtime_error("no stat for process " + std::to_string(pid));
    std::istringstream fields(line.substr(close + 2));
    std::string field;
    // Fields 3 to 13, then utime (14) and stime (15).
    for (int i = 3; i <= 13; ++i) fields >> field;
    unsigned long long utime = 0, stime = 0;
    fields >> utime >> stime;
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Watches the root window for top-level windows being mapped.
class Display {
public:
    Display() {
        connection_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection_) != 0)
            throw std::runtime_error("cannot open the X display (DISPLAY)");
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        netWmName_ = Atom("_NET_WM_NAME");
        utf8_ = Atom("UTF8_STRING");
        xcb_flush(connection_);
    }
    ~Display() { xcb_disconnect(connection_); }
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    // Waits for a window titled `title` to be mapped and returns it with the
    // moment it was seen. `meanwhile` runs every 300 ms while waiting.
    std::pair<xcb_window_t, Clock::time_point> WaitForMap(const std::string& title, pid_t pid,
                                                          const std::function<void()>& meanwhile = {}) {
        const auto deadline = Clock::now() + 60s;
        auto nextNudge = Clock::now() + 300ms;
        for (;;) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
                const Clock::time_point seen = Clock::now();
                std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> owned(event, &std::free);
                if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY) continue;
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                if (Title(map->window) == title) return {map->window, seen};
            }
            if (xcb_connection_has_error(connection_) != 0) throw std::runtime_error("X connection lost");
            if (!Alive(pid)) throw std::runtime_error("the program ended before its window " + title);
            if (Clock::now() > deadline) throw std::runtime_error("no window " + title + " within 60 s");
            if (meanwhile && Clock::now() > nextNudge) {
                meanwhile();
                nextNudge = Clock::now() + 300ms;
            }
            pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
            poll(&fd, 1, 20);
        }
    }

private:
    xcb_atom_t Atom(const char* name) {
        auto* reply = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
            nullptr);
        if (reply == nullptr) throw std::runtime_error(std::string("no atom ") + name);
        const xcb_atom_t atom = reply->atom;
        std::free(reply);
        return atom;
    }

    std::string Title(xcb_window_t window) {
        auto* reply = xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, netWmName_, utf8_, 0, 256), nullptr);
        if (reply == nullptr) return {};
        std::string title(static_cast<const char*>(xcb_get_property_value(reply)),
                          static_cast<std::size_t>(xcb_get_property_value_length(reply)));
        std::free(reply);
        return title;
    }

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_atom_t netWmName_ = 0;
    xcb_atom_t utf8_ = 0;
};

struct Launch {
    pid_t pid = 0;
    xcb_window_t window = 0;
    double seconds = 0;
    Memory memory;
};

Launch Start(Display& display, const std::vector<std::string>& argv, const std::string& title) {
    Launch launch;
    const Clock::time_point start = Clock::now();
    launch.pid = Spawn(argv);
    const auto [window, seen] = display.WaitForMap(title, launch.pid);
    launch.memory = ReadMemory(launch.pid);
    launch.window = window;
    launch.seconds = std::chrono::duration<double>(seen - start).count();
    return launch;
}

void Click(xcb_window_t window, int x, int y) {
    const pid_t pid = Spawn({"/usr/bin/xdotool", "mousemove", "--window", std::to_string(window),
                             std::to_string(x), std::to_string(y), "click", "1"});
    waitpid(pid, nullptr, 0);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Figures {
    std::vector<double> ms, rss, pss;
    void Add(const Launch& l) {
        ms.push_back(l.seconds * 1000.0);
        rss.push_back(l.memory.rssMiB);
        pss.push_back(l.memory.pssMiB);
    }
};

// Instructions from exec to the window titled `title` being mapped: the
// program runs under callgrind, which is told to write its counts the
// moment the window is seen.
double InstructionsToMap(Display& display, const std::vector<std::string>& argv, const std::string& title) {
    std::string folder = (std::filesystem::temp_directory_path() / "soruberia-callgrind-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) throw std::runtime_error("cannot make a folder for callgrind");
    const std::string out = folder + "/callgrind.out";
    std::vector<std::string> command{"/usr/bin/valgrind", "--tool=callgrind", "--callgrind-out-file=" + out};
    command.insert(command.end(), argv.begin(), argv.end());
    const pid_t pid = Spawn(command);
    double instructions = 0;
    try {
        display.WaitForMap(title, pid);
        const pid_t control = Spawn({"/usr/bin/callgrind_control", "--dump=mapped", std::to_string(pid)});
        waitpid(control, nullptr, 0);
        // The first dump, "totals: N" at its end once it is written whole.
        for (int i = 0; i < 100 && instructions == 0; ++i) {
            std::ifstream dump(out + ".1");
            std::string line;
            while (std::getline(dump, line)) {
                if (line.rfind("totals: ", 0) == 0) instructions = std::stod(line.substr(8));
            }
            if (instructions == 0) std::this_thread::sleep_for(100ms);
        }
    } catch (...) {
        Stop(pid);
        std::filesystem::remove_all(folder);
        throw;
    }
    Stop(pid);
    std::filesystem::remove_all(folder);
    if (instructions == 0) throw std::runtime_error("callgrind wrote no counts for " + argv.front());
    return instructions;
}

// CPU seconds the process spends over `seconds` from now.
double IdleCpu(pid_t pid, double seconds) {
    const double before = CpuSeconds(pid);
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    if (!Alive(pid)) throw std::runtime_error("the program ended while idling");
    return CpuSeconds(pid) - before;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 9;
    double idleSeconds = 30.0;
    // Another build of the program, to compare with: --game PATH.
    std::string program = SORUBERIA_GAME;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--runs") == 0) runs = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--idle") == 0) idleSeconds = std::atof(argv[i + 1]);
        else if (std::strcmp(argv[i], "--game") == 0) program = argv[i + 1];
    }
    if (runs < 1 || idleSeconds <= 0) {
        std::fprintf(stderr, "usage: soruberia-startup-bench [--runs N] [--idle SECONDS] [--game PATH]\n");
        return 2;
    }
    const std::vector<std::string> game{program};
    const std::vector<std::string> floor{SORUBERIA_FLOOR, SORUBERIA_FLOOR_PICTURE};

    try {
        Display display;
        // Each once first, so that both start from a warm file cache.
        Stop(Start(display, game, "メニュー").pid);
        Stop(Start(display, floor, "floor").pid);
        Figures g, f;
        for (int run = 0; run < runs; ++run) {
            const Launch a = Start(display, game, "メニュー");
            Stop(a.pid);
            g.Add(a);
            const Launch b = Start(display, floor, "floor");
            Stop(b.pid);
            f.Add(b);
        }

        std::printf("\nStart-up: exec to window mapped, memory at that moment (median of %d runs)\n",
                    runs);
        std::printf("  %-34s %10s %10s %10s\n", "", "time ms", "RSS MiB", "PSS MiB");
        std::printf("  %-34s %10.1f %10.1f %10.1f\n", "soruberia, menu window", Median(g.ms),
                    Median(g.rss), Median(g.pss));
        std::printf("  %-34s %10.1f %10.1f %10.1f\n", "Qt 6 floor, one window + picture",
                    Median(f.ms), Median(f.rss), Median(f.pss));
        std::printf("  %-34s %10.2f %10.2f %10.2f\n", "ratio soruberia / floor",
                    Median(g.ms) / Median(f.ms), Median(g.rss) / Median(f.rss),
                    Median(g.pss) / Median(f.pss));
        std::fflush(stdout);

        std::printf("\nInstructions from exec to the menu mapped (callgrind)\n");
        std::printf("  %-34s %10.1f M\n", "soruberia, menu window",
                    InstructionsToMap(display, game, "メニュー") / 1e6);
        std::printf("  %-34s %10.1f M\n", "Qt 6 floor, one window + picture",
                    InstructionsToMap(display, floor, "floor") / 1e6);
        std::fflush(stdout);

        // Idle: the menu once its title is built up, then a question open.
        const Launch menu = Start(display, game, "メニュー");
        std::this_thread::sleep_for(5s);
        const double atMenu = IdleCpu(menu.pid, idleSeconds);
        display.WaitForMap("ソルベリア", menu.pid,
                           [&menu] { Click(menu.window, kStartX, kStartY); });
        std::this_thread::sleep_for(2s);
        const double inQuestion = IdleCpu(menu.pid, idleSeconds);
        Stop(menu.pid);
        const Launch bare = Start(display, floor, "floor");
        std::this_thread::sleep_for(2s);
        const double atFloor = IdleCpu(bare.pid, idleSeconds);
        Stop(bare.pid);

        std::printf("\nIdle CPU: utime + stime over %.0f s\n", idleSeconds);
        std::printf("  %-34s %10s %12s\n", "", "CPU ms", "% of a core");
        const auto row = [idleSeconds](const char* what, double cpu) {
            std::printf("  %-34s %10.0f %12.3f\n", what, cpu * 1000.0, 100.0 * cpu / idleSeconds);
        };
        row("soruberia, menu", atMenu);
        row("soruberia, question open", inQuestion);
        row("Qt 6 floor", atFloor);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "soruberia-startup-bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
