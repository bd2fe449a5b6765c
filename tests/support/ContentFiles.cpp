// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/support/ContentFiles.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <stdexcept>
#include <utility>

#include "content/ShiftJis.h"

namespace soruberia::testsupport {

void WriteBytes(const QString& path, const std::string& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
        throw std::runtime_error("cannot write " + path.toStdString());
}

std::string ToShiftJis(const QString& text) { return ToShiftJis(text.toStdString()); }

std::string ToShiftJis(const std::string& utf8) {
    sjis::Encoded encoded = sjis::Encode(utf8);
    if (encoded.unmappableAt) throw std::runtime_error("text has no Shift-JIS form: " + utf8);
    return std::move(encoded.cp932);
}

void WritePicture(const QString& path, QColor colour) {
    QImage image(16, 12, QImage::Format_RGB32);
    image.fill(colour);
    if (!image.save(path, "PNG")) throw std::runtime_error("cannot write " + path.toStdString());
}

void WriteGamePictures(const QString& folder, const PictureColours& colours) {
    const QDir pictures(folder);
    for (int ion = 1; ion <= 12; ++ion) {
        WritePicture(pictures.filePath(QStringLiteral("ion(%1).gif").arg(ion)), colours.plainIon(ion));
        WritePicture(pictures.filePath(QStringLiteral("ion'(%1).gif").arg(ion)), colours.foundIon(ion));
    }
    WritePicture(pictures.filePath(QStringLiteral("maru.gif")), colours.maru);
    WritePicture(pictures.filePath(QStringLiteral("batu.gif")), colours.batu);
}

}  // namespace soruberia::testsupport
