// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

// Reading widgets back as a screen reader sees them, and key presses that
// go through the window system's path to the focused widget.

#include <QAccessible>
#include <QApplication>
#include <QString>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <ostream>

// Failures show the texts a screen reader would hear, not their bytes.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace soruberia::a11y {

inline QString Spoken(QWidget* widget, QAccessible::Text text = QAccessible::Name) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face != nullptr ? face->text(text) : QStringLiteral("<no interface>");
}

inline QAccessible::Role RoleOf(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face != nullptr ? face->role() : QAccessible::NoRole;
}

// Shows the window and makes it the active one, so keys reach its focus.
inline bool ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// A key as the keyboard sends it: to the window, which hands it on to its
// focused widget (and would hand Enter to a default button, if it had one).
inline void Key(QWidget& window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(window.windowHandle(), key, modifiers);
}

inline QString FocusName() {
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? focus->objectName() : QStringLiteral("<none>");
}

}  // namespace soruberia::a11y
