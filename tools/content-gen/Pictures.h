// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QImage>
#include <QString>

namespace soruberia::contentgen {

// Size of an ion button's picture, and of the box the judgement mark fills.
inline constexpr int kIonWidth = 101;
inline constexpr int kIonHeight = 61;
inline constexpr int kMarkSize = 145;

// An ion label of the table, "Fe^{3+}", split into symbol and charge.
struct IonLabel {
    QString symbol;
    QString charge;
};
IonLabel SplitIonLabel(const QString& label);  // throws FatalError if malformed

// Plain: white serif type on a bright blue face with a thin yellow frame.
// Found: dark type on a gold face, with a red check mark.
QImage DrawIonPicture(const IonLabel& ion, bool found);

// Judgement marks, transparent outside the ring and the cross.
QImage DrawCorrectMark();  // red ring
QImage DrawWrongMark();    // blue cross

}  // namespace soruberia::contentgen
