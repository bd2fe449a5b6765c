// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The real program, started from a copy beside a content folder made here.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "tests/app/AppTestKit.h"

namespace soruberia::app::testing {
namespace {

struct ProgramRun {
    bool finished = false;
    int exitCode = -1;
    QString errors;
};

// Copies the program into `folder` and runs it offscreen; it is stopped if
// it is still running after `waitMs`.
ProgramRun RunProgramIn(const QString& folder, int waitMs) {
    const QString program = QDir(folder).filePath(QStringLiteral("soruberia"));
    QFile::remove(program);
    if (!QFile::copy(QStringLiteral(SORUBERIA_EXECUTABLE), program))
        throw std::runtime_error("cannot copy the program");
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(QDir::tempPath());  // the content is found beside the program
    process.start(program, {});
    if (!process.waitForStarted()) throw std::runtime_error("the program did not start");
    ProgramRun run;
    run.finished = process.waitForFinished(waitMs);
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.exitCode = process.exitCode();
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

TEST(StartupProcessTest, MissingOrEmptyExplanationEndsTheProgramAtStart) {
    struct Case {
        const char* name;
        void (*spoil)(const ContentFolder&);
    };
    const Case cases[] = {
        {"no explanation file", [](const ContentFolder& c) { c.RemoveExplanation(); }},
        {"empty explanation file", [](const ContentFolder& c) { c.WriteExplanationBytes(""); }},
        {"no folder 問題",
         [](const ContentFolder& c) { QDir(c.Path(QStringLiteral("問題"))).removeRecursively(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ContentFolder content;
        c.spoil(content);
        const ProgramRun run = RunProgramIn(QString::fromStdString(content.BasePath()), 30000);
        ASSERT_TRUE(run.finished);
        EXPECT_NE(run.exitCode, 0);
        // The message names the file below the program's own folder.
        EXPECT_TRUE(run.errors.contains(content.Path(QStringLiteral("問題/setumei.txt"))))
            << run.errors.toStdString();
    }
}

TEST(StartupProcessTest, StartsWithContentBesideIt) {
    ContentFolder content;
    // Still running at the end of the wait: the menu is up and waits for the
    // player (under the offscreen platform nothing can press a button).
    const ProgramRun run = RunProgramIn(QString::fromStdString(content.BasePath()), 1500);
    EXPECT_FALSE(run.finished) << run.errors.toStdString();
}

}  // namespace
}  // namespace soruberia::app::testing
