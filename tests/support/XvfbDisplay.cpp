// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/support/XvfbDisplay.h"

#include <chrono>
#include <stdexcept>

#include "tests/support/ChildProcess.h"

namespace soruberia::testsupport {

namespace {

// Generous: the machine may be busy with a build while the tests run.
constexpr int kStartMilliseconds = 30000;

}  // namespace

XvfbDisplay::XvfbDisplay(QSize screen) {
    DieWithTest(xvfb_);
    xvfb_.setProcessChannelMode(QProcess::SeparateChannels);
    // -displayfd: Xvfb takes the first free display and writes its number.
    xvfb_.start(QStringLiteral("Xvfb"),
                {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                 QStringLiteral("0"),
                 QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
                 QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")});
    if (!xvfb_.waitForStarted(kStartMilliseconds))
        throw std::runtime_error("Xvfb did not start (is the package xvfb installed?)");
    QByteArray number;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartMilliseconds);
    while (!number.contains('\n') && xvfb_.state() == QProcess::Running &&
           std::chrono::steady_clock::now() < deadline) {
        xvfb_.waitForReadyRead(100);
        number += xvfb_.readAllStandardOutput();
    }
    number = number.trimmed();
    if (number.isEmpty()) {
        const QString log = QString::fromLocal8Bit(xvfb_.readAllStandardError());
        xvfb_.kill();
        xvfb_.waitForFinished();
        throw std::runtime_error("Xvfb gave no display number: " + log.toStdString());
    }
    name_ = QStringLiteral(":") + QString::fromLatin1(number);
}

XvfbDisplay::~XvfbDisplay() {
    xvfb_.terminate();
    if (!xvfb_.waitForFinished(5000)) {
        xvfb_.kill();
        xvfb_.waitForFinished();
    }
}

}  // namespace soruberia::testsupport
