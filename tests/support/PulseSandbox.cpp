// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/support/PulseSandbox.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>

#include <stdexcept>

namespace soruberia::testsupport {

namespace {

// Runs the script to its end; false when it fails or hangs.
bool RunSandboxScript(const QStringList& arguments) {
    QProcess script;
    script.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    script.start(QStringLiteral("sh"), QStringList{QStringLiteral(PULSE_SANDBOX_SCRIPT)} + arguments);
    if (!script.waitForFinished(30000)) {
        script.kill();
        script.waitForFinished();
        return false;
    }
    return script.exitStatus() == QProcess::NormalExit && script.exitCode() == 0;
}

}  // namespace

PulseSandbox::PulseSandbox(QString folder) : folder_(std::move(folder)) {
    // The owner's id lets the server go even if this process is killed.
    if (!RunSandboxScript({QStringLiteral("start"), folder_,
                           QString::number(QCoreApplication::applicationPid())}))
        throw std::runtime_error("the test's PulseAudio server did not start in " +
                                 folder_.toStdString());
}

PulseSandbox::~PulseSandbox() { RunSandboxScript({QStringLiteral("stop"), folder_}); }

QString PulseSandbox::Address() const { return QStringLiteral("unix:") + folder_ + QStringLiteral("/native"); }

}  // namespace soruberia::testsupport
