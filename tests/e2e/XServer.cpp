// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/e2e/XServer.h"

#include "layout/GameLayout.h"
#include "layout/HintLayout.h"
#include "layout/MenuLayout.h"

#include <QElapsedTimer>
#include <QProcessEnvironment>
#include <QThread>

#include <stdexcept>
#include <string>

#include "tests/support/ChildProcess.h"

// Xlib last: its macros (None, Bool, Status…) clash with Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace soruberia::e2e {

namespace {

// A window may vanish between listing it and asking about it; the errors
// that follow are expected and must not end the test.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

QString TitleOf(Display* display, Window window) {
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    QString title;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                           &after, &data) == Success &&
        data != nullptr) {
        if (type == utf8 && format == 8)
            title = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(count));
        XFree(data);
    }
    if (title.isEmpty()) {
        char* name = nullptr;
        if (XFetchName(display, window, &name) != 0 && name != nullptr) {
            title = QString::fromLocal8Bit(name);
            XFree(name);
        }
    }
    return title;
}

bool IsDialog(Display* display, Window window) {
    const Atom windowType = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
    const Atom dialog = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(display, window, windowType, 0, 64, False, XA_ATOM, &type, &format,
                           &count, &after, &data) == Success &&
        data != nullptr) {
        if (type == XA_ATOM && format == 32) {
            const auto* atoms = reinterpret_cast<const Atom*>(data);
            for (unsigned long i = 0; i < count; ++i) found = found || atoms[i] == dialog;
        }
        XFree(data);
    }
    return found;
}

// Wine types a message box without an owner as a plain window; a top-level
// window of none of the forms' sizes, at 100 % or 150 %, is one.
bool IsMessageBoxSized(const XWindowAttributes& attributes) {
    for (const layout::Form* form : {&layout::MenuWindow(), &layout::GameWindow(), &layout::HintWindow()}) {
        for (const int percent : {100, 150}) {
            if (attributes.width == form->clientWidth * percent / 100 &&
                attributes.height == form->clientHeight * percent / 100)
                return false;
        }
    }
    return true;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    QElapsedTimer clock;
    clock.start();
    while (true) {
        if (condition()) return true;
        if (clock.elapsed() > timeout.count()) return false;
        QThread::msleep(40);
    }
}

XServer::XServer() {
    XSetErrorHandler(IgnoreXError);
    x_ = XOpenDisplay(Display().toLocal8Bit().constData());
    if (x_ == nullptr) throw std::runtime_error("cannot connect to Xvfb on " + Display().toStdString());
}

XServer::~XServer() {
    if (x_ != nullptr) XCloseDisplay(x_);
}

std::vector<TopWindow> XServer::Windows() const {
    std::vector<TopWindow> result;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    XSync(x_, False);
    if (XQueryTree(x_, DefaultRootWindow(x_), &root, &parent, &children, &count) == 0) return result;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(x_, children[i], &attributes) == 0) continue;
        if (attributes.map_state != IsViewable) continue;
        const QString title = TitleOf(x_, children[i]);
        if (title.isEmpty()) continue;
        // Without a window manager a top-level window has no frame: its
        // place on the root is the place of its client area.
        result.push_back({children[i], title,
                          QRect(attributes.x + attributes.border_width,
                                attributes.y + attributes.border_width, attributes.width,
                                attributes.height),
                          IsDialog(x_, children[i]) || IsMessageBoxSized(attributes)});
    }
    if (children != nullptr) XFree(children);
    return result;
}

QStringList XServer::Titles() const {
    QStringList titles;
    for (const TopWindow& window : Windows()) titles << window.title;
    return titles;
}

std::optional<TopWindow> XServer::Find(const QString& title) const {
    for (const TopWindow& window : Windows())
        if (window.title == title) return window;
    return std::nullopt;
}

