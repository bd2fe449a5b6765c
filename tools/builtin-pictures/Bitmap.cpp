// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tools/builtin-pictures/Bitmap.h"

#include <QRgb>

#include <cstdint>

namespace soruberia::pictures {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;   // BITMAPINFOHEADER
constexpr std::uint32_t kV5HeaderSize = 124;    // BITMAPV5HEADER
constexpr std::uint32_t kRgb = 0;               // BI_RGB
constexpr std::uint32_t kBitFields = 3;         // BI_BITFIELDS
constexpr std::uint32_t kSrgb = 0x73524742;     // LCS_sRGB, 'sRGB'
constexpr std::uint32_t kPerceptual = 4;        // LCS_GM_IMAGES
constexpr std::int32_t kPixelsPerMetre = 3780;  // 96 dpi

class Writer {
public:
    void U16(std::uint32_t value) {
        Byte(value);
        Byte(value >> 8);
    }
    void U32(std::uint32_t value) {
        U16(value & 0xFFFF);
        U16(value >> 16);
    }
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
    void Byte(std::uint32_t value) { bytes_.append(static_cast<char>(value & 0xFF)); }
    void Zeros(std::uint32_t count) { bytes_.append(static_cast<qsizetype>(count), '\0'); }
    QByteArray Take() { return std::move(bytes_); }
    void Reserve(std::uint32_t size) { bytes_.reserve(static_cast<qsizetype>(size)); }

private:
    QByteArray bytes_;
};

}  // namespace

QByteArray EncodeBitmap(const QImage& picture) {
    const bool alpha = picture.hasAlphaChannel();
    const QImage image = picture.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const auto width = static_cast<std::uint32_t>(image.width());
    const auto height = static_cast<std::uint32_t>(image.height());
    const std::uint32_t rowSize = width * 4;
    const std::uint32_t headerSize = alpha ? kV5HeaderSize : kInfoHeaderSize;
    const std::uint32_t pixelsAt = kFileHeaderSize + headerSize;
    const std::uint32_t fileSize = pixelsAt + rowSize * height;

    Writer out;
    out.Reserve(fileSize);
    // BITMAPFILEHEADER
    out.Byte('B');
    out.Byte('M');
    out.U32(fileSize);
    out.U32(0);
    out.U32(pixelsAt);
    // BITMAPINFOHEADER, the first part of BITMAPV5HEADER
    out.U32(headerSize);
    out.I32(image.width());
    out.I32(image.height());  // positive: bottom-up
    out.U16(1);
    out.U16(32);  // bits a pixel
    out.U32(alpha ? kBitFields : kRgb);
    out.U32(rowSize * height);
    out.I32(kPixelsPerMetre);
    out.I32(kPixelsPerMetre);
    out.U32(0);
    out.U32(0);
    if (alpha) {
        out.U32(0x00FF0000);  // red, green, blue and alpha masks
        out.U32(0x0000FF00);
        out.U32(0x000000FF);
        out.U32(0xFF000000);
        out.U32(kSrgb);
        out.Zeros(36 + 12);   // endpoints and gamma, unused with sRGB
        out.U32(kPerceptual);
        out.Zeros(12);        // no profile, reserved
    }
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (std::uint32_t x = 0; x < width; ++x) out.U32(row[x]);  // 0xAARRGGBB
    }
    return out.Take();
}

}  // namespace soruberia::pictures
