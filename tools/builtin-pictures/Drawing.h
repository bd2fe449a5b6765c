// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <functional>
#include <vector>

namespace soruberia::pictures {

// One built-in picture. It paints itself in 1x pixel units; rendering at
// another scale scales the painter, so the same code makes the 2x files and
// the icon at every size of the desktop's icon theme.
struct Picture {
    QString file;  // below the resources folder, e.g. "game/ion1.png"
    int width = 0;
    int height = 0;
    bool opaque = true;  // opaque pictures are written without alpha
    std::function<void(QPainter&)> paint;
};

QImage Render(const Picture& picture, double scale);

QFont PixelFont(const QString& family, double pixels, bool bold = false);

// Text centred on its ink, so that kana and kanji sit in the middle of a
// face whatever the font's ascent and descent.
void DrawCentred(QPainter& painter, QPointF centre, const QFont& font, const QString& text,
                 const QColor& colour);

// Each character centred in its own cell, the cells `pitch` apart: the
// spaced captions of the button faces.
void DrawSpaced(QPainter& painter, QPointF centre, const QFont& font, const QString& text,
                const QColor& colour, double pitch);

// Text written top to bottom, one character under the other, each centred
// on the column at x; `pitch` apart, starting with the first centre at top.
void DrawVertical(QPainter& painter, double x, double top, const QFont& font,
                  const QString& text, const QColor& colour, double pitch);

// A chemical label such as "CO_{3}^{2-}": _{..} is a subscript and ^{..} a
// superscript; a subscript and superscript in a row are stacked.
struct LabelRun {
    enum class Kind { Normal, Sub, Sup };
    QString text;
    Kind kind = Kind::Normal;
};
std::vector<LabelRun> ParseLabel(const QString& label);

class ChemLabel {
public:
    ChemLabel(std::vector<LabelRun> runs, const QFont& font);

    double Width() const { return width_; }
    // The box used for centring, relative to the start of the baseline: from
    // the cap height (not the descenders) down to the baseline, widened by
    // whatever the scripts reach.
    QRectF Body() const { return body_; }
    void Draw(QPainter& painter, QPointF baselineStart, const QColor& colour) const;
    void DrawCentred(QPainter& painter, QPointF centre, const QColor& colour) const;

    // Splits the label where Japanese text gives way to a formula, for heads
    // too wide for one line; empty when there is no such place.
    static std::vector<std::vector<LabelRun>> SplitAtFormula(const std::vector<LabelRun>& runs);

private:
    struct Piece {
        QString text;
        QFont font;
        QPointF offset;  // of its baseline start from the label's
    };
    std::vector<Piece> pieces_;
    double width_ = 0;
    QRectF body_;
};

// A frame of the given width lying inside `outer`.
void FillFrame(QPainter& painter, const QRectF& outer, double width, const QColor& colour);

// The face of a 100 x 32 push button: a slightly bevelled coloured face with
// white text; spaced captions stand a character apart.
void PaintButtonFace(QPainter& painter, const QColor& face, const QString& text, bool spaced);

}  // namespace soruberia::pictures
