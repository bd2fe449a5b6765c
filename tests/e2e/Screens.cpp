// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/e2e/Screens.h"

#include <vector>

namespace soruberia::e2e {

namespace {

// Pictures drawn one to one must match all but a few pixels (a focus frame
// may cross a button); a stretched picture is compared more loosely.
constexpr double kSame = 0.97;
constexpr double kStretchedSame = 0.9;

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
    return Likeness(Grab(QRect(layout::MenuTile(index), tile.size())), tile) >= kSame;
}

int MenuView::TilesShown() const {
    int shown = 0;
    while (shown < 5 && ShowsTile(shown)) ++shown;
    return shown;
}

bool MenuView::ShowsQuit() const { return ShowsButton(layout::kMenuQuit, Picture("menu/quit.png")); }
bool MenuView::ShowsExplain() const { return ShowsButton(layout::kMenuExplain, Picture("menu/explain.png")); }
bool MenuView::ShowsStart() const { return ShowsButton(layout::kMenuStart, Picture("menu/start.png")); }
bool MenuView::ShowsBack() const { return ShowsButton(layout::kMenuExplain, Picture("menu/back.png")); }
bool MenuView::ShowsPanel() const { return Pixel(layout::kPanel) == QColor(0, 0, 64); }

bool GameView::IonShows(int ion, QColor colour) const {
    // The middle of the face, away from a focus frame.
    const QPoint centre = layout::IonCentre(ion);
    const QImage face = Grab(QRect(centre - QPoint(20, 10), QSize(40, 20)));
    QImage expected(face.size(), QImage::Format_RGB32);
    expected.fill(colour);
    return Likeness(face, expected) == 1.0;
}

bool GameView::MarkShows(QColor colour) const { return Pixel(layout::kMarkCentre) == colour; }

bool GameView::MarkHidden() const {
    const QColor centre = Pixel(layout::kMarkCentre);
    return centre != kCorrectMark && centre != kWrongMark;
}

bool GameView::GaugeAt(int level) const {
    const QImage& carriage = Picture("game/carriage.png");
    const QPoint left = layout::kGaugeHome + QPoint(layout::kGaugeStep * level, 0);
    return Likeness(Grab(QRect(left, carriage.size())), carriage) >= kSame;
}

bool GameView::BurstShown() const {
    const QImage& burst = Picture("game/burst.png");
    return Likeness(Grab(QRect(layout::kBurst, burst.size())), burst) >= kSame;
}

bool GameView::BalloonWhole() const {
    const QRect box(layout::kBurst, Picture("game/burst.png").size());
    return Likeness(Grab(box), Picture("game/background.png").copy(box)) >= kSame;
}

bool GameView::BonusShown() const {
    const QImage& bonus = Picture("game/bonus.png");
    return Likeness(Grab(QRect(layout::kBonus, bonus.size())), bonus) >= kSame;
}

bool GameView::MedalShown() const {
    // Stretched from 80 × 100 to its box, without keeping its proportions.
    static const QImage medal = Picture("game/medal.png")
                             .scaled(layout::kMedal.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return Likeness(Grab(layout::kMedal), medal, {}, 24) >= kStretchedSame;
}

bool GameView::RetryShown() const { return ShowsButton(layout::kRetry, Picture("game/retry.png")); }

void GameView::ClickIons(int first, int last) const {
    std::vector<QPoint> points;
    for (int ion = first; ion <= last; ++ion) points.push_back(At(layout::IonCentre(ion)));
    x_.ClickEach(points);
}

bool HintCovers(XServer& x, const TopWindow& hint, const QRect& screenArea) {
    const QImage& table = Picture("hint/table.png");
    const QRect inTable = screenArea.translated(-hint.area.topLeft());
    return Likeness(x.Grab(screenArea), table.copy(inTable)) >= kSame;
}

}  // namespace soruberia::e2e
