// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tools/builtin-pictures/Drawing.h"

#include "content/FatalError.h"

#include <QFontMetricsF>
#include <QLinearGradient>

#include <algorithm>

namespace soruberia::pictures {

namespace {

constexpr double kScriptSize = 0.66;    // of the body size
constexpr double kSupRise = 0.42;       // of the body size, baseline upwards
constexpr double kSubDrop = 0.20;       // of the body size, baseline downwards
constexpr double kScriptGap = 0.02;     // of the body size, before a script

bool IsFormulaStart(QChar c) { return c.isLetter() && c.unicode() < 0x80; }

}  // namespace

QImage Render(const Picture& picture, double scale) {
    QImage image(qRound(picture.width * scale), qRound(picture.height * scale),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    // 96 dpi, so that viewers show the 1x files at their own size.
    image.setDotsPerMeterX(qRound(3780 * scale));
    image.setDotsPerMeterY(qRound(3780 * scale));
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                               QPainter::SmoothPixmapTransform);
        painter.scale(scale, scale);
        picture.paint(painter);
    }
    if (picture.opaque) return image.convertToFormat(QImage::Format_RGB32);
    return image.convertToFormat(QImage::Format_ARGB32);
}

QFont PixelFont(const QString& family, double pixels, bool bold) {
    QFont font(family);
    font.setPixelSize(static_cast<int>(pixels + 0.5));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void DrawCentred(QPainter& painter, QPointF centre, const QFont& font, const QString& text,
                 const QColor& colour) {
    const QRectF ink = QFontMetricsF(font).tightBoundingRect(text);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(centre - ink.center(), text);
}

void DrawSpaced(QPainter& painter, QPointF centre, const QFont& font, const QString& text,
                const QColor& colour, double pitch) {
    const double first = centre.x() - pitch * static_cast<double>(text.size() - 1) / 2.0;
    // One vertical centre for all, from the whole caption's ink.
    const QRectF ink = QFontMetricsF(font).tightBoundingRect(text);
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    painter.setPen(colour);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QString c = text.mid(i, 1);
        const double advance = metrics.horizontalAdvance(c);
        const double x = first + pitch * static_cast<double>(i) - advance / 2.0;
        painter.drawText(QPointF(x, centre.y() - ink.center().y()), c);
    }
}

void DrawVertical(QPainter& painter, double x, double top, const QFont& font, const QString& text,
                  const QColor& colour, double pitch) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        DrawCentred(painter, QPointF(x, top + pitch * static_cast<double>(i)), font, text.mid(i, 1),
                    colour);
    }
}

std::vector<LabelRun> ParseLabel(const QString& label) {
    std::vector<LabelRun> runs;
    QString plain;
    auto flush = [&] {
        if (!plain.isEmpty()) runs.push_back({plain, LabelRun::Kind::Normal});
        plain.clear();
    };
    for (qsizetype i = 0; i < label.size(); ++i) {
        const QChar c = label[i];
        if ((c == u'_' || c == u'^') && i + 1 < label.size() && label[i + 1] == u'{') {
            const qsizetype close = label.indexOf(u'}', i + 2);
            if (close < 0) {
                throw FatalError("label \"" + label.toStdString() + "\": unclosed " +
                                 (c == u'_' ? "_{" : "^{") + " at character " + std::to_string(i));
            }
            flush();
            QString script = label.mid(i + 2, close - i - 2);
            script.replace(u'-', QChar(0x2212));  // a true minus sign
            runs.push_back({script, c == u'_' ? LabelRun::Kind::Sub : LabelRun::Kind::Sup});
            i = close;
        } else {
            plain += c;
        }
    }
    flush();
    return runs;
}

