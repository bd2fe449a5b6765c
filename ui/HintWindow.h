// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QPixmap>
#include <QWidget>

namespace soruberia::ui {

class PictureButton;

// ヒント, built from layout::HintWindow(): the table of precipitates and a
// back button, Command1, that closes the window. It has no logic of its own;
// it deletes itself on close, and a later hint is a new window, centred again.
class HintWindow final : public QWidget {
    Q_OBJECT
public:
    explicit HintWindow(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap table_;
    PictureButton* command1_ = nullptr;
};

}  // namespace soruberia::ui
