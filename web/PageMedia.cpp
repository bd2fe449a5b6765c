// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "web/PageMedia.h"

#include <string>

#include "content/PictureJudgement.h"
#include "web/PageSound.h"

namespace soruberia::web {

check::PictureDecoding PagePictureRule::Decode(const std::string& fullPath) {
    const std::string* bytes = folder_.Bytes(fullPath);
    if (bytes == nullptr) return check::MediaFault{"ファイルがありません"};
    const media::PictureJudgement judgement = media::JudgePicture(*bytes);
    if (!judgement.Accepted()) return check::MediaFault{judgement.fault};
    return check::PictureSize{judgement.width, judgement.height};
}

check::SoundDecoding PageSoundRule::Decode(const std::string& fullPath) {
    const std::string* bytes = folder_.Bytes(fullPath);
    if (bytes == nullptr) return check::MediaFault{"ファイルがありません"};
    const WavJudgement wav = JudgeWav(*bytes);
    if (!wav.Playable()) return check::MediaFault{wav.fault};
    return check::SoundShape{wav.frames, wav.announcedFrames, wav.channels, wav.rate};
}

}  // namespace soruberia::web
