// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "XWatch.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace soruberia::bench {

using namespace std::chrono_literals;

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

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

Display::Display() {
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

Display::~Display() { xcb_disconnect(connection_); }

std::pair<xcb_window_t, Clock::time_point> Display::WaitForMap(const std::string& title, pid_t pid,
                                                               const std::function<void()>& meanwhile) {
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
        if (!Alive(pid)) throw ProgramEnded("the program ended before its window " + title);
        if (Clock::now() > deadline) throw std::runtime_error("no window " + title + " within 60 s");
        if (meanwhile && Clock::now() > nextNudge) {
            meanwhile();
            nextNudge = Clock::now() + 300ms;
        }
        pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
        poll(&fd, 1, 20);
    }
}

xcb_atom_t Display::Atom(const char* name) {
    auto* reply = xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    if (reply == nullptr) throw std::runtime_error(std::string("no atom ") + name);
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

std::string Display::Title(xcb_window_t window) {
    auto* reply = xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, netWmName_, utf8_, 0, 256), nullptr);
    if (reply == nullptr) return {};
    std::string title(static_cast<const char*>(xcb_get_property_value(reply)),
                      static_cast<std::size_t>(xcb_get_property_value_length(reply)));
    std::free(reply);
    return title;
}

}  // namespace soruberia::bench
