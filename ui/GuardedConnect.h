// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QMetaObject>
#include <QObject>

#include <utility>

#include "platform/FatalReport.h"

namespace soruberia::ui {

// Connects a signal to a handler at the edge of the event loop: a failure
// thrown inside ends the program with its message. The handler takes no
// arguments; the signal's are dropped. It runs only while `context` lives.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection ConnectGuarded(const Sender* sender, Signal signal, const QObject* context,
                                       Handler handler) {
    return QObject::connect(sender, signal, context,
                            [handler = std::move(handler)] { platform::Guarded(handler); });
}

}  // namespace soruberia::ui
