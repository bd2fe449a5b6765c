// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// A whole game that writes nothing: the Qt program under strace opens no
// file for writing and creates, removes, renames or changes none, anywhere;
// the Windows program leaves every file it could reach as it was.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <iostream>

#include <sys/stat.h>
#include <unistd.h>

#include "tests/e2e/FrontEnd.h"
#include "tests/e2e/Play.h"
#include "tests/e2e/Session.h"

namespace soruberia::e2e {
namespace {

// strace writes bytes outside printable ASCII as octal or hex escapes.
QString Unescape(const QString& quoted) {
    QByteArray bytes;
    const QByteArray in = quoted.toUtf8();
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] != '\\' || i + 1 >= in.size()) {
            bytes += in[i];
            continue;
        }
        const char next = in[++i];
        if (next == 'x' && i + 2 < in.size()) {
            bytes += static_cast<char>(in.mid(i + 1, 2).toInt(nullptr, 16));
            i += 2;
        } else if (next >= '0' && next <= '7') {
            qsizetype digits = 1;
            while (digits < 3 && i + digits < in.size() && in[i + digits] >= '0' && in[i + digits] <= '7')
                ++digits;
            bytes += static_cast<char>(in.mid(i, digits).toInt(nullptr, 8));
            i += digits - 1;
        } else if (next == 'n') {
            bytes += '\n';
        } else if (next == 't') {
            bytes += '\t';
        } else {
            bytes += next;
        }
    }
    return QString::fromUtf8(bytes);
}

struct Trace {
    QStringList written;  // what the program must not have done, one line each
    QStringList read;     // files opened for reading
};

// What a successful call in the trace did to the file system.
void Classify(const QString& line, Trace& trace) {
    static const QRegularExpression call(QStringLiteral(R"(^(\w+)\((.*)\)\s+=\s+(\d+)(?:<(.*)>)?$)"));
    static const QRegularExpression writeFlags(QStringLiteral(R"(O_(WRONLY|RDWR|CREAT|TRUNC|APPEND|TMPFILE))"));
    static const QRegularExpression changes(QStringLiteral(
        R"(^(creat|mkdir|mkdirat|mknod|mknodat|rename|renameat|renameat2|link|linkat|symlink|symlinkat|)"
        R"(unlink|unlinkat|rmdir|truncate|chmod|fchmodat|chown|lchown|fchownat|utime|utimes|futimesat|)"
        R"(utimensat|setxattr|lsetxattr|removexattr|lremovexattr|mount|umount2|bind)$)"));
    static const QRegularExpression abstractSocket(QStringLiteral(R"(sun_path=@)"));
    const QRegularExpressionMatch match = call.match(line);
    if (!match.hasMatch()) return;
    const QString name = match.captured(1);
    const QString arguments = match.captured(2);

    if (name == QLatin1String("open") || name == QLatin1String("openat") ||
        name == QLatin1String("openat2")) {
        const QString path = Unescape(match.captured(4));
        if (!arguments.contains(writeFlags)) {
            trace.read << path;
            return;
        }
        // Character devices (/dev/null, sound devices), pipes and sockets
        // are how the X and sound clients talk; they hold no data.
        struct stat status {};
        if (::stat(path.toUtf8().constData(), &status) == 0 &&
            (S_ISCHR(status.st_mode) || S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode)))
            return;
        trace.written << line;
        return;
    }
    if (name.contains(changes)) {
        if (name == QLatin1String("bind") && (!arguments.contains(QLatin1String("AF_UNIX")) ||
                                              arguments.contains(abstractSocket)))
            return;
        trace.written << line;
    }
}

Trace ReadTrace(const QString& folder) {
    Trace trace;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("trace.*")}, QDir::Files)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) continue;
        for (const QByteArray& line : file.readAll().split('\n'))
            Classify(QString::fromUtf8(line).trimmed(), trace);
    }
    return trace;
}

// A failure, the goal, the hint window and the quit button: every content
// file is read.
void PlayWholeGame(Session& session, const QStringList& wrapper = {}) {
    std::optional<MenuView> menu = StartAtMenu(session, wrapper);
    ASSERT_TRUE(menu);
    const std::optional<GameView> game = StartGame(session, *menu);
    ASSERT_TRUE(game);
    RightAndWrong(*game);
    if (::testing::Test::HasFatalFailure()) return;
    // 100 − 100 = 0; the gauge stands at level 1, so four misses burst the
    // balloon: the failure from 0 leaves 0.
    for (int miss = 2; miss <= 5; ++miss) {
        game->ClickIon(kWrongIon);
        ASSERT_TRUE(WaitUntil([&] { return game->MarkShows(kWrongMark); }));
        ASSERT_TRUE(WaitUntil([&] { return game->MarkHidden(); }));
    }
    ASSERT_TRUE(WaitUntil([&] { return game->GaugeAt(0) && game->IonShows(1, kPlainIon); }))
        << "no failure after five misses";
    ToTheGoalAndRetry(*game, 0);
    if (::testing::Test::HasFatalFailure()) return;
    LeaveByQuitButton(session, *game);
}

