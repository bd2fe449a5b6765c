// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "ui/Fonts.h"

#include <QStringList>

#include <cmath>

namespace soruberia::ui {

void InstallFontSubstitutions() {
    QFont::insertSubstitutions(kMincho, {QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝")});
    QFont::insertSubstitutions(kPMincho, {QStringLiteral("IPAPMincho"), QStringLiteral("IPA P明朝")});
    QFont::insertSubstitutions(kPGothic,
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")});
}

QFont LayoutFont(const QString& family, double points, bool bold) {
    QFont font(family);
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    font.setBold(bold);
    return font;
}

}  // namespace soruberia::ui
