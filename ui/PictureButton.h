// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace soruberia::ui {

// A push button whose face is a picture: the picture is centred and cut at
// the button's edges. It takes the keyboard focus like any push button and
// is pressed with the space bar; it is never a default button, so Enter
// does nothing. While it has the focus a dotted ring marks it.
class PictureButton final : public QAbstractButton {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent = nullptr);

    void SetPicture(const QPixmap& picture);
    const QPixmap& Picture() const { return picture_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

}  // namespace soruberia::ui
