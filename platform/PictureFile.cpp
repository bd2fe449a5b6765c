// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "platform/PictureFile.h"

#include <QImageReader>
#include <QString>

#include "content/ContentPaths.h"

namespace soruberia::platform {
namespace {

PictureFault::Kind FaultOf(QImageReader::ImageReaderError error) {
    switch (error) {
        case QImageReader::FileNotFoundError: return PictureFault::Kind::kMissing;
        case QImageReader::DeviceError: return PictureFault::Kind::kCannotRead;
        case QImageReader::UnsupportedFormatError: return PictureFault::Kind::kUnknownFormat;
        case QImageReader::InvalidDataError: return PictureFault::Kind::kBrokenData;
        default: return PictureFault::Kind::kOther;
    }
}

}  // namespace

PictureDecoding DecodePictureFile(const std::string& fullPath) {
    const std::u8string native = NativePath(fullPath).u8string();
    QImageReader reader(QString::fromUtf8(reinterpret_cast<const char*>(native.data()),
                                          static_cast<qsizetype>(native.size())));
    QImage image = reader.read();
    if (image.isNull()) {
        PictureFault fault;
        fault.kind = FaultOf(reader.error());
        return fault;
    }
    return image;
}

std::string DescribePictureFault(const PictureFault& fault) {
    switch (fault.kind) {
        case PictureFault::Kind::kMissing: return "ファイルがありません";
        case PictureFault::Kind::kCannotRead: return "ファイルを読めません";
        case PictureFault::Kind::kUnknownFormat: return "画像として認識できない形式です";
        case PictureFault::Kind::kBrokenData: return "画像のデータが壊れています";
        case PictureFault::Kind::kOther: break;
    }
    return "画像を読み取れません";
}

}  // namespace soruberia::platform
