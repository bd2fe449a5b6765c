// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

// One run of the real program as a player meets it: an X server and a sound
// server of the test's own, a copy of the executable in a folder made by the
// test with its content folders 問題, 図 and 音 beside it, and a home folder.

#include <QColor>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <string>

#include "tests/e2e/XServer.h"
#include "tests/support/ContentFiles.h"
#include "tests/support/PulseSandbox.h"

namespace soruberia::e2e {

// The colours of the pictures this content holds, so that the screen tells
// which one is shown.
inline const QColor kPlainIon(40, 60, 170);
inline const QColor kFoundIon(240, 200, 20);
inline const QColor kCorrectMark(0, 200, 0);
inline const QColor kWrongMark(200, 0, 200);

// The question bank of this content: 26 questions, each answered by the
// ions 1 to 11, so ion 12 is always a miss and a question without a miss is
// worth 1100 + 500 points.
inline constexpr int kAnswersPerQuestion = 11;
inline constexpr int kWrongIon = 12;

using testsupport::ToShiftJis;

class Session {
public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    XServer& X() { return *x_; }

    // The program's folder, and files below it ("問題/kotae.txt").
    QString ProgramFolder() const;
    QString PathOf(const QString& relative) const;
    void WriteFile(const QString& relative, const std::string& bytes) const;
    void Remove(const QString& relative) const;  // a file or a whole folder

    // Starts the copy of the program, optionally under a wrapper such as
    // strace, whose arguments come before the program's path.
    void Start(const QStringList& wrapper = {});
    bool Running() const { return program_.state() != QProcess::NotRunning; }
    // The exit status once the program has ended by itself within `timeout`.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout = kPatience);
    // What the program wrote to stderr so far.
    QString Errors();

    // The environment the program runs in: a session of its own with a home
    // folder (holding what a desktop session's home holds for the sound
    // server), a runtime folder and the sound server.
    QString HomeFolder() const;
    QProcessEnvironment DesktopEnvironment() const;

private:
    void WriteDefaultContent() const;
    void StopProgram();

    QTemporaryDir root_;
    std::unique_ptr<XServer> x_;
    std::unique_ptr<testsupport::PulseSandbox> pulse_;
    QProcess program_;
    QString errors_;
};

// Where things are on the screen, from the windows' layout in twips
// (15 to the pixel), relative to a window's client area.
namespace layout {
QPoint IonCentre(int ion);
inline constexpr QPoint kMarkCentre{320, 312};  // Image3, 248,240 145×145
inline constexpr QPoint kGaugeHome{21, 305};     // Image1, 179×84
inline constexpr int kGaugeStep = 67;            // 1005 twips
inline constexpr QPoint kBurst{535, 305};        // Image2, 85×84
inline constexpr QPoint kBonus{200, 240};        // Image5, 282×100
inline constexpr QRect kMedal{256, 240, 129, 145};  // Image4, stretched
inline constexpr QRect kQuit{482, 11, 93, 31};      // Command2
inline constexpr QRect kHint{376, 11, 93, 31};      // Command3
inline constexpr QRect kRetry{512, 336, 93, 31};    // Command4

inline constexpr QRect kMenuQuit{113, 328, 93, 31};     // menu Command1
inline constexpr QRect kMenuExplain{267, 328, 93, 31};  // menu Command2 (and Command4)
inline constexpr QRect kMenuStart{431, 328, 93, 31};    // menu Command3
QPoint MenuTile(int index);                             // menu Image1(index), 120×115
inline constexpr QPoint kPanel{60, 40};                 // menu Label1, navy

inline constexpr QRect kHintBack{616, 9, 93, 31};  // hint Command1
}  // namespace layout

// The program's built-in pictures, as the windows draw them.
QImage BuiltInPicture(const QString& relative);  // "game/carriage.png"

}  // namespace soruberia::e2e
