// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

// One run of the real program as a player meets it: an X server and a sound
// server of the test's own, a copy of the executable in a folder made by the
// test with its content folders 問題, 図 and 音 beside it, and a home folder;
// for the Windows program also a Wine prefix of its own.

#include <QColor>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "tests/e2e/AccessibilityBus.h"
#include "tests/e2e/FrontEnd.h"
#include "tests/e2e/WinePrefix.h"
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

// One widget of a window as a screen reader reads it.
struct WidgetReading {
    bool visible = false;
    QRect box;  // in the window's client area
    bool focused = false;
    QString text;
};
using WindowReading = std::map<QString, WidgetReading>;

class Session {
public:
    explicit Session(FrontEnd front = FrontEnd::Qt);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    FrontEnd Front() const { return front_; }
    XServer& X() { return *x_; }

    // The program's folder, and files below it ("問題/kotae.txt").
    QString ProgramFolder() const;
    QString PathOf(const QString& relative) const;
    // A file below the program's folder as the program names it.
    QString ShownPath(const QString& relative) const;
    void WriteFile(const QString& relative, const std::string& bytes) const;
    void Remove(const QString& relative) const;  // a file or a whole folder

    // Starts the copy of the program, optionally under a wrapper such as
    // strace, whose arguments come before the program's path (Qt only).
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
    QString TemporaryFolder() const;
    QProcessEnvironment DesktopEnvironment() const;
    QString SoundServer() const { return pulse_->Address(); }

    // The windows read as a screen reader reads them: the form titled
    // `title`, or nothing when there is no such window, its widgets named by
    // the form's layout and each widget's text its accessible name. The
    // Windows program is read from outside with window-probe.exe; the Qt
    // program over AT-SPI, once the session has its buses (before Start).
    void ListenAsScreenReader();
    std::optional<WindowReading> ReadWindow(const QString& title) const;

    // The Windows program only: its Wine prefix; the text of the message box
    // titled `title`.
    const WinePrefix* Wine() const { return wine_.get(); }
    QString ReadMessageBox(const QString& title) const;

private:
    void WriteDefaultContent() const;
    void StopProgram();

    FrontEnd front_;
    QTemporaryDir root_;
    std::unique_ptr<XServer> x_;
    std::unique_ptr<WinePrefix> wine_;
    std::unique_ptr<testsupport::PulseSandbox> pulse_;
    std::unique_ptr<AccessibilityBus> accessibility_;
    QProcess program_;
    QString errors_;
};

// The program's built-in pictures, as the windows draw them.
QImage BuiltInPicture(const QString& relative);  // "game/carriage.png"

}  // namespace soruberia::e2e
