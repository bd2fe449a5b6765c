// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

// An X server of the test's own (Xvfb on a free display), seen and driven the
// way a player sees and drives it: windows by their titles, pixels from the
// screen, real pointer and key events, and the close box.

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

#include "tests/support/XvfbDisplay.h"

struct _XDisplay;

namespace soruberia::e2e {

using namespace std::chrono_literals;

// Generous: the machine may be busy with a build while the tests run.
inline constexpr std::chrono::milliseconds kPatience = 30s;

// Polls until `condition` holds; false once `timeout` has passed.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = kPatience);

struct TopWindow {
    unsigned long id = 0;
    QString title;
    QRect area;           // the client area in screen coordinates
    bool dialog = false;  // a message box rather than a main window
};

class XServer {
public:
    XServer();  // throws std::runtime_error when Xvfb does not come up
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    QString Display() const { return xvfb_.Name(); }

    // Top-level windows on screen that carry a title, bottom to top.
    std::vector<TopWindow> Windows() const;
    QStringList Titles() const;
    std::optional<TopWindow> Find(const QString& title) const;

    QImage Grab(const QRect& area) const;
    QColor Pixel(QPoint point) const;

    // Pointer and keyboard through the XTEST extension (xdotool).
    void Click(QPoint point) const;
    void ClickEach(const std::vector<QPoint>& points) const;
    void Key(QPoint pointerAt, const QString& keys) const;
    // Holds `key` down for `held`, long enough for the server's own key
    // repeat to come in, as when a finger rests on it.
    void HoldKey(QPoint pointerAt, const QString& key, std::chrono::milliseconds held) const;

    // What a window manager does when the close box is pressed: the
    // WM_DELETE_WINDOW message of the ICCCM. Without a window manager the
    // program's windows have no frame, so the test sends it itself.
    void PressCloseBox(const TopWindow& window) const;

    // What a window manager does when a window is clicked: it comes to the top.
    void Raise(const TopWindow& window) const;

private:
    void RunTool(const QString& program, const QStringList& arguments) const;

    testsupport::XvfbDisplay xvfb_{QSize(1280, 1024)};
    _XDisplay* x_ = nullptr;
};

// Share of the opaque pixels of `expected` (placed with its top-left corner
// at `offset` in `screen`) that match the screen within `tolerance` per
// colour channel. Expected pixels that fall outside `screen` are not counted.
double Likeness(const QImage& screen, const QImage& expected, QPoint offset = {},
                int tolerance = 0);

}  // namespace soruberia::e2e
