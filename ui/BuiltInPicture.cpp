// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "ui/BuiltInPicture.h"

#include <QGuiApplication>
#include <QScreen>

#include "content/FatalError.h"

namespace soruberia::ui {

namespace {

// The windows open centred on the primary screen, so its ratio decides.
qreal ScreenRatio() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->devicePixelRatio() : 1.0;
}

QString DoubleSizeName(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    QString name = path;
    name.insert(dot < 0 ? name.size() : dot, QStringLiteral("@2x"));
    return name;
}

}  // namespace

QPixmap BuiltInPicture(const QString& path) {
    if (ScreenRatio() > 1.0) {
        QPixmap sharp(DoubleSizeName(path));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    QPixmap picture(path);
    if (picture.isNull()) {
        throw FatalError("built-in picture " + path.toStdString() + " is missing");
    }
    return picture;
}

}  // namespace soruberia::ui
