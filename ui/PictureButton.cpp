// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "ui/PictureButton.h"

#include <QPainter>
#include <QPen>

namespace soruberia::ui {

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureButton::SetPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

QSize PictureButton::sizeHint() const {
    return picture_.isNull() ? QSize(100, 32) : picture_.deviceIndependentSize().toSize();
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setClipRect(rect());
    const QSize face = picture_.deviceIndependentSize().toSize();
    QPoint origin((width() - face.width()) / 2, (height() - face.height()) / 2);
    if (isDown()) origin += QPoint(1, 1);  // the face sinks while held
    painter.drawPixmap(origin, picture_);

    if (hasFocus()) {
        // A dotted ring, black on white, that shows on every face; the
        // style's own ring is faint on the blue and red faces.
        const QRect ring = rect().adjusted(3, 3, -4, -4);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(ring);
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(ring);
    }
}

}  // namespace soruberia::ui
