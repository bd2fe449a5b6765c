// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

// Started outside a desktop session (a bare X session, ssh -X, su), the
// program finds no message bus and no runtime folder, and two libraries
// below it would make their own: libdbus, asked for the session bus by Qt's
// accessibility bridge, starts a bus through `dbus-launch --autolaunch`,
// which records it in ~/.dbus/session-bus/; the PulseAudio client makes a
// runtime folder in /tmp and links it from ~/.config/pulse/. The program
// writes nothing, so where nothing names the bus or the sound server it
// names them itself, through the variables those libraries read. A desktop
// session's environment names them already and is left as it is.

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace soruberia::platform {

// The process's variables, by name.
using Environment = std::map<std::string, std::string, std::less<>>;

struct Setting {
    std::string name;
    std::string value;
    friend bool operator==(const Setting&, const Setting&) = default;
};

// What to set so that neither library makes anything, decided from
// `environment`, this machine's id and the files they lead to.
std::vector<Setting> QuietSessionSettings(const Environment& environment, std::string_view machineId);

// Applies QuietSessionSettings to the program's own environment. First thing
// in main: before any library has read the environment, and while the
// program has one thread.
void KeepSessionFilesAway();

}  // namespace soruberia::platform
