// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "platform/FatalReport.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QMessageBox>
#include <QString>
#include <QThread>
#include <QWidget>
#include <QWindow>

namespace soruberia::platform {
namespace {

// Once a failure is being reported the game is over: while the message is
// on screen, its event loop must not deliver the program's timer ticks,
// button presses, queued calls or close requests to anything but the box.
class HandlerBlock final : public QObject {
public:
    explicit HandlerBlock(const QWidget& box) : box_(box) {}

    bool eventFilter(QObject* receiver, QEvent* event) override {
        return IsHandlerEvent(event->type()) && receiver != QCoreApplication::instance() &&
               !BelongsToBox(receiver);
    }

private:
    static bool IsHandlerEvent(QEvent::Type type) {
        switch (type) {
            case QEvent::Timer:
            case QEvent::MetaCall:
            case QEvent::Close:
            case QEvent::DeferredDelete:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::Shortcut:
            case QEvent::Wheel:
            case QEvent::TouchBegin:
            case QEvent::TouchUpdate:
            case QEvent::TouchEnd:
                return true;
            default:
                return false;
        }
    }

    bool BelongsToBox(const QObject* object) const {
        const QWindow* boxWindow = box_.windowHandle();
        for (; object != nullptr; object = object->parent()) {
            if (object == &box_ || (boxWindow != nullptr && object == boxWindow)) return true;
        }
        return false;
    }

    const QWidget& box_;
};

bool CanShowMessageBox() {
    const auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (app == nullptr || QThread::currentThread() != app->thread()) return false;
    // Without a screen to show it on, a modal box would wait for ever.
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

std::atomic_flag reporting = ATOMIC_FLAG_INIT;

}  // namespace

void ReportFatalAndExit(const std::string& message) {
    std::cerr << "ソルベリア: " << message << std::endl;

    // A second failure met while the first is on screen ends at once.
    if (!reporting.test_and_set() && CanShowMessageBox()) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("ソルベリア"),
                        QString::fromStdString(message), QMessageBox::Ok);
        HandlerBlock block(box);
        qApp->installEventFilter(&block);
        box.exec();
        qApp->removeEventFilter(&block);
    }

    // _Exit, not exit: no destructor, atexit handler or library teardown may
    // run while the sound device and the event loop's timers are still live.
    std::fflush(nullptr);
    std::_Exit(1);
}

}  // namespace soruberia::platform
