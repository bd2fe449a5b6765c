// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "check/MediaCheck.h"

#include <QImage>
#include <QImageReader>
#include <QString>

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>
#include <utility>

#include "content/ContentFile.h"
#include "content/ContentPaths.h"
#include "content/IonNames.h"
#include "ui/Twips.h"

namespace soruberia::check {

namespace {

namespace fs = std::filesystem;

// The game's sound channel refuses anything longer (ten minutes at 48 kHz).
constexpr sf_count_t kMaxFrames = sf_count_t{48000} * 600;

// An ion button's face; a larger picture loses its margins at the edges.
const int kButtonWidth = ui::TwipsToPixels(1530);
const int kButtonHeight = ui::TwipsToPixels(920);

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
        out.push_back({Severity::kError, display, 0, "cannot be opened: " + error.message() + consequence});
        return false;
    }
    if (!fs::is_regular_file(status)) {
        out.push_back({Severity::kError, display, 0,
                       "is not a file (" + role + " is expected here)" + consequence});
        return false;
    }
    return true;
}

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

}  // namespace

std::string MissingFileMessage(const std::string& fullPath, const std::string& role) {
    std::string message = "missing: " + role;
    const fs::path native = NativePath(fullPath);
    const std::string wanted = Lower(Utf8(native.filename()));
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(native.parent_path(), error)) {
        const std::string name = Utf8(entry.path().filename());
        if (Lower(name) == wanted) {
            message += "; the folder holds \"" + name +
                       "\", whose name differs in upper and lower case, and file names must "
                       "match exactly";
            break;
        }
    }
    return message;
}

std::vector<Finding> CheckPictures(const std::string& basePath) {
    struct Picture {
        std::string relative;
        std::string role;
        bool ionButton;
    };
    std::vector<Picture> pictures;
    for (int ion = 1; ion <= 12; ++ion) {
        const std::string button =
            "ion button " + std::to_string(ion) + " (" + std::string(IonName(ion)) + ")";
        pictures.push_back({IonPictureName(ion, false), "the picture of " + button, true});
        pictures.push_back(
            {IonPictureName(ion, true), "the picture of " + button + " once found", true});
    }
    pictures.push_back({std::string(paths::kMarkCorrect), "the mark of a correct press", false});
    pictures.push_back({std::string(paths::kMarkWrong), "the mark of a wrong press", false});

    std::vector<Finding> out;
    for (const Picture& picture : pictures) {
        const std::string fullPath = FullPath(basePath, picture.relative);
        if (!Present(fullPath, picture.role, "; the game stops when it needs it", out)) continue;
        const std::string display = DisplayPath(fullPath);
        // As the game loads it: QImageReader, straight from the file.
        QImageReader reader(QString::fromStdString(NativePath(fullPath).string()));
        const QImage image = reader.read();
        if (image.isNull()) {
            out.push_back({Severity::kError, display, 0,
                           "cannot be read as a picture (" + reader.errorString().toStdString() +
                               "); the game stops when it needs " + picture.role});
            continue;
        }
        if (picture.ionButton && (image.width() > kButtonWidth || image.height() > kButtonHeight)) {
            out.push_back({Severity::kWarning, display, 0,
                           "the picture is " + std::to_string(image.width()) + " x " +
                               std::to_string(image.height()) + " px, larger than the ion button (" +
                               std::to_string(kButtonWidth) + " x " +
                               std::to_string(kButtonHeight) +
                               " px), which cuts off its margins"});
        }
    }
    return out;
}

std::vector<Finding> CheckSounds(const std::string& basePath) {
    const std::pair<std::string_view, const char*> sounds[] = {
        {paths::kSoundCorrect, "the sound of a correct press"},
        {paths::kSoundWrong, "the sound of a wrong press"},
        {paths::kSoundBurst, "the sound of the bursting balloon"},
        {paths::kSoundFailure, "the sound after the balloon bursts"},
        {paths::kSoundPass, "the sound of passing"},
    };
    std::vector<Finding> out;
    for (const auto& [relative, role] : sounds) {
        const std::string fullPath = FullPath(basePath, relative);
        const std::string silent = "; the game plays on without it";
        if (!Present(fullPath, role, silent, out)) continue;
        const std::string display = DisplayPath(fullPath);
        auto fail = [&](const std::string& problem) {
            out.push_back({Severity::kError, display, 0, problem + silent});
        };
        // The checks of the game's sound channel, with the same decoder.
        SF_INFO info{};
        const std::unique_ptr<SNDFILE, SndfileCloser> file(
            sf_open(NativePath(fullPath).c_str(), SFM_READ, &info));
        if (!file) {
            fail("cannot be decoded as a sound (" + std::string(sf_strerror(nullptr)) + ")");
            continue;
        }
        if (info.channels < 1 || info.samplerate < 1) {
            fail("has no channels or no sample rate");
            continue;
        }
        if (info.frames < 1) {
            fail("holds no sound (0 samples)");
            continue;
        }
        if (info.frames > kMaxFrames) {
            fail("is too long (" + std::to_string(info.frames / info.samplerate) +
                 " s; the game plays sounds of up to 10 minutes at 48 kHz)");
            continue;
        }
        std::vector<float> chunk(4096 * static_cast<std::size_t>(info.channels));
        sf_count_t total = 0;
        for (;;) {
            const sf_count_t read = sf_readf_float(file.get(), chunk.data(), 4096);
            if (read <= 0) break;
            total += read;
        }
        if (total < 1) {
            fail("cannot be decoded as a sound (" + std::string(sf_strerror(file.get())) + ")");
        } else if (total < info.frames) {
            out.push_back({Severity::kWarning, display, 0,
                           "the sound data ends early: " + std::to_string(total) + " of " +
                               std::to_string(info.frames) +
                               " samples can be read, so the sound is cut short"});
        }
    }
    return out;
}

}  // namespace soruberia::check
