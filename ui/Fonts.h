// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QFont>
#include <QString>

namespace soruberia::ui {

// The windows name their fonts as the original Japanese faces; the IPA
// fonts stand in for them where those are missing.
inline const QString kMincho = QStringLiteral("ＭＳ 明朝");
inline const QString kPMincho = QStringLiteral("ＭＳ Ｐ明朝");
inline const QString kPGothic = QStringLiteral("ＭＳ Ｐゴシック");

// Registers the stand-ins once per run; call before any window is built.
void InstallFontSubstitutions();

// A font of the given point size as it measures at 96 dpi, so the layout
// does not change with the screen's dpi.
QFont LayoutFont(const QString& family, double points, bool bold);

}  // namespace soruberia::ui
