// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

// Pieces of a content folder made by a test: files of given bytes, texts in
// Shift-JIS, and the pictures of folder 図 in colours the test can tell apart.

#include <QColor>
#include <QString>

#include <functional>
#include <string>

namespace soruberia::testsupport {

// Writes `bytes` as they stand; throws when they cannot be written whole.
void WriteBytes(const QString& path, const std::string& bytes);

std::string ToShiftJis(const QString& text);
std::string ToShiftJis(const std::string& utf8);

// A 16 × 12 picture of one colour, saved as PNG whatever the name: Qt
// writes no GIF, but the picture loader reads by content.
void WritePicture(const QString& path, QColor colour);

// ion(1..12).gif, ion'(1..12).gif, maru.gif and batu.gif in `folder`.
struct PictureColours {
    std::function<QColor(int)> plainIon;
    std::function<QColor(int)> foundIon;
    QColor maru;
    QColor batu;
};
void WriteGamePictures(const QString& folder, const PictureColours& colours);

}  // namespace soruberia::testsupport
