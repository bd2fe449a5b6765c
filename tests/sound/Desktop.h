#pragma once

// An X display of the test's own (Xvfb) and real mouse input on it
// (xdotool). Works as root and without a display of the caller's.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <chrono>

namespace soundtest {

// Makes the child end with the test process, whatever ends the test.
void EndWithTest(QProcess& process);

class VirtualScreen {
public:
    VirtualScreen();  // throws if Xvfb does not come up within 20 s
    ~VirtualScreen();
    VirtualScreen(const VirtualScreen&) = delete;
    VirtualScreen& operator=(const VirtualScreen&) = delete;

    const QString& Display() const { return display_; }  // ":N"

private:
    QProcess xvfb_;
    QString display_;
};

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
