// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The program started outside a desktop session, as from a bare X session or
// over ssh -X: no message bus, no runtime folder, no sound server named, an
// empty home folder, and dbus-launch installed, which libdbus would use to
// start a bus of its own. A game is started and a button pressed, so that
// the accessibility bridge asks for the bus and the sound device is opened;
// afterwards the home folder is still empty, and nothing the program
// started is still running.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "layout/GameLayout.h"
#include "layout/MenuLayout.h"
#include "tests/e2e/Session.h"
#include "tests/support/ChildProcess.h"

namespace soruberia::e2e {
namespace {

QPoint CentreOf(const soruberia::layout::Form& form, std::string_view widget) {
    const soruberia::layout::Widget* entry = soruberia::layout::Find(form, widget);
    if (entry == nullptr) throw std::invalid_argument("no widget " + std::string(widget));
    const soruberia::layout::PixelRect box = soruberia::layout::ToPixels(entry->box);
    return {box.x + box.width / 2, box.y + box.height / 2};
}

// The processes whose parent is this test: the ones it started, and, while
// it is a subreaper, whatever they left running when they ended.
std::set<pid_t> ChildrenOfTest() {
    std::set<pid_t> children;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const pid_t pid = entry.toInt(&number);
        if (!number) continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly)) continue;
        // pid (name) state ppid …; the name may hold spaces and parentheses.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1].toInt() == ::getpid()) children.insert(pid);
    }
    return children;
}

QString NameOf(pid_t pid) {
    QFile command(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!command.open(QIODevice::ReadOnly)) return QStringLiteral("?");
    return QString::fromLocal8Bit(command.readAll().replace('\0', ' ')).trimmed();
}

// Everything below `folder`, one path a line.
QStringList Contents(const QString& folder) {
    QStringList found;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) found << QDir(folder).relativeFilePath(it.next());
    return found;
}

// Processes left by the program become this test's children, not init's,
// so that they can be seen; whatever was left is ended with the test.
class Subreaper {
public:
    Subreaper() {
        ::prctl(PR_SET_CHILD_SUBREAPER, 1);
        before_ = ChildrenOfTest();
    }
    ~Subreaper() {
        const std::set<pid_t> left = Leftovers();
        // Asked first, so that a bus removes its socket.
        for (const pid_t pid : left) ::kill(pid, SIGTERM);
        for (const pid_t pid : left) {
            if (!WaitUntil([pid] { return ::waitpid(pid, nullptr, WNOHANG) == pid; }, 2s)) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, nullptr, 0);
            }
        }
        ::prctl(PR_SET_CHILD_SUBREAPER, 0);
    }
    Subreaper(const Subreaper&) = delete;
    Subreaper& operator=(const Subreaper&) = delete;

    // The children that came since this object was made.
    std::set<pid_t> Leftovers() const {
        std::set<pid_t> left;
        for (const pid_t pid : ChildrenOfTest())
            if (!before_.contains(pid)) left.insert(pid);
        return left;
    }

private:
    std::set<pid_t> before_;
};

TEST(BareSessionTest, StartsNoBusAndLeavesNothingInTheHomeFolder) {
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("dbus-launch")).isEmpty())
        << "dbus-launch (package dbus-x11) is missing: without it libdbus could start no bus "
           "and this test would show nothing";
    Session session;
    XServer& x = session.X();
    QTemporaryDir home;
    QTemporaryDir temporary;
    ASSERT_TRUE(home.isValid() && temporary.isValid());

    const QString program = session.PathOf(QStringLiteral("soruberia"));  // put there by the session
    QProcessEnvironment bare;
    bare.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH", QStringLiteral("/usr/bin:/bin")));
    bare.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    bare.insert(QStringLiteral("DISPLAY"), x.Display());
    bare.insert(QStringLiteral("HOME"), home.path());
    bare.insert(QStringLiteral("TMPDIR"), temporary.path());

    // Made before the program, so that it is ended after it.
    Subreaper subreaper;
    QProcess game;
    testsupport::DieWithTest(game);
    game.setProcessEnvironment(bare);
    game.start(program, {});
    ASSERT_TRUE(game.waitForStarted());

    // The start button comes once the menu has built up; until then the
    // clicks land on the menu's empty ground.
    const QPoint start = CentreOf(soruberia::layout::MenuWindow(), "Command3");
    std::optional<TopWindow> window;
    ASSERT_TRUE(WaitUntil([&] {
        if ((window = x.Find(QStringLiteral("ソルベリア")))) return true;
        if (const auto menu = x.Find(QStringLiteral("メニュー"))) {
            x.Click(menu->area.topLeft() + start);
            QThread::msleep(400);
        }
        return false;
    })) << "no game window; windows: " << x.Titles().join(QStringLiteral(" | ")).toStdString();

    // A right answer: its sound plays and the button shows it found.
    const QPoint ion = window->area.topLeft() + CentreOf(soruberia::layout::GameWindow(), "Command1_1");
    ASSERT_TRUE(WaitUntil([&] { return x.Pixel(ion) == kPlainIon; })) << "the game window was not painted";
    x.Click(ion);
    ASSERT_TRUE(WaitUntil([&] { return x.Pixel(ion) == kFoundIon; })) << "the ion button did not answer";
    QThread::msleep(1000);  // the sound to its end
    x.Click(window->area.topLeft() + CentreOf(soruberia::layout::GameWindow(), "Command2"));
    ASSERT_TRUE(game.waitForFinished(static_cast<int>(kPatience.count())))
        << "the quit button did not end the program";
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(game.exitCode(), 0) << game.readAllStandardError().toStdString();

    QStringList left;
    for (const pid_t pid : subreaper.Leftovers()) left << NameOf(pid);
    EXPECT_TRUE(left.isEmpty()) << "still running after the program ended:\n"
                                << left.join(QLatin1Char('\n')).toStdString();
    const QStringList homeFiles = Contents(home.path());
    EXPECT_TRUE(homeFiles.isEmpty()) << "made in the home folder:\n"
                                     << homeFiles.join(QLatin1Char('\n')).toStdString();
    // Qt makes a runtime folder of its own when the session has none
    // (runtime-<user>, empty); nothing else goes to the temporary folder.
    QStringList temporaryFiles = Contents(temporary.path());
    temporaryFiles.removeIf([](const QString& path) {
        return path.startsWith(QLatin1String("runtime-")) && !path.contains(QLatin1Char('/'));
    });
    EXPECT_TRUE(temporaryFiles.isEmpty()) << "made in the temporary folder:\n"
                                          << temporaryFiles.join(QLatin1Char('\n')).toStdString();
}

}  // namespace
}  // namespace soruberia::e2e
