// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

// A Wine prefix of one test's own, with its own wineserver. Making a prefix
// takes Wine ten seconds and more, so a test run makes one (wine-prefix.sh,
// named by SORUBERIA_E2E_WINE_PREFIX) and each test copies it, hard-linking
// the system folders no program writes to; without it the test makes its own.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace soruberia::e2e {

inline constexpr char kWine[] = "/usr/lib/wine/wine64";

class WinePrefix {
public:
    explicit WinePrefix(QString folder);  // throws when the prefix cannot be made
    ~WinePrefix();                        // ends its wineserver and everything it runs
    WinePrefix(const WinePrefix&) = delete;
    WinePrefix& operator=(const WinePrefix&) = delete;

    const QString& Folder() const { return folder_; }
    // What Wine needs on top of a desktop session's environment: the prefix,
    // no prompts for Mono or Gecko, no debug chatter, sound through
    // PulseAudio only.
    void AddTo(QProcessEnvironment& env) const;
    // Runs a Windows program to its end; its standard output, or an empty
    // array when it fails.
    QByteArray Run(QProcessEnvironment env, const QStringList& arguments, int timeoutMs = 60000) const;
    // Waits until the wineserver has ended, with the registry saved.
    void WaitForServer() const;

    // "Z:\tmp\…" for a path on this machine.
    static QString WindowsPath(const QString& path);

private:
    QString folder_;
};

}  // namespace soruberia::e2e
