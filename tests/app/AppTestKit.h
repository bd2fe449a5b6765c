// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

// A content folder made by the test, and small helpers for driving the
// windows offscreen.

#include <QString>
#include <QTemporaryDir>
#include <QWidget>

#include <functional>
#include <stdexcept>
#include <string>

#include "tests/support/ContentFiles.h"

class QTimer;

namespace soruberia::app::testing {

// <tmp>/問題/setumei.txt (given as UTF-8, stored as Shift-JIS), a question
// bank of 26 one-answer questions, and the pictures of folder 図. No sounds:
// the sound channel plays on silent without them.
class ContentFolder {
public:
    explicit ContentFolder(const std::string& explanationUtf8 = "ソルベリアの遊び方\r\n");
    std::string BasePath() const { return dir_.path().toStdString(); }
    QString Path(const QString& relative) const { return dir_.filePath(relative); }

    // Replaces setumei.txt by these bytes as they stand.
    void WriteExplanationBytes(const std::string& bytes) const;
    void RemoveExplanation() const;

private:
    QTemporaryDir dir_;
};

using testsupport::ToShiftJis;

// One tick of the timer, delivered as the event loop would deliver it.
void Tick(QTimer& timer);

// Runs the deletions that closed windows have left for the event loop.
void FlushDeferredDeletes();

// Top-level windows on screen at this moment.
int VisibleWindowCount();

// Runs `action` inside the event loop and tells whether it made the program
// end by itself, as closing the last window does.
bool ProgramEndsAfter(const std::function<void()>& action);

// With SORUBERIA_SCREENSHOT_DIR set, writes the widget's picture there.
void SaveScreenshot(QWidget& widget, const QString& name);

template <typename T>
T& Child(QWidget& window, const char* name) {
    T* child = window.findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr) throw std::runtime_error(std::string("no widget ") + name);
    return *child;
}

}  // namespace soruberia::app::testing
