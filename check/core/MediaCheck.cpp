// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "check/core/MediaCheck.h"

#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>
#include <utility>
#include <variant>

#include "check/core/NearTwin.h"
#include "content/ContentFile.h"
#include "content/ContentPaths.h"
#include "content/IonNames.h"
#include "layout/GameLayout.h"
#include "layout/Units.h"

namespace soruberia::check {

namespace {

namespace fs = std::filesystem;

// An ion button's face at 96 dpi.
constexpr int kButtonWidth = layout::TwipsToPixels(layout::kIonButtonWidth);
constexpr int kButtonHeight = layout::TwipsToPixels(layout::kIonButtonHeight);

const std::string kPictureNeeded = "。ゲームはこの画像が要る場面で止まります";
const std::string kSoundSkipped = "。ゲームはこの音を鳴らさずに続きます";

// Checks that the file is there and is a file; false (with a finding of
// `severity`) if not.
bool Present(const std::string& fullPath, const std::string& role, const std::string& consequence,
             Severity severity, std::vector<Finding>& out) {
    const fs::path native = NativePath(fullPath);
    std::error_code error;
    const fs::file_status status = fs::status(native, error);
    const std::string display = DisplayPath(fullPath);
    if (status.type() == fs::file_type::not_found) {
        out.push_back({severity, display, 0, MissingFileMessage(fullPath, role) + consequence});
        return false;
    }
    if (error) {
        out.push_back({severity, display, 0, "ファイルを開けません (" + error.message() + ")" + consequence});
        return false;
    }
    if (!fs::is_regular_file(status)) {
        out.push_back({severity, display, 0,
                       "ファイルではありません (ここには" + role + "が要ります)" + consequence});
        return false;
    }
    return true;
}

// Whether the file begins as a WAV file does: "RIFF", a size, "WAVE".
bool StartsAsWav(const std::string& fullPath) {
    std::ifstream in(NativePath(fullPath), std::ios::binary);
    char head[12] = {};
    if (!in.read(head, sizeof head)) return false;
    return std::string_view(head, 4) == "RIFF" && std::string_view(head + 8, 4) == "WAVE";
}

}  // namespace

std::string MissingFileMessage(const std::string& fullPath, const std::string& role) {
    return "ファイルがありません (" + role + ")" + NearTwinAdvice(fullPath);
}

std::vector<Finding> CheckPictures(const std::string& basePath, PictureDecoder& decoder) {
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
        if (!Present(fullPath, picture.role, kPictureNeeded, Severity::kError, out)) continue;
        const std::string display = DisplayPath(fullPath);
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

std::vector<Finding> CheckSounds(const std::string& basePath, SoundDecoder& decoder) {
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
        if (!Present(fullPath, role, kSoundSkipped, Severity::kWarning, out)) continue;
        const std::string display = DisplayPath(fullPath);
        // As the game's sound channel decodes it. Another kind of file named
        // .wav, an MP3 most often, is said in one way, whatever words the
        // platform's decoder has for it.
        const SoundDecoding decoding = decoder.Decode(fullPath);
        if (const auto* fault = std::get_if<MediaFault>(&decoding)) {
            out.push_back({Severity::kWarning, display, 0,
                           (StartsAsWav(fullPath) ? "音を鳴らせません (" + fault->reason + ")"
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
