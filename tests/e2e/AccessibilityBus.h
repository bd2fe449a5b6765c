// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

namespace soruberia::e2e {

// A desktop session's message bus with its accessibility bus, as a screen
// reader finds them: what the Qt program's windows are read through.
class AccessibilityBus {
public:
    // `folder`: where the bus keeps its socket; `display`: the X server.
    AccessibilityBus(const QString& folder, const QString& display);
    ~AccessibilityBus();
    AccessibilityBus(const AccessibilityBus&) = delete;
    AccessibilityBus& operator=(const AccessibilityBus&) = delete;

    // The session bus, and the request that Qt speaks to assistive technology.
    void AddTo(QProcessEnvironment& env) const;

private:
    QProcess bus_;
    QProcess launcher_;
    QString address_;
};

}  // namespace soruberia::e2e
