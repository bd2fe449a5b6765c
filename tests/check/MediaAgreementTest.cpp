// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The checker judges every picture and sound as the game does: the same file
// is refused by both, for the same reason, or accepted by both. The game's
// sound channel plays into a PulseAudio server of the test's own.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include "check/core/DiskFolder.h"
#include "check/core/MediaCheck.h"
#include "check/qt/QtMedia.h"
#include "content/ContentFile.h"
#include "content/ContentPaths.h"
#include "content/FatalError.h"
#include "content/MediaLimits.h"
#include "platform/QtPicture.h"
#include "platform/SoundChannel.h"
#include "tests/support/PulseSandbox.h"

namespace soruberia {
namespace {

namespace fs = std::filesystem;

std::unique_ptr<QTemporaryDir> sandboxDir;
std::unique_ptr<testsupport::PulseSandbox> pulse;

// The server runs before anything opens an audio device: OpenAL Soft picks
// its backend once per process.
class PulseEnvironment : public testing::Environment {
public:
    void SetUp() override {
        sandboxDir = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(sandboxDir->isValid());
        try {
            pulse = std::make_unique<testsupport::PulseSandbox>(sandboxDir->path());
        } catch (const std::exception& error) {
            FAIL() << error.what();
        }
        setenv("PULSE_SERVER", pulse->Address().toLocal8Bit().constData(), 1);
        setenv("ALSOFT_DRIVERS", "pulse", 1);
    }
    void TearDown() override {
        pulse.reset();
        sandboxDir.reset();
    }
};

void WriteBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

std::string LittleEndian(std::uint64_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return out;
}

// Silence as 8-bit PCM WAV, the smallest file of a given length.
void WriteSilentWav(const fs::path& file, int channels, int rate, std::int64_t frames) {
    const auto dataBytes = static_cast<std::uint64_t>(frames) * static_cast<std::uint64_t>(channels);
    const auto blockAlign = static_cast<std::uint64_t>(channels);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << "RIFF" << LittleEndian(36 + dataBytes, 4) << "WAVE"                      //
        << "fmt " << LittleEndian(16, 4) << LittleEndian(1, 2)                      // PCM
        << LittleEndian(static_cast<std::uint64_t>(channels), 2)                    //
        << LittleEndian(static_cast<std::uint64_t>(rate), 4)                        //
        << LittleEndian(static_cast<std::uint64_t>(rate) * blockAlign, 4)           //
        << LittleEndian(blockAlign, 2) << LittleEndian(8, 2)                        //
        << "data" << LittleEndian(dataBytes, 4);
    const std::string chunk(1 << 20, '\x80');
    for (std::uint64_t left = dataBytes; left > 0;) {
        const std::uint64_t n = std::min<std::uint64_t>(left, chunk.size());
        out.write(chunk.data(), static_cast<std::streamsize>(n));
        left -= n;
    }
}

// A program folder with 図 and 音 and nothing in them.
class MediaFolder {
public:
    MediaFolder() {
        fs::create_directories(Root() / fs::path(u8"図"));
        fs::create_directories(Root() / fs::path(u8"音"));
    }
    std::string Base() const { return dir_.path().toStdString(); }
    fs::path Root() const { return fs::path(Base()); }
    std::string FullPath(std::string_view relative) const { return soruberia::FullPath(Base(), relative); }
    fs::path File(std::string_view relative) const { return NativePath(FullPath(relative)); }

private:
    QTemporaryDir dir_;
};

// The checker's error for the file, if it has one.
// The checker's view, through the decoders the Linux checker is built with.
std::vector<Finding> CheckPictures(const std::string& basePath) {
    check::DiskFolder disk;
    check::QtPictureDecoder decoder;
    return check::CheckPictures(basePath, disk, decoder);
}

std::vector<Finding> CheckSounds(const std::string& basePath) {
    check::DiskFolder disk;
    check::SndfileSoundDecoder decoder;
    return check::CheckSounds(basePath, disk, decoder);
}

// What the checker says of the file: an error for a picture (the game
// stops), a warning for a sound (the game plays on without it).
std::optional<std::string> CheckerError(const std::vector<Finding>& findings,
                                        const std::string& fullPath) {
    for (const Finding& f : findings) {
        if (f.file == DisplayPath(fullPath) && f.severity != Severity::kNote) return f.message;
    }
    return std::nullopt;
}

// The reason in "<head> (<reason>)…", as the game and the checker both write it.
std::string Reason(const std::string& message, const std::string& head) {
    const std::size_t open = message.find(head + " (");
    if (open == std::string::npos) return "";
    const std::size_t from = open + head.size() + 2;
    const std::size_t close = message.rfind(')');
    return close == std::string::npos || close < from ? "" : message.substr(from, close - from);
}

// A 1 x 1 GIF.
const std::string kTinyGif(
    "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00"
    "!\xf9\x04\x01\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
    43);

std::string PngBytes() {
    const QTemporaryDir dir;
    const QString file = dir.path() + "/p.png";
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::green);
    image.save(file, "PNG");
    std::ifstream in(file.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(MediaAgreement, PictureIsRefusedByTheGameExactlyWhenTheCheckerRefusesIt) {
    struct Case {
        const char* what;
        std::string bytes;
        bool shown;
    };
    const std::string png = PngBytes();
    const Case cases[] = {
        {"a GIF", kTinyGif, true},
        {"a PNG named .gif", png, true},
        {"a GIF cut short", kTinyGif.substr(0, 20), false},
        {"a PNG cut short", png.substr(0, 40), false},
        {"text", "GIF89a is not enough\n", false},
        {"an empty file", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MediaFolder folder;
        const std::string fullPath = folder.FullPath(paths::kMarkCorrect);
        WriteBytes(folder.File(paths::kMarkCorrect), c.bytes);

        std::optional<std::string> gameError;
        try {
            platform::QtPictureLoader().Load(fullPath);
        } catch (const FatalError& e) {
            gameError = e.what();
        }
        const std::optional<std::string> checkerError =
            CheckerError(CheckPictures(folder.Base()), fullPath);

        EXPECT_EQ(!gameError.has_value(), c.shown) << gameError.value_or("");
        ASSERT_EQ(gameError.has_value(), checkerError.has_value()) << checkerError.value_or("");
        if (gameError) {
            const std::string reason = Reason(*gameError, "画像を読み込めません: " + DisplayPath(fullPath));
            EXPECT_NE(reason, "");
            EXPECT_EQ(Reason(*checkerError, "画像を読み込めません"), reason) << *checkerError;
        }
    }
}

TEST(MediaAgreement, SoundIsRefusedByTheGameExactlyWhenTheCheckerRefusesIt) {
    struct Case {
        const char* what;
        int channels;
        int rate;
        std::int64_t frames;
        bool played;
    };
    constexpr std::int64_t kLimitStereoFrames = media::kMaxSoundSamples / 2;
    const Case cases[] = {
        {"six minutes of 48 kHz stereo", 2, 48000, std::int64_t{48000} * 360, false},
        {"five minutes of 48 kHz stereo, just within the limit", 2, 48000, kLimitStereoFrames, true},
        {"one frame beyond the limit", 2, 48000, kLimitStereoFrames + 1, false},
        {"six minutes of 48 kHz mono", 1, 48000, std::int64_t{48000} * 360, true},
        {"no frames", 1, 8000, 0, false},
        {"text", 0, 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MediaFolder folder;
        const std::string fullPath = folder.FullPath(paths::kSoundCorrect);
        if (c.channels == 0) {
            WriteBytes(folder.File(paths::kSoundCorrect), "RIFF....WAVEjunk");
        } else {
            WriteSilentWav(folder.File(paths::kSoundCorrect), c.channels, c.rate, c.frames);
        }

        testing::internal::CaptureStderr();
        {
            platform::SoundChannel channel;
            channel.Play(fullPath);
            channel.Stop();
        }
        const std::string gameReport = testing::internal::GetCapturedStderr();
        const std::optional<std::string> checkerError =
            CheckerError(CheckSounds(folder.Base()), fullPath);

        const std::string head = "ソルベリア: 音を鳴らせません: " + DisplayPath(fullPath);
        const bool gameRefused = gameReport.find(head) != std::string::npos;
        EXPECT_EQ(!gameRefused, c.played) << gameReport;
        ASSERT_EQ(gameRefused, checkerError.has_value()) << gameReport << checkerError.value_or("");
        if (gameRefused) {
            const std::string line = gameReport.substr(gameReport.find(head));
            const std::string reason = Reason(line.substr(0, line.find('\n')), head);
            EXPECT_NE(reason, "");
            EXPECT_EQ(Reason(*checkerError, "音を鳴らせません"), reason) << *checkerError;
        }
    }
}

}  // namespace
}  // namespace soruberia

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    testing::AddGlobalTestEnvironment(new soruberia::PulseEnvironment);
    return RUN_ALL_TESTS();
}
