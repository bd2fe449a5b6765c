// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "platform/SessionFiles.h"

#include <fstream>
#include <optional>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

extern char** environ;

namespace soruberia::platform {
namespace {

// An address libdbus cannot connect to and does not launch anything for:
// the program goes on without a bus, as it does when a named bus is gone.
constexpr const char* kNoBus = "disabled:";

// The system-wide sound server, the one place the PulseAudio client looks
// besides the user's runtime folder when no server is named.
constexpr const char* kSystemSoundServer = "unix:/var/run/pulse/native";

std::optional<std::string> Variable(const Environment& environment, std::string_view name) {
    // An empty variable counts as none, as it does for libdbus.
    const auto found = environment.find(name);
    if (found == environment.end() || found->second.empty()) return std::nullopt;
    return found->second;
}

// libdbus takes $XDG_RUNTIME_DIR/bus when it is a socket of this user's.
bool IsOwnSocket(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISSOCK(status.st_mode) && status.st_uid == ::getuid();
}

// The PulseAudio client keeps a runtime folder only when it is this user's
// and private.
bool IsOwnPrivateFolder(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == ::getuid() &&
           (status.st_mode & 0777) == 0700;
}

// dbus-launch names its record of a bus by the display without its screen,
// without a local host name, and with ':' and '/' made '_'.
std::string RecordNameOfDisplay(std::string display) {
    const std::size_t colon = display.rfind(':');
    if (colon != std::string::npos) {
        const std::size_t dot = display.find('.', colon);
        if (dot != std::string::npos) display.erase(dot);
    }
    for (const std::string_view prefix : {"localhost.localdomain:", "localhost:", ":"}) {
        if (display.starts_with(prefix)) display.erase(0, prefix.size());
    }
    for (char& c : display) {
        if (c == ':' || c == '/') c = '_';
    }
    return display;
}

// The address in a record dbus-launch wrote when it started a bus for this
// display: DBUS_SESSION_BUS_ADDRESS='…'.
std::optional<std::string> RecordedBusAddress(const std::string& path) {
    std::ifstream record(path);
    constexpr std::string_view key = "DBUS_SESSION_BUS_ADDRESS=";
    for (std::string line; std::getline(record, line);) {
        if (!line.starts_with(key)) continue;
        std::string address = line.substr(key.size());
        if (address.size() >= 2 && address.front() == '\'' && address.back() == '\'')
            address = address.substr(1, address.size() - 2);
        if (!address.empty()) return address;
    }
    return std::nullopt;
}

// Without an address, libdbus takes the runtime folder's bus, and failing
// that starts one. A bus dbus-launch started for this display before is
// taken from its record: one that has gone is not started again.
std::optional<Setting> BusSetting(const Environment& environment, std::string_view machineId) {
    if (Variable(environment, "DBUS_SESSION_BUS_ADDRESS")) return std::nullopt;
    if (const auto runtime = Variable(environment, "XDG_RUNTIME_DIR"); runtime && IsOwnSocket(*runtime + "/bus"))
        return std::nullopt;
    const auto home = Variable(environment, "HOME");
    const auto display = Variable(environment, "DISPLAY");
    if (home && display && !machineId.empty()) {
        const std::string record =
            *home + "/.dbus/session-bus/" + std::string(machineId) + "-" + RecordNameOfDisplay(*display);
        if (const auto address = RecordedBusAddress(record)) return Setting{"DBUS_SESSION_BUS_ADDRESS", *address};
    }
    return Setting{"DBUS_SESSION_BUS_ADDRESS", kNoBus};
}

// With no runtime folder and no server named, the PulseAudio client looks
// for the user's server in a folder of its own, linked from its settings
// folder, and makes both when they are not there. Where a server of the
// user's made them, they are used as they are; otherwise the system-wide
// server is named, which also keeps the client from starting a server.
std::optional<Setting> SoundServerSetting(const Environment& environment, std::string_view machineId) {
    for (const std::string_view named : {"XDG_RUNTIME_DIR", "PULSE_RUNTIME_PATH", "PULSE_SERVER"}) {
        if (Variable(environment, named)) return std::nullopt;
    }
    std::optional<std::string> settings;
    if (const auto config = Variable(environment, "XDG_CONFIG_HOME")) {
        settings = *config + "/pulse";
    } else if (const auto home = Variable(environment, "HOME")) {
        settings = *home + "/.config/pulse";
    }
    if (settings && !machineId.empty() &&
        IsOwnPrivateFolder(*settings + "/" + std::string(machineId) + "-runtime"))
        return std::nullopt;
    return Setting{"PULSE_SERVER", kSystemSoundServer};
}

std::string MachineId() {
    for (const char* path : {"/etc/machine-id", "/var/lib/dbus/machine-id"}) {
        std::ifstream file(path);
        std::string id;
        if (std::getline(file, id) && !id.empty()) return id;
    }
    return {};
}

}  // namespace

std::vector<Setting> QuietSessionSettings(const Environment& environment, std::string_view machineId) {
    std::vector<Setting> settings;
    if (auto bus = BusSetting(environment, machineId)) settings.push_back(std::move(*bus));
    if (auto sound = SoundServerSetting(environment, machineId)) settings.push_back(std::move(*sound));
    return settings;
}

void KeepSessionFilesAway() {
    Environment environment;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        const std::string_view text(*entry);
        const std::size_t equals = text.find('=');
        if (equals != std::string_view::npos) environment.emplace(text.substr(0, equals), text.substr(equals + 1));
    }
    // Both libraries find the home folder in the user database without HOME.
    if (!Variable(environment, "HOME")) {
        if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr)
            environment.insert_or_assign("HOME", user->pw_dir);
    }
    for (const Setting& setting : QuietSessionSettings(environment, MachineId()))
        ::setenv(setting.name.c_str(), setting.value.c_str(), 1);
}

}  // namespace soruberia::platform
