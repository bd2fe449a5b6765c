// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QPixmap>
#include <QWidget>

#include <array>
#include <cstdint>
#include <string>

#include "layout/MenuLayout.h"

class QLabel;
class QTimer;

namespace soruberia::ui {

class PictureButton;

// メニュー, built from layout::MenuWindow(): builds up the title one tile per
// tick of Timer1, then offers quit, explanation and start. The explanation
// lays a navy panel with the first line of setumei.txt over the title. Every
// widget carries its name as objectName ("Image1_3", "Command2", "Label2",
// "Timer1").
//
// Quit and start are requests to the rest of the program: the menu does not
// know how the program ends or how the game window is made.
class MenuWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTileCount = layout::kTitleTileCount;

    // Creating the window loads it: the explanation line is read (throws
    // FatalError when setumei.txt is missing or empty) and Timer1 is armed,
    // all before the window is first shown. Deletes itself on close.
    explicit MenuWindow(const std::string& basePath, QWidget* parent = nullptr);

    std::int16_t RevealCounter() const { return revealCounter_; }

signals:
    void quitRequested();
    void startRequested();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Load(const std::string& basePath);
    void Timer1Tick();
    void ShowExplanation();
    void HideExplanation();

    QPixmap background_;
    std::array<QLabel*, kTileCount> image1_{};
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    PictureButton* command1_ = nullptr;
    PictureButton* command2_ = nullptr;
    PictureButton* command3_ = nullptr;
    PictureButton* command4_ = nullptr;
    QTimer* timer1_ = nullptr;
    std::int16_t revealCounter_ = 0;
};

}  // namespace soruberia::ui
