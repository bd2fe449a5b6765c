// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The pictures of the game window: its background, the ion faces, the
// button faces, the carriage of the miss gauge, the burst balloon, the
// medal, the bonus banner and the window icon.
#include "tools/builtin-pictures/Pictures.h"

#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>
#include <numbers>

namespace soruberia::pictures {

namespace {

const QColor kTeal(0, 170, 170);
const QColor kBlue(0, 0, 255);
const QColor kDarkBlue(0, 0, 170);
const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kDarkRed(160, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);

const QString kTitle = QStringLiteral("ソルベリア");

// Ion buttons in number order, 1 Ag+ to 12 Zn2+.
constexpr std::array<const char*, 12> kIons = {
    "Ag^{+}",   "Al^{3+}",  "Ba^{2+}",  "Ca^{2+}",  "Cu^{2+}",  "Fe^{2+}",
    "Fe^{3+}",  "Hg^{2+}",  "Mg^{2+}",  "Pb^{2+}",  "Sn^{2+}",  "Zn^{2+}"};

// Layout of the window in pixels: ion grid, counters, gauge lane.
constexpr std::array<double, 5> kColumns = {65, 167, 269, 371, 473};
constexpr std::array<double, 3> kRows = {50, 112, 174};
constexpr double kCellWidth = 102;
constexpr double kCellHeight = 61;
constexpr double kSlotMargin = 3;  // of a slot around its button
constexpr std::array<double, 6> kRailMarks = {201, 268, 335, 402, 468, 534};
const QRectF kBalloonBox(535, 305, 85, 84);

QPointF Polar(QPointF centre, double radius, double degrees) {
    const double a = degrees * std::numbers::pi / 180.0;
    return centre + QPointF(radius * std::cos(a), radius * std::sin(a));
}

void PaintIonFace(QPainter& p, const QString& ion) {
    p.fillRect(QRectF(0, 0, 101, 61), kBlue);
    FillFrame(p, QRectF(0, 0, 101, 61), 2, kYellow);
    const ChemLabel label(ParseLabel(ion), PixelFont(QStringLiteral("IPAPMincho"), 34, true));
    label.DrawCentred(p, QPointF(50.5, 30.5), kWhite);
}

void PaintTitleBoxes(QPainter& p) {
    const QFont font = PixelFont(QStringLiteral("IPAMincho"), 25, true);
    for (int i = 0; i < 5; ++i) {
        const QRectF box(65 + 42 * i, 5, 36, 36);
        p.fillRect(box, QColor(0, 0, 128));
        FillFrame(p, box, 2, kRed);
        DrawCentred(p, box.center(), font, kTitle.mid(i, 1), kYellow);
    }
}

void PaintSlot(QPainter& p, const QRectF& button, const QColor& face) {
    const QRectF slot = button.adjusted(-kSlotMargin, -kSlotMargin, kSlotMargin, kSlotMargin);
    p.fillRect(slot, face);
    FillFrame(p, slot, 1, kYellow);
}

void PaintIonGrid(QPainter& p) {
    for (std::size_t r = 0; r < kRows.size(); ++r) {
        for (std::size_t c = 0; c < kColumns.size(); ++c) {
            if (r == 1 && c >= 1 && c <= 3) continue;
            PaintSlot(p, QRectF(kColumns[c], kRows[r], kCellWidth, kCellHeight), kBlue);
        }
    }
    // The question panel's slot spans the three middle columns.
    PaintSlot(p, QRectF(kColumns[1], kRows[1], kColumns[4] - kColumns[1], kCellHeight), kDarkBlue);
}

void PaintCaption(QPainter& p, const QRectF& box, const QString& text) {
    p.fillRect(box, kDarkRed);
    FillFrame(p, box, 1, QColor(255, 120, 120));
    DrawCentred(p, box.center(), PixelFont(QStringLiteral("IPAMincho"), 20, true), text, kWhite);
}

void PaintCounterBox(QPainter& p, const QRectF& box) {
    p.fillRect(box, kBlack);
    FillFrame(p, box, 1, QColor(128, 128, 128));
}

void PaintCounters(QPainter& p) {
    // Label3 (answers left) lies at 205-267 x 248-289, Label4 (score) at
    // 376-531 x 248-289; the black boxes show a little around them.
    PaintCaption(p, QRectF(96, 252, 100, 33), QStringLiteral("正解残数"));
    PaintCounterBox(p, QRectF(201, 244, 70, 49));
    PaintCaption(p, QRectF(297, 252, 70, 33), QStringLiteral("得点"));
    PaintCounterBox(p, QRectF(372, 244, 196, 49));
    DrawCentred(p, QPointF(550, 268.5), PixelFont(QStringLiteral("IPAMincho"), 26, true),
                QStringLiteral("点"), kWhite);
}

void PaintBalloon(QPainter& p) {
    const QPointF centre(kBalloonBox.center().x(), 337);
    // String down to the rail, then the knot, then the balloon over both.
    QPainterPath string(QPointF(centre.x(), 372));
    string.cubicTo(centre.x() - 6, 378, centre.x() + 6, 383, centre.x(), 388);
    p.setPen(QPen(kBlack, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(string);
    QPainterPath knot;
    knot.moveTo(centre.x() - 4, 373);
    knot.lineTo(centre.x() + 4, 373);
    knot.lineTo(centre.x(), 366);
    knot.closeSubpath();
    p.setPen(QPen(kBlack, 1.5));
    p.setBrush(QColor(210, 0, 0));
    p.drawPath(knot);

    QRadialGradient shade(centre + QPointF(-10, -12), 40);
    shade.setColorAt(0, QColor(255, 90, 90));
    shade.setColorAt(0.5, QColor(235, 0, 0));
    shade.setColorAt(1, QColor(170, 0, 0));
    p.setPen(QPen(kBlack, 2));
    p.setBrush(shade);
    p.drawEllipse(centre, 29, 32);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 170));
    p.save();
    p.translate(centre + QPointF(-13, -16));
    p.rotate(-35);
    p.drawEllipse(QPointF(0, 0), 5, 9);
    p.restore();
}

void PaintLane(QPainter& p) {
    // Thin yellow frame around the lane; the carriage box spans 305-389.
    FillFrame(p, QRectF(6, 299, 629, 100), 1, kYellow);
    // Rail along the floor, under the carriage box.
    p.fillRect(QRectF(7, 389, 627, 3), kDarkBlue);
    p.fillRect(QRectF(7, 392, 627, 4), kBlue);
    for (double x : kRailMarks) p.fillRect(QRectF(x - 2, 389, 5, 7), kYellow);
    PaintBalloon(p);
}

void PaintBackground(QPainter& p) {
    p.fillRect(QRectF(0, 0, 640, 400), kTeal);
    PaintTitleBoxes(p);
    PaintIonGrid(p);
    PaintCounters(p);
    PaintLane(p);
}

void PaintCarriage(QPainter& p) {
    p.fillRect(QRectF(0, 0, 179, 84), kTeal);
    const QColor green(0, 130, 60);
    const QColor orange(245, 140, 20);
    const QColor cream(255, 240, 200);
    const QColor grey(70, 70, 70);
    const QColor glass(200, 235, 255);
    const QColor frame(90, 50, 0);

    // Body: orange above, green below, rounded at the front (right).
    QPainterPath rear;
    rear.addRoundedRect(QRectF(5, 24, 140, 50), 4, 4);
    QPainterPath nose;
    nose.addRoundedRect(QRectF(120, 24, 52, 50), 18, 14);
    const QPainterPath shape = rear.united(nose).simplified();
    p.save();
    p.setClipPath(shape);
    p.fillRect(QRectF(0, 24, 179, 26), orange);
    p.fillRect(QRectF(0, 50, 179, 3), cream);
    p.fillRect(QRectF(0, 53, 179, 21), green);
    p.restore();

    // Side windows, a door, front window.
    p.setPen(QPen(frame, 1));
    p.setBrush(glass);
    for (int i = 0; i < 5; ++i) p.drawRoundedRect(QRectF(12.5 + 19 * i, 30.5, 14, 14), 2, 2);
    p.drawRoundedRect(QRectF(129.5, 30.5, 13, 14), 2, 2);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(107.5, 28.5, 17, 45));
    p.setPen(QPen(frame, 1));
    p.setBrush(glass);
    p.drawRoundedRect(QRectF(110.5, 31.5, 12, 16), 2, 2);
    QPainterPath front;
    front.moveTo(148.5, 30.5);
    front.lineTo(160, 30.5);
    front.quadTo(167.5, 31.5, 168.5, 44.5);
    front.lineTo(148.5, 44.5);
    front.closeSubpath();
    p.drawPath(front);

