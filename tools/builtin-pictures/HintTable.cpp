// The picture of the hint window: the table of precipitates, read from the
// project's table file and laid out as a chart on pale yellow.
#include "tools/builtin-pictures/Pictures.h"

#include "content/FatalError.h"

#include <QFile>
#include <QPainterPath>
#include <QStringList>
#include <QTextStream>

#include <string>

namespace soruberia::pictures {

namespace {

const QColor kGround(255, 255, 153);
const QColor kHeadCyan(204, 255, 255);
const QColor kHeadOrange(255, 204, 153);
const QColor kBarGreen(204, 255, 204);
const QColor kRule(0, 0, 0);

const QString kTitle = QStringLiteral("沈殿ができる組み合わせ（重要度の低い沈殿は除外）");

struct Table {
    QStringList reagents;           // column heads
    QStringList ions;               // row heads, greatest tendency first
    std::vector<QStringList> cells;  // one list of colours per ion
};

Table ReadTable(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        throw FatalError("cannot read " + path.toStdString() + ": " +
                         file.errorString().toStdString());
    }
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    Table table;
    bool header = true;
    for (int line = 1; !in.atEnd(); ++line) {
        const QString text = in.readLine();
        if (text.trimmed().isEmpty() || text.startsWith(u'#')) continue;
        const QStringList fields = text.split(u',');
        const auto where = path.toStdString() + ":" + std::to_string(line);
        if (header) {
            if (fields.size() < 3 || fields[0] != u"button" || fields[1] != u"ion") {
                throw FatalError(where + ": header must begin with button,ion and name the reagents");
            }
            table.reagents = fields.mid(2);
            header = false;
            continue;
        }
        if (fields.size() != table.reagents.size() + 2) {
            throw FatalError(where + ": " + std::to_string(fields.size()) + " fields, expected " +
                             std::to_string(table.reagents.size() + 2));
        }
        table.ions.push_back(fields[1]);
        table.cells.push_back(fields.mid(2));
    }
    if (table.ions.isEmpty()) throw FatalError(path.toStdString() + ": no ions in the table");
    return table;
}

// Outline of the chart in pixels. The back button stands at 616-709 x 9-40,
// to the right of the title.
constexpr double kLeft = 10;
constexpr double kTop = 50;
constexpr double kBarWidth = 28;
constexpr double kIonWidth = 66;
constexpr double kHeadHeight = 52;
constexpr double kBottom = 438;
constexpr double kRight = 757;

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

void PaintReagentHead(QPainter& p, const QRectF& cell, const QString& label) {
    const QFont font = PixelFont(QStringLiteral("IPAPMincho"), 15, true);
    const std::vector<LabelRun> runs = ParseLabel(label);
    const ChemLabel whole(runs, font);
    if (whole.Width() <= cell.width() - 6) {
        whole.DrawCentred(p, cell.center(), Qt::black);
        return;
    }
    const auto lines = ChemLabel::SplitAtFormula(runs);
    if (lines.size() != 2) {
        throw FatalError("column head \"" + label.toStdString() + "\" is too wide for its column");
    }
    constexpr double kLead = 19;
    for (std::size_t i = 0; i < 2; ++i) {
        const ChemLabel part(lines[i], font);
        if (part.Width() > cell.width() - 4) {
            throw FatalError("column head \"" + label.toStdString() + "\" is too wide for its column");
        }
        const double dy = (static_cast<double>(i) - 0.5) * kLead;
        part.DrawCentred(p, cell.center() + QPointF(0, dy), Qt::black);
    }
}

void PaintTable(QPainter& p, const Table& table) {
    p.fillRect(QRectF(0, 0, 767, 446), kGround);

    const QFont titleFont = PixelFont(QStringLiteral("IPAMincho"), 22, true);
    DrawCentred(p, QPointF(310, 25), titleFont, kTitle, QColor(220, 0, 0));

    const auto columns = static_cast<double>(table.reagents.size());
    const auto rows = static_cast<double>(table.ions.size());
    const double cellsLeft = kLeft + kBarWidth + kIonWidth;
    const double cellWidth = std::floor((kRight - cellsLeft) / columns);
    const double right = cellsLeft + cellWidth * columns;
    const double rowsTop = kTop + kHeadHeight;
    const double rowHeight = std::floor((kBottom - rowsTop) / rows);
    const double bottom = rowsTop + rowHeight * rows;

    // Fills first, then the rules over them.
    p.fillRect(QRectF(kLeft, kTop, right - kLeft, kHeadHeight), kHeadCyan);
    p.fillRect(QRectF(kLeft + kBarWidth, rowsTop, kIonWidth, bottom - rowsTop), kHeadOrange);
    p.fillRect(QRectF(cellsLeft, rowsTop, right - cellsLeft, bottom - rowsTop), Qt::white);
    PaintTendencyBar(p, QRectF(kLeft, rowsTop, kBarWidth, bottom - rowsTop));

    for (qsizetype c = 0; c < table.reagents.size(); ++c) {
        const QRectF cell(cellsLeft + cellWidth * static_cast<double>(c), kTop, cellWidth, kHeadHeight);
        PaintReagentHead(p, cell, table.reagents[c]);
    }
    const QFont ionFont = PixelFont(QStringLiteral("IPAPMincho"), 19, true);
    const QFont colourFont = PixelFont(QStringLiteral("IPAMincho"), 17, false);
    for (qsizetype r = 0; r < table.ions.size(); ++r) {
        const double y = rowsTop + rowHeight * static_cast<double>(r);
        const QRectF head(kLeft + kBarWidth, y, kIonWidth, rowHeight);
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
    hline(kLeft, right, kTop);
    for (int r = 0; r <= static_cast<int>(rows); ++r) {
        const double y = rowsTop + rowHeight * r;
        hline(r == 0 || r == static_cast<int>(rows) ? kLeft : kLeft + kBarWidth, right, y);
    }
    vline(kLeft, kTop, bottom);
    vline(kLeft + kBarWidth, rowsTop, bottom);
    for (int c = 0; c <= static_cast<int>(columns); ++c) {
        vline(cellsLeft + cellWidth * c, kTop, bottom);
    }
}

}  // namespace

void AddHintPictures(std::vector<Picture>& pictures, const QString& csvPath) {
    const Table table = ReadTable(csvPath);
    pictures.push_back({QStringLiteral("hint/table.png"), 767, 446, true,
                        [table](QPainter& p) { PaintTable(p, table); }});
}

}  // namespace soruberia::pictures
