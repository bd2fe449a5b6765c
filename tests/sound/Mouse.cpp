// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/sound/Mouse.h"

#include <stdexcept>
#include <thread>

#include <QProcess>
#include <QProcessEnvironment>

#include "tests/support/ChildProcess.h"

namespace soundtest {

using namespace std::chrono_literals;

QString Mouse::Run(const QStringList& arguments, bool* ok) const {
    QProcess xdotool;
    soruberia::testsupport::DieWithTest(xdotool);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    xdotool.setProcessEnvironment(env);
    xdotool.start(QStringLiteral("xdotool"), arguments);
    if (!xdotool.waitForStarted(10000)) throw std::runtime_error("xdotool did not start");
    if (!xdotool.waitForFinished(10000)) {
        xdotool.kill();
        xdotool.waitForFinished(5000);
        throw std::runtime_error("xdotool did not finish: " + arguments.join(' ').toStdString());
    }
    *ok = xdotool.exitStatus() == QProcess::NormalExit && xdotool.exitCode() == 0;
    return QString::fromUtf8(xdotool.readAllStandardOutput()).trimmed();
}

QString Mouse::FindWindow(const QString& title) const {
    bool ok = false;
    const QString found = Run({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                               QStringLiteral("--name"), QStringLiteral("^%1$").arg(title)},
                              &ok);
    if (!ok || found.isEmpty()) return {};
    const QStringList windows = found.split('\n');
    if (windows.size() != 1) throw std::runtime_error("more than one window " + title.toStdString());
    return windows.front();
}

QString Mouse::WaitForWindow(const QString& title, std::chrono::milliseconds limit) const {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        const QString window = FindWindow(title);
        if (!window.isEmpty()) return window;
        if (std::chrono::steady_clock::now() > deadline)
            throw std::runtime_error("no window " + title.toStdString() + " appeared");
        std::this_thread::sleep_for(100ms);
    }
}

void Mouse::Click(const QString& window, int x, int y) const {
    bool ok = false;
    Run({QStringLiteral("mousemove"), QStringLiteral("--window"), window,
         QString::number(x), QString::number(y), QStringLiteral("click"), QStringLiteral("1")},
        &ok);
    if (!ok) throw std::runtime_error("xdotool could not click window " + window.toStdString());
}

}  // namespace soundtest
