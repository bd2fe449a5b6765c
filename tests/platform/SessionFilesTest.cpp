// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// What the program names for libdbus and the PulseAudio client, in the
// sessions it may be started in, each with the files such a session holds.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <functional>
#include <ostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/SessionFiles.h"
#include "tests/support/ContentFiles.h"

using soruberia::platform::Environment;
using soruberia::platform::QuietSessionSettings;
using soruberia::platform::Setting;
using testing::ElementsAreArray;

namespace soruberia::platform {
void PrintTo(const Setting& setting, std::ostream* out) { *out << setting.name << '=' << setting.value; }
}  // namespace soruberia::platform

namespace {

constexpr const char* kMachine = "0123456789abcdef0123456789abcdef";
const Setting kNoBus{"DBUS_SESSION_BUS_ADDRESS", "disabled:"};
const Setting kSystemSound{"PULSE_SERVER", "unix:/var/run/pulse/native"};

// A folder standing for the file system the session's variables lead to.
class SessionFolder {
public:
    SessionFolder() {
        if (!root_.isValid()) throw std::runtime_error("no temporary folder");
        for (const char* folder : {"home", "runtime", "config"}) QDir(root_.path()).mkpath(QString::fromLatin1(folder));
        QFile::setPermissions(Path("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QString Path(const QString& relative) const { return QDir(root_.path()).filePath(relative); }
    std::string At(const QString& relative) const { return Path(relative).toStdString(); }

    // A socket of this user's, as a bus or sound server leaves it.
    void Socket(const QString& relative) const {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string path = At(relative);
        if (fd < 0 || path.size() >= sizeof address.sun_path) throw std::runtime_error("no socket for " + path);
        path.copy(address.sun_path, path.size());
        const int bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        ::close(fd);
        if (bound != 0) throw std::runtime_error("cannot bind " + path);
    }

    void File(const QString& relative, const std::string& text) const {
        QDir().mkpath(QFileInfo(Path(relative)).path());
        soruberia::testsupport::WriteBytes(Path(relative), text);
    }

    // The record dbus-launch leaves of a bus it started for a display.
    void BusRecord(const QString& displayPart, const std::string& address) const {
        File(QStringLiteral("home/.dbus/session-bus/%1-%2").arg(QLatin1String(kMachine), displayPart),
             "# This file allows processes on the machine with id ... to find the D-Bus session bus\n"
             "DBUS_SESSION_BUS_ADDRESS='" + address + "'\nDBUS_SESSION_BUS_PID=4242\n");
    }

    // The link a PulseAudio server of the user's makes in `settings` when
    // there is no runtime folder, to a folder of `mode`, or to none.
    void SoundRuntimeLink(const QString& settings, std::optional<QFile::Permissions> mode) const {
        QDir().mkpath(Path(settings));
        const QString target = Path(QStringLiteral("pulse-runtime"));
        if (mode) {
            QDir().mkpath(target);
            QFile::setPermissions(target, *mode);
        }
        if (!QFile::link(target, QDir(Path(settings)).filePath(QLatin1String(kMachine) + QStringLiteral("-runtime"))))
            throw std::runtime_error("cannot link the runtime folder");
    }

private:
    QTemporaryDir root_;
};

constexpr QFile::Permissions kPrivate = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

struct SessionCase {
    const char* session;
    std::function<Environment(const SessionFolder&)> environment;
    std::function<void(const SessionFolder&)> files;
    std::function<std::vector<Setting>(const SessionFolder&)> expected;
};

Environment Bare(const SessionFolder& folder) {
    return {{"HOME", folder.At("home")}, {"DISPLAY", ":1"}};
}

Environment WithRuntime(const SessionFolder& folder) {
    Environment environment = Bare(folder);
    environment.emplace("XDG_RUNTIME_DIR", folder.At("runtime"));
    return environment;
}

void Nothing(const SessionFolder&) {}
std::vector<Setting> Unchanged(const SessionFolder&) { return {}; }

const std::vector<SessionCase> kSessions{
    {"a desktop session: its bus and runtime folder named",
     [](const SessionFolder& folder) {
         Environment environment = WithRuntime(folder);
         environment.emplace("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + folder.At("runtime/bus"));
         return environment;
     },
     Nothing, Unchanged},
    {"a desktop session whose bus is found in its runtime folder",
     WithRuntime, [](const SessionFolder& folder) { folder.Socket("runtime/bus"); }, Unchanged},
    {"ssh -X with a runtime folder but no bus in it",
     WithRuntime, Nothing, [](const SessionFolder&) { return std::vector<Setting>{kNoBus}; }},
    {"a runtime folder whose bus is a plain file, not a socket",
     WithRuntime, [](const SessionFolder& folder) { folder.File("runtime/bus", ""); },
     [](const SessionFolder&) { return std::vector<Setting>{kNoBus}; }},
    {"a bare X session: no bus, no runtime folder",
     Bare, Nothing, [](const SessionFolder&) { return std::vector<Setting>{kNoBus, kSystemSound}; }},
    {"an empty bus address counts as none",
     [](const SessionFolder& folder) {
         Environment environment = WithRuntime(folder);
         environment.emplace("DBUS_SESSION_BUS_ADDRESS", "");
         return environment;
     },
     Nothing, [](const SessionFolder&) { return std::vector<Setting>{kNoBus}; }},
    {"a bare X session where a bus was started for this display before",
     Bare, [](const SessionFolder& folder) { folder.BusRecord("1", "unix:path=/tmp/dbus-x,guid=1"); },
     [](const SessionFolder&) {
         return std::vector<Setting>{{"DBUS_SESSION_BUS_ADDRESS", "unix:path=/tmp/dbus-x,guid=1"}, kSystemSound};
     }},
    {"a bus record of another display is not this display's",
     Bare, [](const SessionFolder& folder) { folder.BusRecord("2", "unix:path=/tmp/dbus-x,guid=1"); },
     [](const SessionFolder&) { return std::vector<Setting>{kNoBus, kSystemSound}; }},
    {"a sound server named: the client looks nowhere else",
     [](const SessionFolder& folder) {
         Environment environment = Bare(folder);
         environment.emplace("PULSE_SERVER", "tcp:sound.example");
         return environment;
     },
     Nothing, [](const SessionFolder&) { return std::vector<Setting>{kNoBus}; }},
    {"a sound runtime folder named",
     [](const SessionFolder& folder) {
         Environment environment = Bare(folder);
         environment.emplace("PULSE_RUNTIME_PATH", folder.At("runtime"));
         return environment;
     },
     Nothing, [](const SessionFolder&) { return std::vector<Setting>{kNoBus}; }},
    {"a sound server of the user's started without a runtime folder",
     Bare, [](const SessionFolder& folder) { folder.SoundRuntimeLink("home/.config/pulse", kPrivate); },
     [](const SessionFolder&) { return std::vector<Setting>{kNoBus}; }},
    {"its link in the settings folder XDG_CONFIG_HOME names",
     [](const SessionFolder& folder) {
         Environment environment = Bare(folder);
         environment.emplace("XDG_CONFIG_HOME", folder.At("config"));
         return environment;
     },
     [](const SessionFolder& folder) { folder.SoundRuntimeLink("config/pulse", kPrivate); },
     [](const SessionFolder&) { return std::vector<Setting>{kNoBus}; }},
    {"a link left from before a restart, to a folder that is gone",
     Bare, [](const SessionFolder& folder) { folder.SoundRuntimeLink("home/.config/pulse", std::nullopt); },
     [](const SessionFolder&) { return std::vector<Setting>{kNoBus, kSystemSound}; }},
    {"a link to a folder others can read, which the client would replace",
     Bare,
     [](const SessionFolder& folder) {
         folder.SoundRuntimeLink("home/.config/pulse", kPrivate | QFile::ReadGroup | QFile::ExeGroup);
     },
     [](const SessionFolder&) { return std::vector<Setting>{kNoBus, kSystemSound}; }},
};

TEST(SessionFilesTest, NamesTheBusAndSoundServerOnlyWhereNothingElseDoes) {
    for (const SessionCase& session : kSessions) {
        SCOPED_TRACE(session.session);
        const SessionFolder folder;
        session.files(folder);
        EXPECT_THAT(QuietSessionSettings(session.environment(folder), kMachine),
                    ElementsAreArray(session.expected(folder)));
    }
}

// dbus-launch names its record by the display without the screen and
// without a local host name; a remote host stays, its ':' made '_'.
TEST(SessionFilesTest, FindsTheBusRecordOfTheDisplayAsDbusLaunchNamesIt) {
    const struct {
        const char* display;
        const char* record;
    } displays[] = {
        {":1", "1"},
        {":1.0", "1"},
        {"localhost:10.0", "10"},
        {"localhost.localdomain:10", "10"},
        {"host.example:10.0", "host.example_10"},
    };
    for (const auto& display : displays) {
        SCOPED_TRACE(display.display);
        const SessionFolder folder;
        folder.BusRecord(QString::fromLatin1(display.record), "unix:path=/tmp/dbus-y");
        const Environment environment{{"HOME", folder.At("home")},
                                      {"DISPLAY", display.display},
                                      {"PULSE_SERVER", "unix:/x"}};
        EXPECT_THAT(QuietSessionSettings(environment, kMachine),
                    ElementsAreArray({Setting{"DBUS_SESSION_BUS_ADDRESS", "unix:path=/tmp/dbus-y"}}));
    }
}

}  // namespace
