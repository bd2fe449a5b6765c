// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "check/qt/QuestionLabel.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QString>
#include <QTextLayout>
#include <QTextOption>

#include <cmath>

#include "check/core/LabelTwin.h"
#include "ui/Fonts.h"
#include "ui/Twips.h"

namespace soruberia::check {

// As the game window's form builds its labels (ui/FormWidgets).
QuestionLabel::QuestionLabel() {
    label_.setGeometry(ui::ToQRect(kQuestionLabelTwin.box));
    label_.setTextFormat(Qt::PlainText);
    label_.setWordWrap(true);
    label_.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_.setFont(ui::LayoutFont(kQuestionLabelTwin.font));
}

std::string QuestionLabel::FontNote() {
    return check::FontNote(QFontInfo(label_.font()).family().toStdString(),
                           "ＭＳ Ｐ明朝 も代わりの IPAPMincho（Debian のパッケージ fonts-ipafont-mincho）も"
                           "入っていない");
}

LabelFit QuestionLabel::Measure(const std::string& utf8) {
    const QString text = QString::fromStdString(utf8);
    LabelFit fit;
    label_.setText(text);
    fit.height = label_.height();
    fit.neededHeight = label_.heightForWidth(label_.width());
    fit.fits = fit.neededHeight <= fit.height;

    // Where the lines break, laid out as the label draws plain text: line
    // ends become line separators, words wrap, lines stack with the font's
    // leading between them.
    QString laidOut = text;
    laidOut.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    laidOut.replace(QLatin1Char('\r'), QChar::LineSeparator);
    laidOut.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(laidOut, label_.font());
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    const qreal leading = QFontMetricsF(label_.font()).leading();
    qreal y = 0;
    int shownEnd = 0;
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) break;
        line.setLineWidth(label_.contentsRect().width());
        if (fit.lines > 0) y += leading;
        line.setPosition(QPointF(0, y));
        y += line.height();
        ++fit.lines;
        if (std::ceil(y) <= fit.height) {
            fit.shownLines = fit.lines;
            shownEnd = line.textStart() + line.textLength();
        }
    }
    layout.endLayout();
    laidOut.replace(QChar::LineSeparator, QLatin1Char(' '));
    fit.shown = OneLine(laidOut.left(shownEnd).toStdString());
    fit.cut = OneLine(laidOut.mid(shownEnd).toStdString());
    return fit;
}

}  // namespace soruberia::check
