// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QFont>
#include <QString>

#include "layout/Fonts.h"
#include "layout/Form.h"

namespace soruberia::ui {

inline QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The windows name their fonts as the original Japanese faces; the IPA
// fonts stand in for them where those are missing.
inline const QString kMincho = ToQString(layout::kMincho);
inline const QString kPMincho = ToQString(layout::kPMincho);
inline const QString kPGothic = ToQString(layout::kPGothic);

// Registers the stand-ins once per run; call before any window is built.
void InstallFontSubstitutions();

// A font of the given point size as it measures at 96 dpi, so the layout
// does not change with the screen's dpi.
QFont LayoutFont(const QString& family, double points, bool bold);
QFont LayoutFont(const layout::Font& font);

}  // namespace soruberia::ui
