// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// A bank made elsewhere (saved by the browser's bank editor) played by the
// Qt program beside the real pictures and sounds: the first question shown
// is one the teacher typed, and a press on its right ion scores 100. The
// browser tests run it on the files they saved; CTest does not list it:
//   SORUBERIA_E2E_TEACHER_BANK=<folder holding mondai.txt, kotae.txt, setumei.txt>
//   SORUBERIA_E2E_TEACHER_KEY=<UTF-8 file: per question its text, a tab, one right ion>
//   soruberia_e2e_tests --gtest_filter='TeacherBank.*'
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <optional>
#include <string>

#include "tests/e2e/Play.h"

namespace soruberia::e2e {
namespace {

std::string ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read " + path.toStdString());
    return file.readAll().toStdString();
}

// The teacher's texts, each with one of its right ions.
std::map<QString, int> RightIons(const QString& path) {
    std::map<QString, int> right;
    for (const QString& line : QString::fromStdString(ReadBytes(path)).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const qsizetype tab = line.lastIndexOf(QLatin1Char('\t'));
        if (tab < 0) throw std::runtime_error("no tab in a line of " + path.toStdString());
        right[line.left(tab)] = line.mid(tab + 1).toInt();
    }
    return right;
}

TEST(TeacherBank, FirstQuestionIsTheTeachersAndARightPressScores) {
    const QString bank = qEnvironmentVariable("SORUBERIA_E2E_TEACHER_BANK");
    const QString keyFile = qEnvironmentVariable("SORUBERIA_E2E_TEACHER_KEY");
    ASSERT_FALSE(bank.isEmpty() || keyFile.isEmpty())
        << "SORUBERIA_E2E_TEACHER_BANK and SORUBERIA_E2E_TEACHER_KEY name the bank to play";
    const std::map<QString, int> right = RightIons(keyFile);

    // The saved files, and the real pictures in place of the session's
    // coloured ones: the program as a teacher's school has it.
    Session session;
    for (const char* name : {"mondai.txt", "kotae.txt", "setumei.txt"}) {
        const QString file = QString::fromLatin1(name);
        session.WriteFile(QStringLiteral("問題/") + file, ReadBytes(QDir(bank).filePath(file)));
    }
    const QDir pictures(QStringLiteral(SORUBERIA_SOURCE_DIR "/data/図"));
    for (const QString& name : pictures.entryList(QDir::Files))
        session.WriteFile(QStringLiteral("図/") + name, ReadBytes(pictures.filePath(name)));

    // Read as a screen reader reads it: the pictures are no longer the
    // session's colours, the texts are what the player meets.
    session.ListenAsScreenReader();
    const std::optional<MenuView> menu = StartAtMenu(session);
    ASSERT_TRUE(menu);
    ASSERT_TRUE(WaitUntil([&] { return menu->ShowsStart(); })) << "no start button";
    menu->Press("Command3");
    XServer& x = session.X();
    std::optional<TopWindow> window;
    std::optional<WindowReading> game;
    const auto labelOf = [&](const char* widget) {
        const auto found = game->find(QString::fromLatin1(widget));
        return found == game->end() ? QString() : found->second.text;
    };
    ASSERT_TRUE(WaitUntil([&] {
        window = x.Find(kGameTitle);
        if (!window || window->dialog) return false;
        game = session.ReadWindow(kGameTitle);
        return game && !labelOf("Label1").isEmpty();
    })) << "no question shown; windows: " << Shown(x) << "; errors: " << session.Errors().toStdString();

    const QString question = labelOf("Label1");
    std::cout << "question shown: " << question.toStdString() << std::endl;
    const auto typed = right.find(question);
    ASSERT_NE(typed, right.end()) << "「" << question.toStdString() << "」 is no question the teacher typed";
    EXPECT_EQ(labelOf("Label4"), QString()) << "a score before the first press";
    GameView(x, *window).ClickIon(typed->second);
    EXPECT_TRUE(WaitUntil([&] {
        game = session.ReadWindow(kGameTitle);
        return game && labelOf("Label4") == QStringLiteral("100");
    })) << "no 100 points after ion " << typed->second << "; the score reads 「"
        << (game ? labelOf("Label4").toStdString() : std::string("?")) << "」";
}

}  // namespace
}  // namespace soruberia::e2e
