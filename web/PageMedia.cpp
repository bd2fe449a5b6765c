// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "web/PageMedia.h"

#include <cstdint>
#include <string>

#include "content/ContentMessages.h"
#include "content/PictureJudgement.h"
#include "web/PageSound.h"

namespace soruberia::web {

namespace {

// Why the page holds no bytes of a file: missing, or measured and left
// unread as too large.
std::string Unread(const PageFolder& folder, const std::string& fullPath) {
    if (!folder.TooLarge(fullPath)) return "ファイルがありません";
    const auto path = folder.PagePathOf(fullPath);
    ContentFailure failure;
    failure.fault = ContentFault::kTooLarge;
    failure.value = static_cast<std::int64_t>(PageFileLimit(path ? *path : std::string()));
    return DescribeFailure(failure);
}

}  // namespace

check::PictureDecoding PagePictureRule::Decode(const std::string& fullPath) {
    const std::string* bytes = folder_.Bytes(fullPath);
    if (bytes == nullptr) return check::MediaFault{Unread(folder_, fullPath)};
    const media::PictureJudgement judgement = media::JudgePicture(*bytes);
    if (!judgement.Accepted()) return check::MediaFault{judgement.fault};
    return check::PictureSize{judgement.width, judgement.height};
}

check::SoundDecoding PageSoundRule::Decode(const std::string& fullPath) {
    const std::string* bytes = folder_.Bytes(fullPath);
    if (bytes == nullptr) return check::MediaFault{Unread(folder_, fullPath)};
    const WavJudgement wav = JudgeWav(*bytes);
    if (!wav.Playable()) return check::MediaFault{wav.fault};
    return check::SoundShape{wav.frames, wav.announcedFrames, wav.channels, wav.rate};
}

}  // namespace soruberia::web
