// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QProcess>
#include <QSize>
#include <QString>

namespace soruberia::testsupport {

// An X server of the test's own: Xvfb on the first free display, without a
// display of the caller's and also as root.
class XvfbDisplay {
public:
    explicit XvfbDisplay(QSize screen);  // throws when Xvfb does not come up
    ~XvfbDisplay();
    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;

    const QString& Name() const { return name_; }  // ":N"

private:
    QProcess xvfb_;
    QString name_;
};

}  // namespace soruberia::testsupport
