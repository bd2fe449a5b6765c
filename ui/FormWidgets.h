// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>
#include <QPixmap>
#include <QString>

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "layout/Form.h"

class QLabel;
class QWidget;

namespace soruberia::ui {

// Gives `window` the form's name, caption, client size, colour and font, as
// a fixed-size top-level window with a close box only that deletes itself
// on close.
void SetUpWindow(QWidget& window, const layout::Form& form);

// Centres the window on the screen it opens on.
void CentreOnScreen(QWidget& window);

// A built-in picture by its name in the layout, "game/ion1.png".
QPixmap LayoutPicture(std::string_view name);

// Sets a picture box's picture; a box that does not stretch takes its size.
void SetBoxPicture(QLabel& box, const QPixmap& picture);

// The widgets and timers of a form, created on `window` from its table in
// stacking order, chained in its tab order, each named as in the table. The
// first shown widget of the tab order takes the focus.
class FormWidgets {
public:
    FormWidgets(QWidget& window, const layout::Form& form);

    // The widget or timer of that name, or null.
    QObject* Find(std::string_view name) const {
        for (const auto& [madeName, object] : made_)
            if (madeName == name) return object;
        return nullptr;
    }

    // The widget or timer of that name, as the type it was made as.
    template <typename T>
    T* Get(std::string_view name) const {
        for (const auto& [madeName, object] : made_) {
            if (madeName != name) continue;
            if (auto* typed = qobject_cast<T*>(object)) return typed;
            break;
        }
        throw std::logic_error("the form has no " + std::string(name) + " of that kind");
    }

private:
    std::vector<std::pair<std::string_view, QObject*>> made_;
};

}  // namespace soruberia::ui
