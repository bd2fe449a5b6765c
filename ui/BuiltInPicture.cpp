// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "ui/BuiltInPicture.h"

#include <QGuiApplication>
#include <QResource>
#include <QScreen>
#include <QSysInfo>
#include <QtEndian>

#include <array>
#include <cstdint>

#include "content/FatalError.h"

namespace soruberia::ui {

namespace {

constexpr qsizetype kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER
constexpr std::uint32_t kV4HeaderSize = 108;   // the first with an alpha mask
constexpr std::uint32_t kRgb = 0;              // BI_RGB
constexpr std::uint32_t kBitFields = 3;        // BI_BITFIELDS
constexpr std::array<std::uint32_t, 4> kArgbMasks{0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};

std::uint32_t U32(QByteArrayView file, qsizetype at) {
    return qFromLittleEndian<std::uint32_t>(file.data() + at);
}

std::uint16_t U16(QByteArrayView file, qsizetype at) {
    return qFromLittleEndian<std::uint16_t>(file.data() + at);
}

std::int32_t I32(QByteArrayView file, qsizetype at) {
    return qFromLittleEndian<std::int32_t>(file.data() + at);
}

// The windows open centred on the primary screen, so its ratio decides.
qreal ScreenRatio() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->devicePixelRatio() : 1.0;
}

QPixmap LoadBuiltIn(const QString& resource) {
    const QResource data(resource);
    if (!data.isValid()) return {};
    return QPixmap::fromImage(DecodeBuiltInBitmap(data.uncompressedData()));
}

}  // namespace

QImage DecodeBuiltInBitmap(QByteArrayView file) {
    if (file.size() < kFileHeaderSize + kInfoHeaderSize || file[0] != 'B' || file[1] != 'M') return {};
    const std::uint32_t pixelsAt = U32(file, 10);
    const std::uint32_t headerSize = U32(file, 14);
    const std::int32_t width = I32(file, 18);
    const std::int32_t height = I32(file, 22);
    const std::uint32_t compression = U32(file, 30);
    if (headerSize < kInfoHeaderSize || U16(file, 26) != 1 || U16(file, 28) != 32 || width <= 0 ||
        height <= 0 || width > 0x4000 || height > 0x4000) {
        return {};
    }
    bool alpha = false;
    if (compression == kBitFields) {
        if (headerSize < kV4HeaderSize || file.size() < kFileHeaderSize + kV4HeaderSize) return {};
        for (std::size_t i = 0; i < kArgbMasks.size(); ++i) {
            if (U32(file, kFileHeaderSize + 40 + 4 * static_cast<qsizetype>(i)) != kArgbMasks[i])
                return {};
        }
        alpha = true;
    } else if (compression != kRgb) {
        return {};
    }
    const qsizetype rowSize = qsizetype{width} * 4;
    if (pixelsAt < kFileHeaderSize + headerSize || pixelsAt > static_cast<std::uint64_t>(file.size()) ||
        (file.size() - qsizetype{pixelsAt}) / rowSize < height) {
        return {};
    }
    // The rows are those of a 32-bit QImage, bottom-up: one copy turns them.
    const QImage rows(reinterpret_cast<const uchar*>(file.data() + pixelsAt), width, height, rowSize,
                      alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    QImage image = rows.mirrored();
    if constexpr (QSysInfo::ByteOrder == QSysInfo::BigEndian) {
        for (int y = 0; y < height; ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
            for (int x = 0; x < width; ++x) row[x] = qFromLittleEndian(row[x]);
        }
    }
    return image;
}

QString BuiltInPictureResource(const QString& path, int scale) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    QString name = dot < 0 ? path : path.left(dot);
    if (scale != 1) name += QStringLiteral("@%1x").arg(scale);
    return name + QStringLiteral(".bmp");
}

QPixmap BuiltInPicture(const QString& path) {
    if (ScreenRatio() > 1.0) {
        QPixmap sharp = LoadBuiltIn(BuiltInPictureResource(path, 2));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    QPixmap picture = LoadBuiltIn(BuiltInPictureResource(path, 1));
    if (picture.isNull()) {
        throw FatalError("built-in picture " + path.toStdString() + " is missing");
    }
    return picture;
}

}  // namespace soruberia::ui