    p.setPen(QPen(kBlack, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);

    // Headlight, bumpers.
    p.setPen(QPen(kBlack, 1));
    p.setBrush(QColor(255, 250, 150));
    p.drawEllipse(QPointF(165, 61), 3.5, 3.5);
    p.fillRect(QRectF(171, 67, 6, 4), grey);
    p.fillRect(QRectF(1, 67, 5, 4), grey);

    // Roof, then the trolley pole trailing back from it to the wire.
    p.setPen(QPen(kBlack, 1));
    p.setBrush(QColor(160, 160, 160));
    p.drawRoundedRect(QRectF(11.5, 18.5, 141, 6), 3, 3);
    p.fillRect(QRectF(50, 14, 18, 5), grey);
    p.setPen(QPen(grey, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(60, 15), QPointF(20, 4));
    p.setPen(QPen(kBlack, 1.2));
    p.setBrush(QColor(130, 130, 130));
    p.drawEllipse(QPointF(18.5, 3.5), 2.8, 2.8);

    // Underframe, two bogies with two wheels each.
    p.fillRect(QRectF(12, 74, 154, 3), QColor(30, 30, 30));
    for (double bogie : {38.0, 138.0}) {
        p.fillRect(QRectF(bogie - 17, 74, 34, 4), grey);
        for (double dx : {-10.0, 10.0}) {
            p.setPen(QPen(kBlack, 1));
            p.setBrush(QColor(60, 60, 60));
            p.drawEllipse(QPointF(bogie + dx, 77.5), 6, 6);
            p.setBrush(QColor(170, 170, 170));
            p.drawEllipse(QPointF(bogie + dx, 77.5), 2, 2);
        }
    }
}

void PaintBurst(QPainter& p) {
    p.fillRect(QRectF(0, 0, 85, 84), kTeal);
    const QPointF centre(42.5, 35);
    // Torn pieces of the skin flung outwards: each a jagged arc of the ring
    // the balloon was, at its angle, pushed out to its distance.
    struct Piece {
        double angle, span, distance, thickness;
    };
    constexpr std::array<Piece, 8> kPieces = {{{-100, 34, 26, 6},
                                               {-52, 26, 33, 5},
                                               {-10, 34, 28, 6},
                                               {32, 24, 33, 5},
                                               {72, 22, 24, 4.5},
                                               {115, 28, 31, 5},
                                               {158, 34, 27, 6},
                                               {-145, 30, 33, 5}}};
    for (const Piece& piece : kPieces) {
        QPainterPath torn;
        constexpr int kTeeth = 6;
        for (int i = 0; i <= kTeeth; ++i) {
            const double a = piece.angle - piece.span / 2 + piece.span * i / kTeeth;
            const double r = piece.distance + (i % 2 == 0 ? 0.0 : 1.8);
            if (i == 0) {
                torn.moveTo(Polar(centre, r, a));
            } else {
                torn.lineTo(Polar(centre, r, a));
            }
        }
        for (int i = kTeeth; i >= 0; --i) {
            const double a = piece.angle - piece.span / 2 + piece.span * i / kTeeth;
            const double r = piece.distance - piece.thickness - (i % 2 == 0 ? 1.6 : 0.0);
            torn.lineTo(Polar(centre, r, a));
        }
        torn.closeSubpath();
        p.setPen(QPen(kBlack, 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(228, 0, 0));
        p.drawPath(torn);
    }
    // The bang in the middle.
    p.setPen(QPen(kYellow, 2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 8; ++i) {
        const double a = 22.5 + 45.0 * i;
        p.drawLine(Polar(centre, 4, a), Polar(centre, i % 2 == 0 ? 10 : 8, a));
    }
    // The knot falls with its string.
    QPainterPath string(QPointF(42.5, 70));
    string.cubicTo(37.5, 74, 47.5, 79, 42.5, 83.5);
    p.setPen(QPen(kBlack, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(string);
    QPainterPath knot;
    knot.moveTo(38.5, 71);
    knot.lineTo(46.5, 71);
    knot.lineTo(42.5, 64);
    knot.closeSubpath();
    p.setPen(QPen(kBlack, 1.5));
    p.setBrush(QColor(210, 0, 0));
    p.drawPath(knot);
}

void PaintMedal(QPainter& p) {
    const QColor ribbonRed(210, 20, 30);
    // Two ribbon tails hanging below the rosette, red with a white stripe.
    for (int side : {-1, 1}) {
        const double s = side;
        QPainterPath tail;
        tail.moveTo(40 + s * 4, 52);
        tail.lineTo(40 + s * 20, 52);
        tail.lineTo(40 + s * 30, 98);
        tail.lineTo(40 + s * 22, 92);
        tail.lineTo(40 + s * 14, 98);
        tail.closeSubpath();
        p.setPen(QPen(QColor(110, 0, 0), 1));
        p.setBrush(ribbonRed);
        p.drawPath(tail);
        p.save();
        p.setClipPath(tail);
        p.setPen(QPen(kWhite, 4));
        p.drawLine(QPointF(40 + s * 12, 50), QPointF(40 + s * 22, 100));
        p.restore();
        p.setPen(QPen(QColor(110, 0, 0), 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tail);
    }
    // The rosette: a pleated gold ring with a medal in the middle.
    const QPointF centre(40, 40);
    QPainterPath pleats;
    constexpr int kLobes = 18;
    for (int i = 0; i <= kLobes * 2; ++i) {
        const double r = i % 2 == 0 ? 38.5 : 33.5;
        const QPointF at = Polar(centre, r, 360.0 * i / (kLobes * 2) - 90);
        if (i == 0) {
            pleats.moveTo(at);
        } else {
            pleats.lineTo(at);
        }
    }
    pleats.closeSubpath();
    QRadialGradient gold(centre + QPointF(-8, -10), 44);
    gold.setColorAt(0, QColor(255, 240, 150));
    gold.setColorAt(0.6, QColor(230, 180, 40));
    gold.setColorAt(1, QColor(180, 120, 10));
    p.setPen(QPen(QColor(130, 80, 0), 1));
    p.setBrush(gold);
    p.drawPath(pleats);
    p.setBrush(QColor(200, 20, 30));
    p.setPen(QPen(QColor(110, 0, 0), 1));
    p.drawEllipse(centre, 29, 29);
    p.setPen(QPen(kWhite, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 26.5, 26.5);
    p.setPen(QPen(QColor(130, 80, 0), 1));
    p.setBrush(gold);
    p.drawEllipse(centre, 23, 23);
    p.setPen(QPen(QColor(255, 245, 190), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 20, 20);
    DrawCentred(p, centre, PixelFont(QStringLiteral("IPAMincho"), 30, true), QStringLiteral("金"),
                QColor(170, 0, 0));
}

void PaintDaruma(QPainter& p, const QPointF& c) {
    // Round red body, pale face, bold brows and beard, gold on the belly.
    p.setPen(QPen(kBlack, 2));
    QRadialGradient red(c + QPointF(-12, -18), 60);
    red.setColorAt(0, QColor(255, 70, 50));
    red.setColorAt(1, QColor(185, 0, 0));
    p.setBrush(red);
    p.drawEllipse(c + QPointF(0, 2), 40, 45);
    p.setPen(QPen(kBlack, 1.2));
    p.setBrush(QColor(255, 236, 214));
    p.drawEllipse(c + QPointF(0, -9), 27, 22);
    p.setPen(QPen(kBlack, 3.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int side : {-1, 1}) {
        const double s = side;
        QPainterPath brow(c + QPointF(s * 4, -20));
        brow.quadTo(c + QPointF(s * 12, -26), c + QPointF(s * 22, -18));
        p.drawPath(brow);
    }
    p.setPen(QPen(kBlack, 1.2));
    p.setBrush(kWhite);
    p.drawEllipse(c + QPointF(-11, -10), 6, 6);
    p.drawEllipse(c + QPointF(11, -10), 6, 6);
    p.setBrush(kBlack);
    p.drawEllipse(c + QPointF(-11, -10), 3, 3);
    p.drawEllipse(c + QPointF(11, -10), 3, 3);
    // Beard and moustache.
    p.setPen(QPen(kBlack, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int side : {-1, 1}) {
        const double s = side;
        QPainterPath tash(c + QPointF(0, 0));
        tash.quadTo(c + QPointF(s * 8, -3), c + QPointF(s * 16, 2));
        p.drawPath(tash);
        QPainterPath beard(c + QPointF(s * 23, -2));
        beard.quadTo(c + QPointF(s * 18, 12), c + QPointF(s * 4, 11));
        p.drawPath(beard);
    }
    p.setPen(QPen(QColor(140, 0, 0), 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-4, 6), c + QPointF(4, 6));
    DrawCentred(p, c + QPointF(0, 29), PixelFont(QStringLiteral("IPAMincho"), 17, true),
                QStringLiteral("福"), QColor(255, 215, 0));
}

void PaintBonus(QPainter& p) {
    const QRectF banner(44, 10, 235, 80);
    p.setPen(QPen(QColor(120, 0, 0), 2));
    QLinearGradient red(0, banner.top(), 0, banner.bottom());
    red.setColorAt(0, QColor(240, 40, 30));
    red.setColorAt(1, QColor(190, 0, 0));
    p.setBrush(red);
    p.drawRoundedRect(banner, 22, 22);
    p.setPen(QPen(QColor(255, 215, 0), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(banner.adjusted(5, 5, -5, -5), 17, 17);

    PaintDaruma(p, QPointF(48, 50));

    const QFont font = PixelFont(QStringLiteral("IPAGothic"), 31, true);
    const double x = 188;
    for (const auto& [text, y] : {std::pair{QStringLiteral("ボーナス"), 32.0},
                                  std::pair{QStringLiteral("５００点"), 68.0}}) {
        DrawCentred(p, QPointF(x + 1.5, y + 1.5), font, text, QColor(110, 0, 0));
        DrawCentred(p, QPointF(x, y), font, text, kWhite);
    }
}

void PaintIcon(QPainter& p) {
    p.fillRect(QRectF(0, 0, 32, 32), kYellow);
    FillFrame(p, QRectF(0, 0, 32, 32), 2, kBlack);
    DrawCentred(p, QPointF(16, 16), PixelFont(QStringLiteral("IPAGothic"), 30, true),
                QStringLiteral("ソ"), kBlack);
}

}  // namespace

void AddGamePictures(std::vector<Picture>& pictures) {
    pictures.push_back({QStringLiteral("game/background.png"), 640, 400, true, PaintBackground});
    for (std::size_t i = 0; i < kIons.size(); ++i) {
        const QString ion = QString::fromLatin1(kIons[i]);
        pictures.push_back({QStringLiteral("game/ion%1.png").arg(i + 1), 101, 61, true,
                            [ion](QPainter& p) { PaintIonFace(p, ion); }});
    }
    pictures.push_back({QStringLiteral("game/quit.png"), 100, 32, true, [](QPainter& p) {
                            PaintButtonFace(p, QColor(200, 0, 0), QStringLiteral("終了"), true);
                        }});
    pictures.push_back({QStringLiteral("game/hint.png"), 100, 32, true, [](QPainter& p) {
                            PaintButtonFace(p, QColor(200, 0, 0), QStringLiteral("ヒント"), false);
                        }});
    pictures.push_back({QStringLiteral("game/retry.png"), 100, 32, true, [](QPainter& p) {
                            PaintButtonFace(p, QColor(0, 0, 200), QStringLiteral("再挑戦"), false);
                        }});
    pictures.push_back({QStringLiteral("game/carriage.png"), 179, 84, true, PaintCarriage});
    pictures.push_back({QStringLiteral("game/burst.png"), 85, 84, true, PaintBurst});
    pictures.push_back({QStringLiteral("game/medal.png"), 80, 100, false, PaintMedal});
    pictures.push_back({QStringLiteral("game/bonus.png"), 282, 100, false, PaintBonus});
    pictures.push_back({QStringLiteral("game/icon.png"), 32, 32, true, PaintIcon});
}

}  // namespace soruberia::pictures