ChemLabel::ChemLabel(std::vector<LabelRun> runs, const QFont& font) {
    const double size = font.pixelSize();
    QFont script = font;
    script.setPixelSize(std::max(1, static_cast<int>(size * kScriptSize + 0.5)));
    const QFontMetricsF body(font);
    const QFontMetricsF small(script);

    body_ = QRectF(0, -body.capHeight(), 0, body.capHeight());
    double x = 0;
    double stackStart = 0;  // where the last script began, for stacking
    double stackWidth = -1;  // width of that script; -1: no script just before
    LabelRun::Kind lastScript = LabelRun::Kind::Normal;
    for (const LabelRun& run : runs) {
        if (run.kind == LabelRun::Kind::Normal) {
            pieces_.push_back({run.text, font, QPointF(x, 0)});
            x += body.horizontalAdvance(run.text);
            body_ = body_.united(QRectF(0, -body.capHeight(), x, body.capHeight()));
            stackWidth = -1;
            continue;
        }
        const double w = small.horizontalAdvance(run.text);
        const double dy = run.kind == LabelRun::Kind::Sup ? -size * kSupRise : size * kSubDrop;
        double start = x + size * kScriptGap;
        if (stackWidth >= 0 && lastScript != run.kind) {
            // Sub and sup stacked over one another, as formulas are set.
            start = stackStart;
            x = std::max(x, start + w);
            stackWidth = -1;
        } else {
            x = start + w;
            stackStart = start;
            stackWidth = w;
        }
        lastScript = run.kind;
        pieces_.push_back({run.text, script, QPointF(start, dy)});
        body_ = body_.united(small.tightBoundingRect(run.text).translated(start, dy));
    }
    width_ = x;
    body_.setLeft(0);
    body_.setRight(std::max(body_.right(), width_));
}

void ChemLabel::Draw(QPainter& painter, QPointF baselineStart, const QColor& colour) const {
    painter.setPen(colour);
    for (const Piece& piece : pieces_) {
        painter.setFont(piece.font);
        painter.drawText(baselineStart + piece.offset, piece.text);
    }
}

void ChemLabel::DrawCentred(QPainter& painter, QPointF centre, const QColor& colour) const {
    Draw(painter, QPointF(centre.x() - width_ / 2.0, centre.y() - body_.center().y()), colour);
}

std::vector<std::vector<LabelRun>> ChemLabel::SplitAtFormula(const std::vector<LabelRun>& runs) {
    for (std::size_t r = 0; r < runs.size(); ++r) {
        if (runs[r].kind != LabelRun::Kind::Normal) continue;
        const QString& text = runs[r].text;
        for (qsizetype i = 1; i < text.size(); ++i) {
            if (IsFormulaStart(text[i]) && !IsFormulaStart(text[i - 1]) && text[i - 1].unicode() >= 0x80) {
                std::vector<LabelRun> head(runs.begin(), runs.begin() + static_cast<std::ptrdiff_t>(r));
                std::vector<LabelRun> tail(runs.begin() + static_cast<std::ptrdiff_t>(r) + 1, runs.end());
                head.push_back({text.left(i), LabelRun::Kind::Normal});
                tail.insert(tail.begin(), {text.mid(i), LabelRun::Kind::Normal});
                return {head, tail};
            }
        }
    }
    return {};
}

void FillFrame(QPainter& painter, const QRectF& outer, double width, const QColor& colour) {
    const QRectF inner = outer.adjusted(width, width, -width, -width);
    painter.fillRect(QRectF(outer.left(), outer.top(), outer.width(), width), colour);
    painter.fillRect(QRectF(outer.left(), inner.bottom(), outer.width(), width), colour);
    painter.fillRect(QRectF(outer.left(), inner.top(), width, inner.height()), colour);
    painter.fillRect(QRectF(inner.right(), inner.top(), width, inner.height()), colour);
}

void PaintButtonFace(QPainter& painter, const QColor& face, const QString& text, bool spaced) {
    const QRectF box(0, 0, 100, 32);
    QLinearGradient shade(0, 0, 0, 32);
    shade.setColorAt(0.0, face.lighter(135));
    shade.setColorAt(0.45, face);
    shade.setColorAt(1.0, face.darker(125));
    painter.fillRect(box, shade);
    // A one-pixel bevel: light above and left, dark below and right.
    painter.fillRect(QRectF(0, 0, 100, 1), face.lighter(170));
    painter.fillRect(QRectF(0, 0, 1, 32), face.lighter(170));
    painter.fillRect(QRectF(0, 31, 100, 1), face.darker(200));
    painter.fillRect(QRectF(99, 0, 1, 32), face.darker(200));

    const QFont font = PixelFont(QStringLiteral("IPAGothic"), 19, true);
    const QPointF centre = box.center();
    if (spaced) {
        DrawSpaced(painter, centre + QPointF(1, 1), font, text, face.darker(220), 38);
        DrawSpaced(painter, centre, font, text, Qt::white, 38);
    } else {
        pictures::DrawCentred(painter, centre + QPointF(1, 1), font, text, face.darker(220));
        pictures::DrawCentred(painter, centre, font, text, Qt::white);
    }
}

}  // namespace soruberia::pictures
