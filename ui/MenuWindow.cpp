// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "ui/MenuWindow.h"

#include <QLabel>
#include <QPainter>
#include <QTimer>

#include "content/ExplanationFile.h"
#include "ui/FormWidgets.h"
#include "ui/GuardedConnect.h"
#include "ui/PictureButton.h"

namespace soruberia::ui {

MenuWindow::MenuWindow(const std::string& basePath, QWidget* parent) : QWidget(parent) {
    const layout::Form& form = layout::MenuWindow();
    SetUpWindow(*this, form);
    background_ = LayoutPicture(form.background);

    const FormWidgets widgets(*this, form);
    for (std::size_t i = 0; i < image1_.size(); ++i)
        image1_[i] = widgets.Get<QLabel>("Image1_" + std::to_string(i));
    label1_ = widgets.Get<QLabel>("Label1");
    label2_ = widgets.Get<QLabel>("Label2");
    command1_ = widgets.Get<PictureButton>("Command1");
    command2_ = widgets.Get<PictureButton>("Command2");
    command3_ = widgets.Get<PictureButton>("Command3");
    command4_ = widgets.Get<PictureButton>("Command4");
    timer1_ = widgets.Get<QTimer>("Timer1");

    ConnectGuarded(timer1_, &QTimer::timeout, this, [this] { Timer1Tick(); });
    ConnectGuarded(command1_, &QAbstractButton::clicked, this, [this] { emit quitRequested(); });
    ConnectGuarded(command2_, &QAbstractButton::clicked, this, [this] { ShowExplanation(); });
    ConnectGuarded(command3_, &QAbstractButton::clicked, this, [this] { emit startRequested(); });
    ConnectGuarded(command4_, &QAbstractButton::clicked, this, [this] { HideExplanation(); });

    CentreOnScreen(*this);
    Load(basePath);
}

void MenuWindow::Load(const std::string& basePath) {
    revealCounter_ = 0;
    label2_->setText(QString::fromStdString(ReadExplanationLine(basePath)));
    timer1_->start();  // at the period of the layout
}

void MenuWindow::Timer1Tick() {
    if (revealCounter_ >= kTileCount) {
        command1_->show();
        command2_->show();
        command3_->show();
        // Until now nothing could take the focus. The start button gets it,
        // so a keyboard user can go on at once and a stray Space never quits.
        if (focusWidget() == nullptr) command3_->setFocus();
        timer1_->stop();  // for good: nothing arms it again
        return;
    }
    image1_[static_cast<std::size_t>(revealCounter_)]->show();
    ++revealCounter_;
}

void MenuWindow::ShowExplanation() {
    command1_->hide();
    command2_->hide();
    command3_->hide();
    label1_->show();
    label2_->show();
    command4_->show();
    // The button that had the focus is gone; its replacement takes it.
    command4_->setFocus();
}

void MenuWindow::HideExplanation() {
    command1_->show();
    command2_->show();
    command3_->show();
    label1_->hide();
    label2_->hide();
    command4_->hide();
    command2_->setFocus();
}

void MenuWindow::paintEvent(QPaintEvent*) {
    // Unscaled from the top-left corner; the picture is larger than the
    // window, so its right and lower margins are never seen.
    QPainter painter(this);
    painter.drawPixmap(0, 0, background_);
}

}  // namespace soruberia::ui
