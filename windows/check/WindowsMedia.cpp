// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/check/WindowsMedia.h"

#include <algorithm>
#include <memory>

#include "content/ContentFile.h"
#include "content/FatalError.h"
#include "content/MediaLimits.h"
#include "windows/platform/FileBytes.h"
#include "windows/platform/WavDecoder.h"

namespace soruberia::windows {

namespace {

// The sound channel refuses larger files unread.
constexpr std::size_t kMaxSoundFileBytes =
    static_cast<std::size_t>(media::kMaxSoundSamples) * 8u + (1u << 20);

std::uint32_t Le(std::string_view bytes, std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i) {
        value |= std::uint32_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
    }
    return value;
}

}  // namespace

check::PictureDecoding WicPictureDecoder::Decode(const std::string& fullPath) {
    try {
        const engine::PicturePtr picture = loader_.Load(fullPath);
        const auto* bitmap = dynamic_cast<const WinPicture*>(picture.get());
        if (bitmap == nullptr) return check::MediaFault{"画像を解読できません"};
        return check::PictureSize{bitmap->Width(), bitmap->Height()};
    } catch (const FatalError& failure) {
        // The loader names the file; the report names it already.
        std::string reason = failure.what();
        const std::string head = "画像を読み込めません: " + DisplayPath(fullPath) + " (";
        if (reason.rfind(head, 0) == 0 && reason.size() > head.size() && reason.back() == ')') {
            reason = reason.substr(head.size(), reason.size() - head.size() - 1);
        }
        return check::MediaFault{reason};
    }
}

check::SoundDecoding WavSoundDecoder::Decode(const std::string& fullPath) {
    const FileBytes file = ReadFileBytes(fullPath, kMaxSoundFileBytes);
    if (!file.problem.empty()) return check::MediaFault{file.problem};
    const DecodedWav wav = DecodeWav(file.bytes);
    if (!wav.problem.empty()) return check::MediaFault{wav.problem};
    // The channel plays every sound as stereo.
    const auto frames = static_cast<std::int64_t>(wav.pcm.samples.size() / 2);
    return check::SoundShape{frames, std::max(frames, AnnouncedWavFrames(file.bytes)), 2, wav.pcm.rate};
}

std::int64_t AnnouncedWavFrames(std::string_view file) {
    std::uint32_t blockAlign = 0;
    for (std::size_t at = 12; at + 8 <= file.size();) {
        const std::string_view id = file.substr(at, 4);
        const std::uint32_t size = Le(file, at + 4, 4);
        if (id == "fmt " && at + 8 + 14 <= file.size()) blockAlign = Le(file, at + 8 + 12, 2);
        if (id == "data") return blockAlign == 0 ? 0 : std::int64_t{size} / blockAlign;
        if (size > file.size() - at - 8) break;
        at += 8 + std::size_t{size} + (size & 1u);
    }
    return 0;
}

}  // namespace soruberia::windows
