// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

// What the player sees of each window, read from the screen, and where the
// player clicks.

#include <QImage>
#include <QPoint>
#include <QRect>

#include <optional>

#include "tests/e2e/Places.h"
#include "tests/e2e/Session.h"
#include "tests/e2e/XServer.h"

namespace soruberia::e2e {

// A window of the program found by its title, and its pixels.
class WindowView {
public:
    WindowView(XServer& x, TopWindow window) : x_(x), window_(std::move(window)) {}
    const TopWindow& Window() const { return window_; }
    QPoint At(QPoint client) const { return window_.area.topLeft() + client; }
    QColor Pixel(QPoint client) const { return x_.Pixel(At(client)); }
    QImage Grab(const QRect& client) const { return x_.Grab(client.translated(window_.area.topLeft())); }
    void Click(QPoint client) const { x_.Click(At(client)); }
    void Key(const QString& keys) const { x_.Key(At({2, 2}), keys); }
    void HoldKey(const QString& key, std::chrono::milliseconds held) const { x_.HoldKey(At({2, 2}), key, held); }
    // A picture button shows its 100 × 32 face centred on a 93 × 31 button.
    bool ShowsButton(const QRect& button, const QImage& face) const;

protected:
    XServer& x_;
    TopWindow window_;
};

class MenuView : public WindowView {
public:
    using WindowView::WindowView;
    bool Painted() const;
    bool ShowsTile(int index) const;
    int TilesShown() const;  // how many tiles from the first on, in order
    bool ShowsQuit() const;
    bool ShowsExplain() const;
    bool ShowsStart() const;
    bool ShowsBack() const;
    bool ShowsPanel() const;
    void Press(std::string_view button) const { Click(CentreOf(MenuForm(), button)); }
};

class GameView : public WindowView {
public:
    using WindowView::WindowView;
    bool IonShows(int ion, QColor colour) const;
    bool MarkShows(QColor colour) const;
    bool MarkHidden() const;
    bool GaugeAt(int level) const;
    bool BurstShown() const;
    bool BalloonWhole() const;
    bool BonusShown() const;
    bool MedalShown() const;
    bool RetryShown() const;
    // The score as shown: the text `score` in the counter's font and place.
    bool ScoreShows(const QString& score) const;
    void ClickIon(int ion) const { Click(Centre(IonBox(ion))); }
    void ClickIons(int first, int last) const;
    void Press(std::string_view button) const { Click(CentreOf(GameForm(), button)); }
};

// A button's box as the button comes: each pixel may show what lies beneath
// the button (the window's picture `backdrop`), the button's face, or the
// black and white of a focus ring, and nothing else; no flash of another
// colour before the face is drawn.
class ButtonArrival {
public:
    ButtonArrival(const WindowView& view, const QRect& button, const QImage& face, const QImage& backdrop);
    // The pixels of the box on screen now that show anything else.
    int StrayPixels() const;

private:
    const WindowView& view_;
    QRect button_;
    QImage beneath_;
    QImage drawn_;  // the face over it
};

// The hint window's table covers `screenArea` (screen coordinates).
bool HintCovers(XServer& x, const TopWindow& hint, const QRect& screenArea);

}  // namespace soruberia::e2e
