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

void SetAccessibility(QWidget& widget, const layout::Widget& entry) {
    if (!entry.accessibleName.empty()) widget.setAccessibleName(ToQString(entry.accessibleName));
    if (!entry.accessibleDescription.empty())
        widget.setAccessibleDescription(ToQString(entry.accessibleDescription));
}

// An opaque text label: the text starts at the top, wraps at the label's
// width and is cut at its lower edge.
QWidget* MakeLabel(QWidget& window, const layout::Widget& entry) {
    auto* label = new QLabel(&window);
    label->setGeometry(TwipsRect(entry.box));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment((entry.align == layout::Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft) |
                        Qt::AlignTop);
    if (!entry.font.family.empty()) label->setFont(LayoutFont(entry.font));
    SetColours(*label, entry.ground, entry.text);
    return label;
}

// A picture box: transparent where its picture is.
QWidget* MakePictureBox(QWidget& window, const layout::Widget& entry) {
    auto* box = new QLabel(&window);
    box->setGeometry(TwipsRect(entry.box));
    box->setScaledContents(entry.stretch);
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (!entry.picture.empty()) SetBoxPicture(*box, LayoutPicture(entry.picture));
    return box;
}

QWidget* MakeButton(QWidget& window, const layout::Widget& entry) {
    auto* button = new PictureButton(&window);
    button->setGeometry(TwipsRect(entry.box));
    if (!entry.picture.empty()) button->SetPicture(LayoutPicture(entry.picture));
    return button;
}

QWidget* MakeWidget(QWidget& window, const layout::Widget& entry) {
    switch (entry.kind) {
        case layout::Kind::Label: return MakeLabel(window, entry);
        case layout::Kind::PictureBox: return MakePictureBox(window, entry);
        case layout::Kind::PushButton: return MakeButton(window, entry);
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
    for (const layout::Widget& entry : form.widgets) {
        if (entry.kind == layout::Kind::Timer) {
            auto* timer = new QTimer(&window);
            timer->setObjectName(ToQString(entry.name));
            if (entry.intervalMs > 0) timer->setInterval(entry.intervalMs);
            made_.emplace_back(entry.name, timer);
            continue;
        }
        QWidget* widget = MakeWidget(window, entry);
        widget->setObjectName(ToQString(entry.name));
        SetAccessibility(*widget, entry);
        if (!entry.visible) widget->hide();
        if (entry.tabIndex >= 0) tabStops.emplace_back(entry.tabIndex, widget);
        made_.emplace_back(entry.name, widget);
    }

    std::ranges::sort(tabStops, {}, &std::pair<int, QWidget*>::first);
    for (std::size_t i = 1; i < tabStops.size(); ++i)
        QWidget::setTabOrder(tabStops[i - 1].second, tabStops[i].second);
    const auto firstShown = std::ranges::find_if(
        tabStops, [](const auto& stop) { return !stop.second->isHidden(); });
    if (firstShown != tabStops.end()) firstShown->second->setFocus();
}

}  // namespace soruberia::ui
