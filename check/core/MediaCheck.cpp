// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "check/core/MediaCheck.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>
#include <variant>

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

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

// Checks that the file is there and is a file; false (with a finding) if not.
bool Present(const std::string& fullPath, const std::string& role, const std::string& consequence,
             std::vector<Finding>& out) {
    const fs::path native = NativePath(fullPath);
    std::error_code error;
    const fs::file_status status = fs::status(native, error);
    const std::string display = DisplayPath(fullPath);
    if (status.type() == fs::file_type::not_found) {
        out.push_back({Severity::kError, display, 0, MissingFileMessage(fullPath, role) + consequence});
        return false;
    }
    if (error) {
        out.push_back({Severity::kError, display, 0,
                       "ファイルを開けません (" + error.message() + ")" + consequence});
        return false;
    }
    if (!fs::is_regular_file(status)) {
        out.push_back({Severity::kError, display, 0,
                       "ファイルではありません (ここには" + role + "が要ります)" + consequence});
        return false;
    }
    return true;
}

}  // namespace

std::string MissingFileMessage(const std::string& fullPath, const std::string& role) {
    std::string message = "ファイルがありません (" + role + ")";
    const fs::path native = NativePath(fullPath);
    const std::string wanted = Lower(Utf8(native.filename()));
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(native.parent_path(), error)) {
        const std::string name = Utf8(entry.path().filename());
        if (Lower(name) == wanted) {
            message += "。フォルダーにあるのは大文字と小文字だけが違う「" + name +
                       "」です。ファイル名は大文字と小文字まで一致させてください";
            break;
        }
    }
    return message;
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
        if (!Present(fullPath, picture.role, kPictureNeeded, out)) continue;
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
                               " px) より大きいため、縁が切れて見えます"});
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
    std::vector<Finding> out;
    for (const auto& [relative, role] : sounds) {
        const std::string fullPath = FullPath(basePath, relative);
        if (!Present(fullPath, role, kSoundSkipped, out)) continue;
        const std::string display = DisplayPath(fullPath);
        // As the game's sound channel decodes it.
        const SoundDecoding decoding = decoder.Decode(fullPath);
        if (const auto* fault = std::get_if<MediaFault>(&decoding)) {
            out.push_back({Severity::kError, display, 0,
                           "音を鳴らせません (" + fault->reason + ")" + kSoundSkipped});
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
