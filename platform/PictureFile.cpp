// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "platform/PictureFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

#include "content/ContentPaths.h"
#include "content/MediaLimits.h"
#include "content/PictureJudgement.h"

namespace soruberia::platform {
namespace {

PictureFault Fault(PictureFault::Kind kind, std::string reason = {}) {
    PictureFault fault;
    fault.kind = kind;
    fault.reason = std::move(reason);
    return fault;
}

PictureFault::Kind FaultOf(QImageReader::ImageReaderError error) {
    switch (error) {
        case QImageReader::DeviceError: return PictureFault::Kind::kCannotRead;
        case QImageReader::UnsupportedFormatError: return PictureFault::Kind::kUnknownFormat;
        case QImageReader::InvalidDataError: return PictureFault::Kind::kBrokenData;
        default: return PictureFault::Kind::kOther;
    }
}

}  // namespace

PictureDecoding DecodePictureFile(const std::string& fullPath) {
    const std::filesystem::path file = NativePath(fullPath);
    std::error_code error;
    const std::filesystem::file_type type = std::filesystem::status(file, error).type();
    if (type == std::filesystem::file_type::not_found) return Fault(PictureFault::Kind::kMissing);
    std::ifstream in(file, std::ios::binary);
    if (type != std::filesystem::file_type::regular || !in) return Fault(PictureFault::Kind::kCannotRead);
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error) return Fault(PictureFault::Kind::kCannotRead);
    // At most one byte more than the rule takes, so that it sees a file too
    // large without all of it being read.
    std::string bytes(static_cast<std::size_t>(std::min<std::uintmax_t>(size, media::kMaxPictureFileBytes + 1)), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) return Fault(PictureFault::Kind::kCannotRead);
    bytes.resize(static_cast<std::size_t>(in.gcount()));

    const media::PictureJudgement judgement = media::JudgePicture(bytes);
    if (!judgement.Accepted()) return Fault(PictureFault::Kind::kRefused, judgement.fault);

    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QImage image = reader.read();
    if (image.isNull()) return Fault(FaultOf(reader.error()));
    return image;
}

std::string DescribePictureFault(const PictureFault& fault) {
    switch (fault.kind) {
        case PictureFault::Kind::kMissing: return "ファイルがありません";
        case PictureFault::Kind::kCannotRead: return "ファイルを読めません";
        case PictureFault::Kind::kRefused: return fault.reason;
        case PictureFault::Kind::kUnknownFormat: return "画像として認識できない形式です";
        case PictureFault::Kind::kBrokenData: return "画像のデータが壊れています";
        case PictureFault::Kind::kOther: break;
    }
    return "画像を読み取れません";
}

}  // namespace soruberia::platform
