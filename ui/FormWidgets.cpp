// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "ui/FormWidgets.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWidget>

#include <algorithm>

#include "ui/BuiltInPicture.h"
#include "ui/Fonts.h"
#include "ui/PictureButton.h"
#include "ui/Twips.h"

namespace soruberia::ui {

namespace {

QColor ToQColor(const layout::Colour& colour) { return {colour.red, colour.green, colour.blue}; }

void SetColours(QWidget& widget, const layout::Colour& ground, const layout::Colour& text) {
    widget.setAutoFillBackground(true);
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, ToQColor(ground));
    palette.setColor(QPalette::WindowText, ToQColor(text));
    widget.setPalette(palette);
}

void SetAccessibility(QWidget& widget, const layout::Widget& spec) {
    if (!spec.accessibleName.empty()) widget.setAccessibleName(ToQString(spec.accessibleName));
    if (!spec.accessibleDescription.empty())
        widget.setAccessibleDescription(ToQString(spec.accessibleDescription));
}

// An opaque text label: the text starts at the top, wraps at the label's
// width and is cut at its lower edge.
QWidget* MakeLabel(QWidget& window, const layout::Widget& spec) {
    auto* label = new QLabel(&window);
    label->setGeometry(TwipsRect(spec.box));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment((spec.align == layout::Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft) |
                        Qt::AlignTop);
    if (!spec.font.family.empty()) label->setFont(LayoutFont(spec.font));
    SetColours(*label, spec.ground, spec.text);
    return label;
}

// A picture box: transparent where its picture is.
QWidget* MakePictureBox(QWidget& window, const layout::Widget& spec) {
    auto* box = new QLabel(&window);
    box->setGeometry(TwipsRect(spec.box));
    box->setScaledContents(spec.stretch);
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (!spec.picture.empty()) SetBoxPicture(*box, LayoutPicture(spec.picture));
    return box;
}

QWidget* MakeButton(QWidget& window, const layout::Widget& spec) {
    auto* button = new PictureButton(&window);
    button->setGeometry(TwipsRect(spec.box));
    if (!spec.picture.empty()) button->SetPicture(LayoutPicture(spec.picture));
    return button;
}

QWidget* MakeWidget(QWidget& window, const layout::Widget& spec) {
    switch (spec.kind) {
        case layout::Kind::Label: return MakeLabel(window, spec);
        case layout::Kind::PictureBox: return MakePictureBox(window, spec);
        case layout::Kind::PushButton: return MakeButton(window, spec);
        case layout::Kind::Timer: break;
    }
    return nullptr;
}

}  // namespace

void SetUpWindow(QWidget& window, const layout::Form& form) {
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    window.setObjectName(ToQString(form.name));
    window.setAttribute(Qt::WA_DeleteOnClose);
    window.setWindowTitle(ToQString(form.caption));
    window.setWindowIcon(QIcon(QStringLiteral(":/game/icon.png")));  // QIcon finds icon@2x.png itself
    window.setFixedSize(form.clientWidth, form.clientHeight);
    if (!form.font.family.empty()) window.setFont(LayoutFont(form.font));
    if (form.colour) {
        window.setAutoFillBackground(true);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, ToQColor(*form.colour));
        window.setPalette(palette);
    }
}

void CentreOnScreen(QWidget& window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(),
                                               screen->availableGeometry()));
    }
}

QPixmap LayoutPicture(std::string_view name) {
    return BuiltInPicture(QStringLiteral(":/") + ToQString(name));
}

void SetBoxPicture(QLabel& box, const QPixmap& picture) {
    box.setPixmap(picture);
    if (!box.hasScaledContents() && !picture.isNull())
        box.resize(picture.deviceIndependentSize().toSize());
}

FormWidgets::FormWidgets(QWidget& window, const layout::Form& form) {
    std::vector<std::pair<int, QWidget*>> tabStops;
    for (const layout::Widget& spec : form.widgets) {
        if (spec.kind == layout::Kind::Timer) {
            auto* timer = new QTimer(&window);
            timer->setObjectName(ToQString(spec.name));
            if (spec.intervalMs > 0) timer->setInterval(spec.intervalMs);
            made_.emplace_back(spec.name, timer);
            continue;
        }
        QWidget* widget = MakeWidget(window, spec);
        widget->setObjectName(ToQString(spec.name));
        SetAccessibility(*widget, spec);
        if (!spec.visible) widget->hide();
        if (spec.tabIndex >= 0) tabStops.emplace_back(spec.tabIndex, widget);
        made_.emplace_back(spec.name, widget);
    }

    std::ranges::sort(tabStops, {}, &std::pair<int, QWidget*>::first);
    for (std::size_t i = 1; i < tabStops.size(); ++i)
        QWidget::setTabOrder(tabStops[i - 1].second, tabStops[i].second);
    const auto firstShown = std::ranges::find_if(
        tabStops, [](const auto& stop) { return !stop.second->isHidden(); });
    if (firstShown != tabStops.end()) firstShown->second->setFocus();
}

}  // namespace soruberia::ui