QImage XServer::Grab(const QRect& area) const {
    const QRect screen(0, 0, DisplayWidth(x_, DefaultScreen(x_)), DisplayHeight(x_, DefaultScreen(x_)));
    const QRect part = area.intersected(screen);
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    if (part.isEmpty()) return image;
    XSync(x_, False);
    XImage* shot = XGetImage(x_, DefaultRootWindow(x_), part.x(), part.y(),
                             static_cast<unsigned int>(part.width()),
                             static_cast<unsigned int>(part.height()), AllPlanes, ZPixmap);
    if (shot == nullptr) return image;
    for (int y = 0; y < part.height(); ++y) {
        for (int x = 0; x < part.width(); ++x) {
            const unsigned long value = XGetPixel(shot, x, y);
            image.setPixel(part.x() - area.x() + x, part.y() - area.y() + y,
                           qRgb(static_cast<int>((value >> 16) & 0xFF),
                                static_cast<int>((value >> 8) & 0xFF),
                                static_cast<int>(value & 0xFF)));
        }
    }
    XDestroyImage(shot);
    return image;
}

QColor XServer::Pixel(QPoint point) const {
    return QColor(Grab(QRect(point, QSize(1, 1))).pixel(0, 0));
}

void XServer::RunTool(const QString& program, const QStringList& arguments) const {
    QProcess tool;
    testsupport::DieWithTest(tool);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), Display());
    tool.setProcessEnvironment(env);
    tool.start(program, arguments);
    if (!tool.waitForFinished(static_cast<int>(kPatience.count()))) {
        tool.kill();
        tool.waitForFinished();
        throw std::runtime_error(program.toStdString() + " did not finish");
    }
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        throw std::runtime_error(program.toStdString() + " failed: " +
                                 QString::fromLocal8Bit(tool.readAllStandardError()).toStdString());
}

void XServer::Click(QPoint point) const { ClickEach({point}); }

void XServer::ClickEach(const std::vector<QPoint>& points) const {
    QStringList arguments;
    for (const QPoint& point : points) {
        // No --sync: it waits for a movement that never comes when the
        // pointer is already there, and the server applies the events in order.
        arguments << QStringLiteral("mousemove") << QString::number(point.x()) << QString::number(point.y())
                  << QStringLiteral("click") << QStringLiteral("1");
    }
    RunTool(QStringLiteral("xdotool"), arguments);
}

void XServer::Key(QPoint pointerAt, const QString& keys) const {
    RunTool(QStringLiteral("xdotool"),
            {QStringLiteral("mousemove"), QString::number(pointerAt.x()),
             QString::number(pointerAt.y()), QStringLiteral("key"), QStringLiteral("--clearmodifiers"),
             keys});
}

void XServer::HoldKey(QPoint pointerAt, const QString& key, std::chrono::milliseconds held) const {
    RunTool(QStringLiteral("xdotool"),
            {QStringLiteral("mousemove"), QString::number(pointerAt.x()), QString::number(pointerAt.y()),
             QStringLiteral("keydown"), key, QStringLiteral("sleep"),
             QString::number(static_cast<double>(held.count()) / 1000.0), QStringLiteral("keyup"), key});
}

void XServer::PressCloseBox(const TopWindow& window) const {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window.id;
    event.xclient.message_type = XInternAtom(x_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(x_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(x_, window.id, False, NoEventMask, &event);
    XSync(x_, False);
}

void XServer::Raise(const TopWindow& window) const {
    XRaiseWindow(x_, window.id);
    XSync(x_, False);
}

double Likeness(const QImage& screen, const QImage& expected, QPoint offset, int tolerance) {
    const QImage want = expected.convertToFormat(QImage::Format_ARGB32);
    long counted = 0;
    long matched = 0;
    for (int y = 0; y < want.height(); ++y) {
        for (int x = 0; x < want.width(); ++x) {
            const QRgb w = want.pixel(x, y);
            if (qAlpha(w) != 255) continue;
            const QPoint at(x + offset.x(), y + offset.y());
            if (!screen.valid(at)) continue;
            ++counted;
            const QRgb s = screen.pixel(at);
            if (std::abs(qRed(s) - qRed(w)) <= tolerance && std::abs(qGreen(s) - qGreen(w)) <= tolerance &&
                std::abs(qBlue(s) - qBlue(w)) <= tolerance)
                ++matched;
        }
    }
    return counted == 0 ? 0.0 : static_cast<double>(matched) / static_cast<double>(counted);
}

}  // namespace soruberia::e2e
