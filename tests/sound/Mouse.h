// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

// Real mouse input (xdotool) on an X display of the test's own.

#include <QString>
#include <QStringList>

#include <chrono>

namespace soundtest {

class Mouse {
public:
    explicit Mouse(QString display) : display_(std::move(display)) {}

    // The visible top-level window titled exactly `title`, or "" if there is
    // none yet.
    QString FindWindow(const QString& title) const;
    // Waits for it; throws once `limit` has passed.
    QString WaitForWindow(const QString& title, std::chrono::milliseconds limit) const;
    // A left click at (x, y) of the window's client area.
    void Click(const QString& window, int x, int y) const;

private:
    QString Run(const QStringList& arguments, bool* ok) const;
    QString display_;
};

}  // namespace soundtest
