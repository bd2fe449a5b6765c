// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The real program started where it cannot find its own file: /proc is
// hidden in a mount namespace of the test's own.
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace soruberia::app::testing {
namespace {

// Runs `command` with an empty /proc; `crashed` when it ended by a signal.
struct HiddenProcRun {
    bool started = false;
    bool crashed = false;
    int exitCode = -1;
    QString errors;
};

HiddenProcRun RunWithoutProc(const QString& unshare, const QStringList& command) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(unshare, QStringList{QStringLiteral("--user"), QStringLiteral("--map-root-user"),
                                       QStringLiteral("--mount"), QStringLiteral("sh"),
                                       QStringLiteral("-c"),
                                       QStringLiteral("mount -t tmpfs none /proc && exec \"$@\""),
                                       QStringLiteral("sh")} +
                                command);
    HiddenProcRun run;
    run.started = process.waitForStarted() && process.waitForFinished(30000);
    if (!run.started) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.crashed = process.exitStatus() == QProcess::CrashExit;
    run.exitCode = process.exitCode();
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

TEST(OwnFolderFailureTest, EndsWithTheFailureMessageNotAnAbort) {
    const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
    if (unshare.isEmpty()) GTEST_SKIP() << "no unshare program";
    // Whether this machine lets an unprivileged user hide /proc at all.
    const HiddenProcRun probe = RunWithoutProc(unshare, {QStringLiteral("true")});
    if (!probe.started || probe.crashed || probe.exitCode != 0) {
        GTEST_SKIP() << "no user and mount namespaces here: " << probe.errors.toStdString();
    }

    const HiddenProcRun run = RunWithoutProc(unshare, {QStringLiteral(SORUBERIA_EXECUTABLE)});
    ASSERT_TRUE(run.started);
    EXPECT_FALSE(run.crashed) << run.errors.toStdString();
    EXPECT_EQ(run.exitCode, 1) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(
        QStringLiteral("ソルベリア: プログラム自身のファイルが見つかりません (/proc/self/exe")))
        << run.errors.toStdString();
}

}  // namespace
}  // namespace soruberia::app::testing