TEST(NothingWrittenTest, QtWholeGameUnderStraceWritesNoFile) {
    QTemporaryDir traceFolder;
    ASSERT_TRUE(traceFolder.isValid());
    Session session(FrontEnd::Qt);

    // Every thread and child in a file of its own, successful calls only,
    // each file descriptor with the path it stands for.
    const QStringList strace{QStringLiteral("strace"), QStringLiteral("-ff"), QStringLiteral("-qq"),
                             QStringLiteral("-z"), QStringLiteral("-y"), QStringLiteral("--seccomp-bpf"),
                             QStringLiteral("-e"), QStringLiteral("trace=%file,bind"),
                             QStringLiteral("-e"), QStringLiteral("signal=none"),
                             QStringLiteral("-o"), traceFolder.filePath(QStringLiteral("trace"))};
    PlayWholeGame(session, strace);
    if (HasFatalFailure()) return;

    const Trace trace = ReadTrace(traceFolder.path());
    // The trace saw the game: the question bank, pictures and sounds.
    for (const char* file : {"問題/setumei.txt", "問題/mondai.txt", "問題/kotae.txt", "図/ion(12).gif",
                             "図/ion'(11).gif", "図/maru.gif", "図/batu.gif", "音/o.wav", "音/x.wav",
                             "音/pan.wav", "音/dame.wav", "音/gokaku.wav"}) {
        EXPECT_TRUE(trace.read.contains(session.PathOf(QString::fromUtf8(file))))
            << "the trace shows no read of " << file;
    }
    EXPECT_TRUE(trace.written.isEmpty()) << "written or changed:\n"
                                         << trace.written.join(QLatin1Char('\n')).toStdString();
}

// Where the Windows program could write: its folder, the home, the
// temporary folder, drive C: of the prefix (the user's profile, its
// temporary folder, the Windows folder) and the registry (the keys Wine
// saves once its server has ended). Folders count by name only, files by
// size and time. Left out is what Wine and its sound client keep for
// themselves: the server's folder, PulseAudio's client files, and the keys
// Wine refreshes at every start or fills when a program opens a sound device.
QStringList Reachable(const Session& session) {
    QStringList listing;
    const QString prefix = session.Wine()->Folder();
    for (const QString& root : {session.ProgramFolder(), session.HomeFolder(), session.TemporaryFolder(),
                                prefix + QStringLiteral("/drive_c")}) {
        QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info = it.nextFileInfo();
            const QString path = info.filePath();
            if (path.startsWith(session.HomeFolder() + QStringLiteral("/.config/pulse")) ||
                path.startsWith(session.TemporaryFolder() + QStringLiteral("/wine-")) ||
                path.startsWith(session.TemporaryFolder() + QStringLiteral("/pulse-")))
                continue;
            listing << (info.isDir() && !info.isSymLink()
                            ? path + QLatin1Char('/')
                            : QStringLiteral("%1 %2 %3").arg(path).arg(info.size()).arg(
                                  info.lastModified().toMSecsSinceEpoch()));
        }
    }
    static const QRegularExpression key(QStringLiteral(R"(^(\[.*\]) \d+$)"));
    for (const char* hive : {"system.reg", "user.reg", "userdef.reg"}) {
        QFile file(prefix + QLatin1Char('/') + QLatin1String(hive));
        if (!file.open(QIODevice::ReadOnly)) continue;
        for (const QByteArray& bytes : file.readAll().split('\n')) {
            const QRegularExpressionMatch match = key.match(QString::fromUtf8(bytes).trimmed());
            if (!match.hasMatch()) continue;
            const QString name = match.captured(1);
            if (name.startsWith(QStringLiteral("[Software\\\\Wine\\\\")) ||
                name.contains(QStringLiteral("\\\\MMDevices\\\\")) ||
                name.endsWith(QStringLiteral("\\\\NetworkCards]")))
                continue;
            listing << QLatin1String(hive) + QLatin1Char(' ') + name;
        }
    }
    listing.sort();
    return listing;
}

TEST(NothingWrittenTest, WineWholeGameLeavesEveryFileAsItWas) {
    if (const std::string missing = MissingFor(FrontEnd::Wine); !missing.empty()) GTEST_SKIP() << missing;
    Session session(FrontEnd::Wine);
    // The prefix as it is before the program: the server has started the
    // system's own programs and saved what they changed.
    session.Wine()->Run(session.DesktopEnvironment(), {QStringLiteral("cmd"), QStringLiteral("/c"), QStringLiteral("exit")});
    session.Wine()->WaitForServer();
    const QStringList before = Reachable(session);
    PlayWholeGame(session);
    if (HasFatalFailure()) return;
    session.Wine()->WaitForServer();
    const QStringList after = Reachable(session);
    QStringList changed;
    for (const QString& line : before)
        if (!after.contains(line)) changed << QStringLiteral("- ") + line;
    for (const QString& line : after)
        if (!before.contains(line)) changed << QStringLiteral("+ ") + line;
    EXPECT_TRUE(changed.isEmpty()) << "changed:\n" << changed.join(QLatin1Char('\n')).toStdString();
}

}  // namespace
}  // namespace soruberia::e2e
