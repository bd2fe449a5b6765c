// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The picture of the hint window: the table of precipitates laid out as a
// chart on pale yellow.
#include "tools/builtin-pictures/Pictures.h"

#include "content/FatalError.h"
#include "layout/PrecipitateTable.h"

#include <QPainterPath>
#include <QStringList>

#include <cmath>
#include <string>

namespace soruberia::pictures {

namespace {

const QColor kGround(255, 255, 153);
const QColor kHeadCyan(204, 255, 255);
const QColor kHeadOrange(255, 204, 153);
const QColor kBarGreen(204, 255, 204);
const QColor kRule(0, 0, 0);

const QString kTitle = QString::fromUtf8(layout::PrecipitateTitle());

struct Table {
    QStringList reagents;           // column heads
    QStringList ions;               // row heads, greatest tendency first
    std::vector<QStringList> cells;  // one list of colours per ion
};

Table HintTable() {
    Table table;
    for (const std::string_view reagent : layout::Reagents()) table.reagents << QString::fromUtf8(reagent);
    for (const layout::PrecipitateRow& row : layout::PrecipitateRows()) {
        table.ions << QString::fromUtf8(row.ion);
        QStringList colours;
        for (const std::string_view colour : row.colours) colours << QString::fromUtf8(colour);
        table.cells.push_back(colours);
    }
    return table;
}

// Outline of the chart in pixels. The back button stands at 616-709 x 9-40,
// to the right of the title; the window shows the left 765 columns.
constexpr double kVisibleWidth = 765;
constexpr double kTop = 50;
constexpr double kBarWidth = 26;
constexpr double kIonWidth = 62;
constexpr double kHeadHeight = 52;
constexpr double kBottom = 438;
constexpr double kMaxWidth = 748;
constexpr double kHeadLead = 19;  // between the two lines of a broken head
constexpr double kHeadPadding = 4;

void DrawArrow(QPainter& p, QPointF tail, QPointF tip) {
    const double dir = tip.y() > tail.y() ? 1 : -1;
    p.setPen(QPen(QColor(0, 90, 0), 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(tail, tip - QPointF(0, dir * 8));
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip + QPointF(-5.5, -dir * 10));
    head.lineTo(tip + QPointF(5.5, -dir * 10));
    head.closeSubpath();
    p.fillPath(head, QColor(0, 90, 0));
}

void PaintTendencyBar(QPainter& p, const QRectF& bar) {
    p.fillRect(bar, kBarGreen);
    const double x = bar.center().x();
    const QFont big = PixelFont(QStringLiteral("IPAMincho"), 19, true);
    const QFont word = PixelFont(QStringLiteral("IPAMincho"), 17, true);
    DrawCentred(p, QPointF(x, bar.top() + 16), big, QStringLiteral("大"), Qt::black);
    DrawCentred(p, QPointF(x, bar.bottom() - 16), big, QStringLiteral("小"), Qt::black);
    const QString text = QStringLiteral("イオン化傾向");
    constexpr double kPitch = 20;
    const double first = bar.center().y() - kPitch * static_cast<double>(text.size() - 1) / 2.0;
    DrawVertical(p, x, first, word, text, Qt::black, kPitch);
    const double textTop = first - 14;
    const double textBottom = first + kPitch * static_cast<double>(text.size() - 1) + 14;
    DrawArrow(p, QPointF(x, textTop), QPointF(x, bar.top() + 32));
    DrawArrow(p, QPointF(x, textBottom), QPointF(x, bar.bottom() - 32));
}

// The lines of a column head: the whole label, or the label broken where
// its formula begins; empty when it does not fit the column either way.
std::vector<ChemLabel> HeadLines(const QString& label, const QFont& font, double width) {
    const std::vector<LabelRun> runs = ParseLabel(label);
    ChemLabel whole(runs, font);
    if (whole.Width() <= width) return {whole};
    std::vector<ChemLabel> lines;
    for (const auto& part : ChemLabel::SplitAtFormula(runs)) {
        lines.emplace_back(part, font);
        if (lines.back().Width() > width) return {};
    }
    return lines;
}

// One size for all column heads: the largest at which every head fits.
QFont HeadFont(const QStringList& reagents, double cellWidth) {
    for (int pixels = 16; pixels >= 12; --pixels) {
        const QFont font = PixelFont(QStringLiteral("IPAPMincho"), pixels, false);
        bool fits = true;
        for (const QString& label : reagents) {
            fits = fits && !HeadLines(label, font, cellWidth - kHeadPadding).empty();
        }
        if (fits) return font;
    }
    throw FatalError("the column heads do not fit columns " + std::to_string(cellWidth) +
                     " px wide");
}

void PaintReagentHead(QPainter& p, const QRectF& cell, const QString& label, const QFont& font) {
    const std::vector<ChemLabel> lines = HeadLines(label, font, cell.width() - kHeadPadding);
    const double first = -kHeadLead * static_cast<double>(lines.size() - 1) / 2.0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const double dy = first + kHeadLead * static_cast<double>(i);
        lines[i].DrawCentred(p, cell.center() + QPointF(0, dy), Qt::black);
    }
}

void PaintTable(QPainter& p, const Table& table) {
    p.fillRect(QRectF(0, 0, 767, 446), kGround);

    const QFont titleFont = PixelFont(QStringLiteral("IPAMincho"), 22, true);
    DrawCentred(p, QPointF(310, 25), titleFont, kTitle, QColor(220, 0, 0));

    const auto columns = static_cast<double>(table.reagents.size());
    const auto rows = static_cast<double>(table.ions.size());
    const double cellWidth = std::floor((kMaxWidth - kBarWidth - kIonWidth) / columns);
    const double left = std::floor((kVisibleWidth - kBarWidth - kIonWidth - cellWidth * columns) / 2);
    const double cellsLeft = left + kBarWidth + kIonWidth;
    const double right = cellsLeft + cellWidth * columns;
    const double rowsTop = kTop + kHeadHeight;
    const double rowHeight = std::floor((kBottom - rowsTop) / rows);
    const double bottom = rowsTop + rowHeight * rows;

    // Fills first, then the rules over them.
    p.fillRect(QRectF(left, kTop, right - left, kHeadHeight), kHeadCyan);
    p.fillRect(QRectF(left + kBarWidth, rowsTop, kIonWidth, bottom - rowsTop), kHeadOrange);
    p.fillRect(QRectF(cellsLeft, rowsTop, right - cellsLeft, bottom - rowsTop), Qt::white);
    PaintTendencyBar(p, QRectF(left, rowsTop, kBarWidth, bottom - rowsTop));

    const QFont headFont = HeadFont(table.reagents, cellWidth);
    for (qsizetype c = 0; c < table.reagents.size(); ++c) {
        const QRectF cell(cellsLeft + cellWidth * static_cast<double>(c), kTop, cellWidth, kHeadHeight);
        PaintReagentHead(p, cell, table.reagents[c], headFont);
    }
    const QFont ionFont = PixelFont(QStringLiteral("IPAPMincho"), 19, true);
    const QFont colourFont = PixelFont(QStringLiteral("IPAMincho"), 17, false);
    for (qsizetype r = 0; r < table.ions.size(); ++r) {
        const double y = rowsTop + rowHeight * static_cast<double>(r);
        const QRectF head(left + kBarWidth, y, kIonWidth, rowHeight);
        ChemLabel(ParseLabel(table.ions[r]), ionFont).DrawCentred(p, head.center(), Qt::black);
        const QStringList& colours = table.cells[static_cast<std::size_t>(r)];
        for (qsizetype c = 0; c < colours.size(); ++c) {
            if (colours[c].isEmpty()) continue;
            const QRectF cell(cellsLeft + cellWidth * static_cast<double>(c), y, cellWidth, rowHeight);
            DrawCentred(p, cell.center(), colourFont, colours[c], Qt::black);
        }
    }

    // Rules: one pixel, on whole pixels.
    auto hline = [&p](double x0, double x1, double y) { p.fillRect(QRectF(x0, y, x1 - x0 + 1, 1), kRule); };
    auto vline = [&p](double x, double y0, double y1) { p.fillRect(QRectF(x, y0, 1, y1 - y0 + 1), kRule); };
    hline(left, right, kTop);
    for (int r = 0; r <= static_cast<int>(rows); ++r) {
        const double y = rowsTop + rowHeight * r;
        hline(r == 0 || r == static_cast<int>(rows) ? left : left + kBarWidth, right, y);
    }
    vline(left, kTop, bottom);
    vline(left + kBarWidth, rowsTop, bottom);
    for (int c = 0; c <= static_cast<int>(columns); ++c) {
        vline(cellsLeft + cellWidth * c, kTop, bottom);
    }
}

}  // namespace

void AddHintPictures(std::vector<Picture>& pictures) {
    const Table table = HintTable();
    pictures.push_back({QStringLiteral("hint/table.png"), 767, 446, true,
                        [table](QPainter& p) { PaintTable(p, table); }});
}

}  // namespace soruberia::pictures
