// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tools/content-gen/Pictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

#include "content/FatalError.h"

namespace soruberia::contentgen {
namespace {

QFont SerifFont(int pixels) {
    QFont font(QStringLiteral("IPAPMincho"));
    font.setPixelSize(pixels);
    font.setBold(true);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// Symbol and charge as one outline, the charge raised as a superscript and
// set a fixed distance after the symbol's ink, whatever the glyphs' bearings.
QPainterPath IonOutline(const IonLabel& ion) {
    QPainterPath symbol;
    symbol.addText(0, 0, SerifFont(34), ion.symbol);
    QPainterPath charge;
    charge.addText(0, -13, SerifFont(20), ion.charge);
    const qreal gap = 1.0;
    return symbol + charge.translated(symbol.boundingRect().right() + gap - charge.boundingRect().left(), 0);
}

// Fills the outline centred in the area, scaled down if it is too wide.
void DrawCentred(QPainter& painter, const QPainterPath& outline, const QRectF& area,
                 const QColor& colour) {
    const QRectF bounds = outline.boundingRect();
    const qreal scale = std::min(1.0, area.width() / bounds.width());
    painter.save();
    painter.translate(area.center());
    painter.scale(scale, scale);
    painter.translate(-bounds.center());
    painter.fillPath(outline, colour);
    painter.restore();
}

QImage Blank(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

}  // namespace

IonLabel SplitIonLabel(const QString& label) {
    const auto open = label.indexOf(QStringLiteral("^{"));
    if (open <= 0 || !label.endsWith(QLatin1Char('}')))
        throw FatalError("ion label '" + label.toStdString() + "' is not of the form Xx^{n+}");
    return {label.left(open), label.mid(open + 2, label.size() - open - 3)};
}

QImage DrawIonPicture(const IonLabel& ion, bool found) {
    QImage image = Blank(kIonWidth, kIonHeight);
    QPainter painter(&image);
    const QRectF face(0, 0, kIonWidth, kIonHeight);
    const QPainterPath outline = IonOutline(ion);

    if (!found) {
        painter.fillRect(face, QColor(0, 0, 255));
        painter.setPen(QPen(QColor(255, 255, 0), 1));
        painter.drawRect(QRectF(2.5, 2.5, kIonWidth - 5, kIonHeight - 5));
        painter.setRenderHint(QPainter::Antialiasing);
        DrawCentred(painter, outline, face.adjusted(6, 0, -6, 0), Qt::white);
        return image;
    }

    painter.fillRect(face, QColor(255, 204, 0));
    painter.setPen(QPen(QColor(176, 112, 0), 2));
    painter.drawRect(QRectF(2, 2, kIonWidth - 4, kIonHeight - 4));
    painter.setRenderHint(QPainter::Antialiasing);
    // The type moves left to make room for the check mark at the right.
    DrawCentred(painter, outline, QRectF(6, 4, 66, kIonHeight - 8), QColor(64, 24, 0));
    QPainterPath tick;
    tick.moveTo(76, 31);
    tick.lineTo(83, 40);
    tick.lineTo(94, 18);
    painter.setPen(QPen(QColor(220, 0, 0), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(tick);
    return image;
}

QImage DrawCorrectMark() {
    QImage image = Blank(kMarkSize, kMarkSize);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(kMarkSize / 2.0, kMarkSize / 2.0);
    const qreal radius = 57;
    // A white rim keeps the ring visible on dark and on red ground alike.
    painter.setPen(QPen(Qt::white, 27));
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(QPen(QColor(230, 0, 18), 21));
    painter.drawEllipse(centre, radius, radius);
    return image;
}

QImage DrawWrongMark() {
    QImage image = Blank(kMarkSize, kMarkSize);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal lo = 26;
    const qreal hi = kMarkSize - 26;
    QPainterPath cross;
    cross.moveTo(lo, lo);
    cross.lineTo(hi, hi);
    cross.moveTo(hi, lo);
    cross.lineTo(lo, hi);
    painter.setPen(QPen(Qt::white, 29, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(cross);
    painter.setPen(QPen(QColor(0, 72, 230), 23, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(cross);
    return image;
}

}  // namespace soruberia::contentgen
