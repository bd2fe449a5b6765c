#include "ui/PictureButton.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

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
    QStylePainter painter(this);
    painter.setClipRect(rect());
    const QSize face = picture_.deviceIndependentSize().toSize();
    QPoint origin((width() - face.width()) / 2, (height() - face.height()) / 2);
    if (isDown()) origin += QPoint(1, 1);  // the face sinks while held
    painter.drawPixmap(origin, picture_);

    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(3, 3, -3, -3);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }
}

}  // namespace soruberia::ui
