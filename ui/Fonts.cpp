// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "ui/Fonts.h"

#include <QStringList>

namespace soruberia::ui {

void InstallFontSubstitutions() {
    for (const layout::StandIn& standIn : layout::kStandIns)
        QFont::insertSubstitutions(ToQString(standIn.face),
                                   {ToQString(standIn.family), ToQString(standIn.japaneseFamily)});
}

QFont LayoutFont(const QString& family, double points, bool bold) {
    QFont font(family);
    font.setPixelSize(layout::PointsToPixels(points));
    font.setBold(bold);
    return font;
}

QFont LayoutFont(const layout::Font& font) {
    return LayoutFont(ToQString(font.family), font.points, font.bold);
}

}  // namespace soruberia::ui
