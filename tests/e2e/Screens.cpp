// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/e2e/Screens.h"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

#include "layout/Fonts.h"

#include <string>
#include <vector>

namespace soruberia::e2e {

namespace {

// Pictures drawn one to one must match all but a few pixels (a focus frame
// may cross a button).
constexpr double kSame = 0.97;
// A stretched picture's smoothing may differ by a rounding or two.
constexpr int kSmoothingTolerance = 4;

const QImage& Picture(const char* relative) {
    // One copy per picture for the whole test program.
    static std::vector<std::pair<QString, QImage>> loaded;
    const QString name = QString::fromLatin1(relative);
    for (const auto& [key, image] : loaded)
        if (key == name) return image;
    loaded.emplace_back(name, BuiltInPicture(name));
    return loaded.back().second;
}

}  // namespace

bool WindowView::ShowsButton(const QRect& button, const QImage& face) const {
    // Inside the frame that marks the button with the keyboard focus.
    constexpr int kFocusFrame = 4;
    const QRect inside = button.adjusted(kFocusFrame, kFocusFrame, -kFocusFrame, -kFocusFrame);
    const QPoint offset((button.width() - face.width()) / 2 - kFocusFrame,
                        (button.height() - face.height()) / 2 - kFocusFrame);
    return Likeness(Grab(inside), face, offset) >= kSame;
}

bool MenuView::Painted() const {
    const QImage& ground = Picture("menu/background.png");
    return Likeness(Grab({0, 0, 40, 20}), ground.copy(0, 0, 40, 20)) >= kSame;
}

bool MenuView::ShowsTile(int index) const {
    const QImage& tile = Picture(QStringLiteral("menu/tile%1.png").arg(index).toLatin1().constData());
    return Likeness(Grab(QRect(BoxOf(MenuForm(), "Image1_" + std::to_string(index)).topLeft(), tile.size())), tile) >= kSame;
}

int MenuView::TilesShown() const {
    int shown = 0;
    while (shown < 5 && ShowsTile(shown)) ++shown;
    return shown;
}

bool MenuView::ShowsQuit() const { return ShowsButton(BoxOf(MenuForm(), "Command1"), Picture("menu/quit.png")); }
bool MenuView::ShowsExplain() const { return ShowsButton(BoxOf(MenuForm(), "Command2"), Picture("menu/explain.png")); }
bool MenuView::ShowsStart() const { return ShowsButton(BoxOf(MenuForm(), "Command3"), Picture("menu/start.png")); }
bool MenuView::ShowsBack() const { return ShowsButton(BoxOf(MenuForm(), "Command4"), Picture("menu/back.png")); }
bool MenuView::ShowsPanel() const { return Pixel(BoxOf(MenuForm(), "Label1").topLeft() + QPoint(4, 4)) == QColor(0, 0, 64); }

bool GameView::IonShows(int ion, QColor colour) const {
    // The middle of the face, away from a focus frame.
    const QPoint centre = Centre(IonBox(ion));
    const QImage face = Grab(QRect(centre - QPoint(20, 10), QSize(40, 20)));
    QImage expected(face.size(), QImage::Format_RGB32);
    expected.fill(colour);
    return Likeness(face, expected) == 1.0;
}

bool GameView::MarkShows(QColor colour) const { return Pixel(CentreOf(GameForm(), "Image3")) == colour; }

bool GameView::MarkHidden() const {
    const QColor centre = Pixel(CentreOf(GameForm(), "Image3"));
    return centre != kCorrectMark && centre != kWrongMark;
}

bool GameView::GaugeAt(int level) const {
    const QImage& carriage = Picture("game/carriage.png");
    const QPoint left = GaugePlace(level);
    return Likeness(Grab(QRect(left, carriage.size())), carriage) >= kSame;
}

bool GameView::BurstShown() const {
    const QImage& burst = Picture("game/burst.png");
    return Likeness(Grab(QRect(BoxOf(GameForm(), "Image2").topLeft(), burst.size())), burst) >= kSame;
}

bool GameView::BalloonWhole() const {
    const QRect box(BoxOf(GameForm(), "Image2").topLeft(), Picture("game/burst.png").size());
    return Likeness(Grab(box), Picture("game/background.png").copy(box)) >= kSame;
}

bool GameView::BonusShown() const {
    const QImage& bonus = Picture("game/bonus.png");
    return Likeness(Grab(QRect(BoxOf(GameForm(), "Image5").topLeft(), bonus.size())), bonus) >= kSame;
}

bool GameView::MedalShown() const {
    // Stretched from 80 × 100 to its box, without keeping its proportions,
    // and smoothed as Qt smooths it, in both programs: a picture whose
    // pixels are only repeated does not pass.
    const QRect box = BoxOf(GameForm(), "Image4");
    static const QImage medal =
        Picture("game/medal.png").scaled(box.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return Likeness(Grab(box), medal, {}, kSmoothingTolerance) >= kSame;
}

bool GameView::RetryShown() const { return ShowsButton(BoxOf(GameForm(), "Command4"), Picture("game/retry.png")); }

namespace {

// Ink: the light pixels of white text on black.
struct Ink {
    QImage image;
    bool At(int x, int y) const { return image.valid(x, y) && qGray(image.pixel(x, y)) > 128; }
};

// The characters of a line of text: runs of columns with ink, each with
// the rows its ink covers.
std::vector<QRect> Characters(const Ink& ink) {
    std::vector<QRect> characters;
    const int width = ink.image.width();
    const int height = ink.image.height();
    int x = 0;
    while (x < width) {
        int top = height;
        int bottom = -1;
        const int left = x;
        for (; x < width; ++x) {
            bool any = false;
            for (int y = 0; y < height; ++y)
                if (ink.At(x, y)) {
                    any = true;
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            if (!any) break;
        }
        if (x > left) characters.emplace_back(QPoint(left, top), QPoint(x - 1, bottom));
        ++x;
    }
    return characters;
}

// Share of the ink of character `a` that the ink of `b` has within a pixel,
// the two laid over each other by their top-left corners.
double Covered(const Ink& a, const QRect& inA, const Ink& b, const QRect& inB) {
    long counted = 0;
    long covered = 0;
    const QPoint shift = inB.topLeft() - inA.topLeft();
    for (int y = inA.top(); y <= inA.bottom(); ++y) {
        for (int x = inA.left(); x <= inA.right(); ++x) {
            if (!a.At(x, y)) continue;
            ++counted;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx) near = b.At(x + shift.x() + dx, y + shift.y() + dy);
            if (near) ++covered;
        }
    }
    return counted == 0 ? 0.0 : static_cast<double>(covered) / static_cast<double>(counted);
}

}  // namespace

bool GameView::ScoreShows(const QString& score) const {
    // The text as it should read, drawn in the counter's font; the two
    // programs space and smooth their characters a little differently, so
    // the screen is read character by character.
    const layout::Widget& label = *layout::Find(GameForm(), "Label4");
    const QRect box = BoxOf(GameForm(), "Label4");
    const Ink shown{Grab(box)};
    Ink expected{QImage(box.size(), QImage::Format_RGB32)};
    expected.image.fill(Qt::black);
    {
        QPainter painter(&expected.image);
        const std::string_view family = layout::StandInFamily(label.font.family);
        QFont font(QString::fromUtf8(family.data(), static_cast<qsizetype>(family.size())));
        font.setPixelSize(layout::PointsToPixels(label.font.points));
        font.setBold(label.font.bold);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QRect(QPoint(0, 0), box.size()), Qt::AlignHCenter | Qt::AlignTop, score);
    }
    const std::vector<QRect> want = Characters(expected);
    const std::vector<QRect> got = Characters(shown);
    if (want.size() != got.size()) return false;
    constexpr double kSameCharacter = 0.9;
    for (std::size_t i = 0; i < want.size(); ++i) {
        if (std::abs(want[i].width() - got[i].width()) > 3 || std::abs(want[i].height() - got[i].height()) > 3)
            return false;
        if (Covered(expected, want[i], shown, got[i]) < kSameCharacter ||
            Covered(shown, got[i], expected, want[i]) < kSameCharacter)
            return false;
    }
    return true;
}

void GameView::ClickIons(int first, int last) const {
    std::vector<QPoint> points;
    for (int ion = first; ion <= last; ++ion) points.push_back(At(Centre(IonBox(ion))));
    x_.ClickEach(points);
}

ButtonArrival::ButtonArrival(const WindowView& view, const QRect& button, const QImage& face,
                             const QImage& backdrop)
    : view_(view),
      button_(button),
      beneath_(backdrop.copy(button).convertToFormat(QImage::Format_RGB32)),
      drawn_(beneath_) {
    QPainter painter(&drawn_);
    painter.drawImage(QPoint((button.width() - face.width()) / 2, (button.height() - face.height()) / 2), face);
}

int ButtonArrival::StrayPixels() const {
    // Close enough to tell the system's light button colour from white.
    constexpr int kTolerance = 4;
    const auto near = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) <= kTolerance && std::abs(qGreen(a) - qGreen(b)) <= kTolerance &&
               std::abs(qBlue(a) - qBlue(b)) <= kTolerance;
    };
    const QImage shown = view_.Grab(button_);
    int stray = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb p = shown.pixel(x, y);
            if (!near(p, beneath_.pixel(x, y)) && !near(p, drawn_.pixel(x, y)) && !near(p, qRgb(0, 0, 0)) &&
                !near(p, qRgb(255, 255, 255)))
                ++stray;
        }
    }
    return stray;
}

bool HintCovers(XServer& x, const TopWindow& hint, const QRect& screenArea) {
    const QImage& table = Picture("hint/table.png");
    const QRect inTable = screenArea.translated(-hint.area.topLeft());
    return Likeness(x.Grab(screenArea), table.copy(inTable)) >= kSame;
}

}  // namespace soruberia::e2e
