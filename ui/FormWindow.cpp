// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "ui/FormWindow.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QTimer>

#include "appcore/App.h"
#include "content/FatalError.h"
#include "platform/QtPicture.h"
#include "ui/Fonts.h"
#include "ui/GuardedConnect.h"
#include "ui/PictureButton.h"
#include "ui/Twips.h"

namespace soruberia::ui {

namespace {

// The window's own properties come before its widgets.
const layout::Form& SetUp(QWidget& window, appcore::FormId form) {
    SetUpWindow(window, appcore::FormOf(form));
    return appcore::FormOf(form);
}

QPixmap PixmapOf(const engine::PicturePtr& picture) {
    if (!picture) return QPixmap();
    const auto* read = dynamic_cast<const platform::QtPicture*>(picture.get());
    if (read == nullptr) throw FatalError("画面に表示できない種類の絵です");
    return read->Pixmap();
}

}  // namespace

FormWindow::FormWindow(appcore::FormId form, appcore::App& app, QWidget* parent)
    : QWidget(parent),
      form_(form),
      app_(app),
      widgets_(*this, SetUp(*this, form)),
      background_(LayoutPicture(appcore::FormOf(form).background)) {
    for (const layout::Widget& entry : appcore::FormOf(form).widgets) {
        const std::string name(entry.name);
        if (entry.kind == layout::Kind::PushButton) {
            ConnectGuarded(widgets_.Get<PictureButton>(entry.name), &QAbstractButton::clicked, this,
                           [this, name] { app_.Pressed(form_, name); });
        } else if (entry.kind == layout::Kind::Timer) {
            ConnectGuarded(widgets_.Get<QTimer>(entry.name), &QTimer::timeout, this,
                           [this, name] { app_.Ticked(form_, name); });
        }
    }
    CentreOnScreen(*this);
}

FormWindow::~FormWindow() { StopTimers(); }

void FormWindow::CloseQuietly() {
    quiet_ = true;
    close();
}

void FormWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (!event->isAccepted()) return;
    // A closed window does nothing more; it is deleted later.
    StopTimers();
    if (!quiet_) {
        quiet_ = true;
        platform::Guarded([this] { app_.Closed(form_); });
    }
}

void FormWindow::StopTimers() {
    for (QTimer* timer : findChildren<QTimer*>()) timer->stop();
}

void FormWindow::SetText(std::string_view widget, const std::string& utf8Text) {
    widgets_.Get<QLabel>(widget)->setText(QString::fromStdString(utf8Text));
}

void FormWindow::SetPicture(std::string_view widget, engine::PicturePtr picture) {
    const QPixmap pixmap = PixmapOf(picture);
    if (auto* button = qobject_cast<PictureButton*>(widgets_.Find(widget))) {
        button->SetPicture(pixmap);
    } else {
        SetBoxPicture(*widgets_.Get<QLabel>(widget), pixmap);
    }
}

void FormWindow::SetVisible(std::string_view widget, bool visible) {
    widgets_.Get<QWidget>(widget)->setVisible(visible);
}

void FormWindow::MoveLeft(std::string_view widget, float twips) {
    QWidget* target = widgets_.Get<QWidget>(widget);
    target->move(TwipsToPixels(twips), target->y());
}

void FormWindow::SetTimer(std::string_view timer, int milliseconds) {
    QTimer* target = widgets_.Get<QTimer>(timer);
    if (milliseconds > 0)
        target->start(milliseconds);
    else
        target->stop();
}

void FormWindow::Focus(std::string_view widget) { widgets_.Get<QWidget>(widget)->setFocus(); }

bool FormWindow::HasFocusedWidget() const { return focusWidget() != nullptr; }

void FormWindow::SetAccessible(std::string_view widget, const std::string& name,
                               const std::string& description) {
    QWidget* target = widgets_.Get<QWidget>(widget);
    target->setAccessibleName(QString::fromStdString(name));
    target->setAccessibleDescription(QString::fromStdString(description));
}

void FormWindow::paintEvent(QPaintEvent*) {
    // Unscaled from the top-left corner; a picture larger than the window
    // is cut at its right and lower edges.
    QPainter painter(this);
    painter.drawPixmap(0, 0, background_);
}

}  // namespace soruberia::ui
