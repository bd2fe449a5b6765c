// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "check/core/MediaCheck.h"

#include <string_view>
#include <utility>
#include <variant>

#include "check/core/NearTwin.h"
#include "content/ContentPaths.h"
#include "content/IonNames.h"
#include "layout/GameLayout.h"
#include "layout/Units.h"

namespace soruberia::check {

namespace {

// An ion button's face at 96 dpi.
constexpr int kButtonWidth = layout::TwipsToPixels(layout::kIonButtonWidth);
constexpr int kButtonHeight = layout::TwipsToPixels(layout::kIonButtonHeight);

const std::string kPictureNeeded = "。ゲームはこの画像が要る場面で止まります";
const std::string kSoundSkipped = "。ゲームはこの音を鳴らさずに続きます";

// Checks that the file is there and is a file; false (with a finding of
// `severity`) if not.
bool Present(const std::string& fullPath, ContentFolder& folder, const std::string& role,
             const std::string& consequence, Severity severity, std::vector<Finding>& out) {
    const ContentFolder::Entry entry = folder.Look(fullPath);
    const std::string display = folder.Display(fullPath);
    if (entry.kind == ContentFolder::Kind::kMissing) {
        out.push_back({severity, display, 0, MissingFileMessage(fullPath, role, folder) + consequence});
        return false;
    }
    if (entry.kind == ContentFolder::Kind::kUnreadable) {
        out.push_back({severity, display, 0, "ファイルを開けません (" + entry.problem + ")" + consequence});
        return false;
    }
    if (entry.kind != ContentFolder::Kind::kFile) {
        out.push_back({severity, display, 0,
                       "ファイルではありません (ここには" + role + "が要ります)" + consequence});
        return false;
    }
    return true;
}

// Whether the file begins as a WAV file does: "RIFF", a size, "WAVE".
bool StartsAsWav(const std::string& fullPath, ContentFolder& folder) {
    const std::string head = folder.Head(fullPath, 12);
    return head.size() == 12 && head.starts_with("RIFF") && head.ends_with("WAVE");
}

}  // namespace

std::string MissingFileMessage(const std::string& fullPath, const std::string& role,
                               ContentFolder& folder) {
    return "ファイルがありません (" + role + ")" + NearTwinAdvice(fullPath, folder);
}

std::vector<Finding> CheckPictures(const std::string& basePath, ContentFolder& folder,
                                   PictureDecoder& decoder) {
    struct Picture {
        std::string relative;
        std::string role;
        bool ionButton;
    };
    std::vector<Picture> pictures;
    for (int ion = 1; ion <= 12; ++ion) {
        const std::string button = "イオンボタン " + std::to_string(ion) + " (" + std::string(IonName(ion)) + ")";
        pictures.push_back({IonPictureName(ion, false), button + " の画像", true});
        pictures.push_back({IonPictureName(ion, true), button + " の正解後の画像", true});
    }
    pictures.push_back({std::string(paths::kMarkCorrect), "正解の印の画像", false});
    pictures.push_back({std::string(paths::kMarkWrong), "不正解の印の画像", false});

    std::vector<Finding> out;
    for (const Picture& picture : pictures) {
        const std::string fullPath = FullPath(basePath, picture.relative);
        if (!Present(fullPath, folder, picture.role, kPictureNeeded, Severity::kError, out)) continue;
        const std::string display = folder.Display(fullPath);
        // The game's own decoder, with its acceptance.
        const PictureDecoding decoding = decoder.Decode(fullPath);
        if (const auto* fault = std::get_if<MediaFault>(&decoding)) {
            out.push_back({Severity::kError, display, 0,
                           "画像を読み込めません (" + fault->reason + ")" + kPictureNeeded});
            continue;
        }
        const PictureSize& image = std::get<PictureSize>(decoding);
        if (picture.ionButton && (image.width > kButtonWidth || image.height > kButtonHeight)) {
            out.push_back({Severity::kWarning, display, 0,
                           "画像が " + std::to_string(image.width) + " x " +
                               std::to_string(image.height) + " px で、イオンボタン (" +
                               std::to_string(kButtonWidth) + " x " +
                               std::to_string(kButtonHeight) +
                               " px) より大きいため、ゲームでは真ん中の " + std::to_string(kButtonWidth) + " x " +
                               std::to_string(kButtonHeight) + " px だけが見えます"});
        }
    }
    return out;
}

std::vector<Finding> CheckSounds(const std::string& basePath, ContentFolder& folder,
                                 SoundDecoder& decoder) {
    const std::pair<std::string_view, const char*> sounds[] = {
        {paths::kSoundCorrect, "正解の音"},
        {paths::kSoundWrong, "不正解の音"},
        {paths::kSoundBurst, "風船が割れる音"},
        {paths::kSoundFailure, "風船が割れた後の音"},
        {paths::kSoundPass, "合格の音"},
    };
    // The game plays on without a sound it cannot play: a warning.
    std::vector<Finding> out;
    for (const auto& [relative, role] : sounds) {
        const std::string fullPath = FullPath(basePath, relative);
        if (!Present(fullPath, folder, role, kSoundSkipped, Severity::kWarning, out)) continue;
        const std::string display = folder.Display(fullPath);
        // As the game's sound channel decodes it. Another kind of file named
        // .wav, an MP3 most often, is said in one way, whatever words the
        // platform's decoder has for it.
        const SoundDecoding decoding = decoder.Decode(fullPath);
        if (const auto* fault = std::get_if<MediaFault>(&decoding)) {
            out.push_back({Severity::kWarning, display, 0,
                           (StartsAsWav(fullPath, folder) ? "音を鳴らせません (" + fault->reason + ")"
                                                  : std::string("WAV ファイルではありません（MP3 など別の形式のファイルは、"
                                                                "名前を .wav にしても WAV にはなりません。WAV 形式で"
                                                                "書き出してください）")) +
                               kSoundSkipped});
            continue;
        }
        const SoundShape& sound = std::get<SoundShape>(decoding);
        if (sound.frames < sound.announcedFrames) {
            out.push_back({Severity::kWarning, display, 0,
                           "音のデータが途中で終わっています: " +
                               std::to_string(sound.announcedFrames) + " フレームのうち " +
                               std::to_string(sound.frames) +
                               " フレームしか読めないため、音が途中で切れます"});
        }
    }
    return out;
}

}  // namespace soruberia::check
