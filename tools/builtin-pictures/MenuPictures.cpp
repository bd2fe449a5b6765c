// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The pictures of the menu window: the gradient background, the five title
// tiles and the button faces.
#include "tools/builtin-pictures/Pictures.h"

#include "content/FatalError.h"

#include <QPainterPath>

#include <array>
#include <cmath>

namespace soruberia::pictures {

namespace {

struct Stop {
    int row;
    std::array<double, 3> rgb;
};

// Colours of the background at chosen rows; the rows between follow a
// smooth curve through them.
constexpr std::array<Stop, 10> kGradient = {{{0, {200, 248, 248}},
                                             {50, {194, 240, 239}},
                                             {100, {186, 226, 225}},
                                             {150, {174, 207, 206}},
                                             {200, {160, 183, 181}},
                                             {250, {145, 157, 152}},
                                             {300, {130, 128, 121}},
                                             {350, {117, 100, 90}},
                                             {399, {108, 75, 59}},
                                             {439, {104, 58, 32}}}};

// Monotone cubic interpolation (Fritsch and Carlson): smooth, passes
// through every stop, and never overshoots between two of them.
double Interpolate(std::size_t channel, double row) {
    const std::size_t n = kGradient.size();
    auto x = [](std::size_t i) { return static_cast<double>(kGradient[i].row); };
    auto y = [channel](std::size_t i) { return kGradient[i].rgb[channel]; };
    std::array<double, kGradient.size() - 1> slope{};
    for (std::size_t i = 0; i + 1 < n; ++i) slope[i] = (y(i + 1) - y(i)) / (x(i + 1) - x(i));
    std::array<double, kGradient.size()> tangent{};
    tangent[0] = slope[0];
    tangent[n - 1] = slope[n - 2];
    for (std::size_t i = 1; i + 1 < n; ++i) {
        if (slope[i - 1] * slope[i] <= 0) {
            tangent[i] = 0;
        } else {
            const double w1 = 2 * (x(i + 1) - x(i)) + (x(i) - x(i - 1));
            const double w2 = (x(i + 1) - x(i)) + 2 * (x(i) - x(i - 1));
            tangent[i] = (w1 + w2) / (w1 / slope[i - 1] + w2 / slope[i]);
        }
    }
    std::size_t k = 0;
    while (k + 2 < n && row > x(k + 1)) ++k;
    const double h = x(k + 1) - x(k);
    const double t = (row - x(k)) / h;
    const double t2 = t * t;
    const double t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * y(k) + (t3 - 2 * t2 + t) * h * tangent[k] +
           (-2 * t3 + 3 * t2) * y(k + 1) + (t3 - t2) * h * tangent[k + 1];
}

void PaintBackground(QPainter& p) {
    for (int row = 0; row < 440; ++row) {
        std::array<int, 3> rgb{};
        for (std::size_t c = 0; c < 3; ++c) {
            rgb[c] = static_cast<int>(std::lround(Interpolate(c, row)));
        }
        p.fillRect(QRectF(0, row, 694, 1), QColor(rgb[0], rgb[1], rgb[2]));
    }
}

// The sample rows must come out exactly; a slip here would show only as a
// slightly wrong colour, so it is checked when the picture is made.
void CheckGradient() {
    for (const Stop& stop : kGradient) {
        for (std::size_t c = 0; c < 3; ++c) {
            if (std::lround(Interpolate(c, stop.row)) != std::lround(stop.rgb[c])) {
                throw FatalError("menu gradient misses row " + std::to_string(stop.row));
            }
        }
    }
}

void PaintTile(QPainter& p, const QString& character) {
    // The explanation panel starts 3 px below the upper tiles' boxes: the
    // top rows stay transparent so no rim shows above the panel.
    const QRectF tile(2, 6, 116, 107);
    QLinearGradient face(0, tile.top(), 0, tile.bottom());
    face.setColorAt(0, QColor(225, 245, 255));
    face.setColorAt(1, QColor(160, 210, 250));
    p.setPen(QPen(QColor(0, 40, 200), 4));
    p.setBrush(face);
    p.drawRoundedRect(tile, 18, 18);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(tile.adjusted(5, 5, -5, -5), 13, 13);
    const QFont font = PixelFont(QStringLiteral("IPAMincho"), 82, true);
    DrawCentred(p, tile.center() + QPointF(2, 2), font, character, QColor(120, 0, 0, 110));
    DrawCentred(p, tile.center(), font, character, QColor(220, 0, 0));
}

}  // namespace

void AddMenuPictures(std::vector<Picture>& pictures) {
    CheckGradient();
    pictures.push_back({QStringLiteral("menu/background.png"), 694, 440, true, PaintBackground});
    const QString title = QStringLiteral("ソルベリア");
    for (qsizetype i = 0; i < title.size(); ++i) {
        const QString character = title.mid(i, 1);
        pictures.push_back({QStringLiteral("menu/tile%1.png").arg(i), 120, 115, false,
                            [character](QPainter& p) { PaintTile(p, character); }});
    }
    const QColor red(200, 0, 0);
    const QColor blue(0, 0, 200);
    struct Face {
        const char* file;
        QColor colour;
        QString text;
    };
    for (const Face& face : {Face{"menu/quit.png", blue, QStringLiteral("終了")},
                             Face{"menu/explain.png", red, QStringLiteral("説明")},
                             Face{"menu/start.png", red, QStringLiteral("開始")},
                             Face{"menu/back.png", red, QStringLiteral("戻る")}}) {
        pictures.push_back({QString::fromLatin1(face.file), 100, 32, true,
                            [face](QPainter& p) { PaintButtonFace(p, face.colour, face.text, true); }});
    }
}

}  // namespace soruberia::pictures
