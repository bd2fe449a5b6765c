// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/e2e/AccessibilityBus.h"

#include <QDir>

#include <stdexcept>

#include "tests/support/ChildProcess.h"

namespace soruberia::e2e {

AccessibilityBus::AccessibilityBus(const QString& folder, const QString& display) {
    QDir().mkpath(folder);
    testsupport::DieWithTest(bus_);
    bus_.start(QStringLiteral("dbus-daemon"),
               {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1"),
                QStringLiteral("--address=unix:dir=") + folder});
    if (!bus_.waitForReadyRead(10000)) throw std::runtime_error("no session bus");
    address_ = QString::fromUtf8(bus_.readLine()).trimmed();

    // The launcher owns org.a11y.Bus; the registry is started on demand.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
    env.insert(QStringLiteral("DISPLAY"), display);
    launcher_.setProcessEnvironment(env);
    launcher_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    testsupport::DieWithTest(launcher_);
    launcher_.start(QStringLiteral("/usr/libexec/at-spi-bus-launcher"), {QStringLiteral("--launch-immediately")});
    if (!launcher_.waitForStarted(10000)) throw std::runtime_error("no accessibility bus");
}

AccessibilityBus::~AccessibilityBus() {
    for (QProcess* process : {&launcher_, &bus_}) {
        process->terminate();
        if (!process->waitForFinished(3000)) {
            process->kill();
            process->waitForFinished();
        }
    }
}

void AccessibilityBus::AddTo(QProcessEnvironment& env) const {
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
    env.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
}

}  // namespace soruberia::e2e
