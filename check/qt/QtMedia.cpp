// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "check/qt/QtMedia.h"

#include <QImage>

#include "platform/PictureFile.h"
#include "platform/SoundFile.h"

namespace soruberia::check {

PictureDecoding QtPictureDecoder::Decode(const std::string& fullPath) {
    const platform::PictureDecoding decoding = platform::DecodePictureFile(fullPath);
    if (const auto* fault = std::get_if<platform::PictureFault>(&decoding)) {
        return MediaFault{platform::DescribePictureFault(*fault)};
    }
    const QImage& image = std::get<QImage>(decoding);
    return PictureSize{image.width(), image.height()};
}

SoundDecoding SndfileSoundDecoder::Decode(const std::string& fullPath) {
    const platform::SoundDecoding decoding = platform::DecodeSoundFile(fullPath);
    if (const auto* fault = std::get_if<platform::SoundFault>(&decoding)) {
        return MediaFault{platform::DescribeSoundFault(*fault)};
    }
    const auto& sound = std::get<platform::DecodedSound>(decoding);
    return SoundShape{sound.Frames(), sound.announcedFrames, sound.channels, sound.rate};
}

}  // namespace soruberia::check
