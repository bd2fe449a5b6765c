// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "ui/HintWindow.h"

#include <QPainter>

#include "layout/HintLayout.h"
#include "ui/FormWidgets.h"
#include "ui/GuardedConnect.h"
#include "ui/PictureButton.h"

namespace soruberia::ui {

HintWindow::HintWindow(QWidget* parent) : QWidget(parent) {
    const layout::Form& form = layout::HintWindow();
    SetUpWindow(*this, form);
    table_ = LayoutPicture(form.background);

    const FormWidgets widgets(*this, form);
    command1_ = widgets.Get<PictureButton>("Command1");
    ConnectGuarded(command1_, &QAbstractButton::clicked, this, [this] { close(); });

    CentreOnScreen(*this);
}

void HintWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, table_);
}

}  // namespace soruberia::ui
