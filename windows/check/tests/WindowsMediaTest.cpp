// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The Windows checker's pictures and sounds: decoded by the game's own
// loaders, refused for the reasons the game gives.

#include <gtest/gtest.h>

#include <objbase.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <variant>

#include "content/ContentFile.h"
#include "content/FatalError.h"
#include "content/IonNames.h"
#include "content/ContentPaths.h"
#include "windows/check/WindowsMedia.h"
#include "windows/tests/TempFolder.h"
#include "windows/tests/WavFiles.h"

namespace soruberia::windows {
namespace {

using test::DataFile;
using test::TempFolder;

class ComStarted : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    void TearDown() override { CoUninitialize(); }
};

using WindowsPictures = ComStarted;

// Every picture of data/ at the size its GIF header gives.
TEST_F(WindowsPictures, DefaultPicturesAtTheirSize) {
    const TempFolder folder;
    WicPictureDecoder decoder;
    std::vector<std::string> names = {"\\図\\maru.gif", "\\図\\batu.gif"};
    for (int ion = 1; ion <= 12; ++ion) {
        names.push_back(IonPictureName(ion, false));
        names.push_back(IonPictureName(ion, true));
    }
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        std::string relative = name.substr(1);
        std::replace(relative.begin(), relative.end(), '\\', '/');
        const std::string bytes = DataFile(relative);
        folder.Write(name, bytes);
        const check::PictureDecoding decoding = decoder.Decode(folder.Full(name));
        ASSERT_TRUE(std::holds_alternative<check::PictureSize>(decoding));
        const auto size = std::get<check::PictureSize>(decoding);
        const auto le16 = [&bytes](std::size_t at) {
            return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
        };
        EXPECT_EQ(size.width, le16(6));
        EXPECT_EQ(size.height, le16(8));
    }
}

// The reason is the game's, without the file name the report gives already.
TEST_F(WindowsPictures, RefusedForTheGamesReason) {
    const TempFolder folder;
    WicPictureDecoder decoder;
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"text", "GIF89a not really"},
        {"an empty file", ""},
        {"a GIF cut short", DataFile("図/maru.gif").substr(0, 20)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        folder.Write("\\図\\batu.gif", c.bytes);
        const std::string fullPath = folder.Full("\\図\\batu.gif");
        std::string game;
        try {
            WicPictureLoader().Load(fullPath);
        } catch (const FatalError& failure) {
            game = failure.what();
        }
        const check::PictureDecoding decoding = decoder.Decode(fullPath);
        ASSERT_TRUE(std::holds_alternative<check::MediaFault>(decoding));
        const std::string reason = std::get<check::MediaFault>(decoding).reason;
        EXPECT_NE(reason, "");
        EXPECT_EQ(reason.find("batu.gif"), std::string::npos) << reason;
        EXPECT_EQ(game, "画像を読み込めません: " + DisplayPath(fullPath) + " (" + reason + ")");
    }
}

TEST(WindowsSounds, DecodedAsTheChannelPlaysThem) {
    const TempFolder folder;
    WavSoundDecoder decoder;
    const std::string mono = test::Wav({1, 1, 8000, 16}, test::Int16Samples({1, 2, 3, 4, 5, 6}));
    const std::string stereo = test::Wav({1, 2, 22050, 16}, test::Int16Samples({1, 2, 3, 4}));
    std::string cut = mono;
    cut.resize(cut.size() - 4);  // the last two samples lost, the header unchanged
    const struct {
        const char* name;
        std::string bytes;
        std::int64_t frames;
        std::int64_t announced;
        int rate;
        std::string fault;
    } cases[] = {
        {"mono", mono, 6, 6, 8000, ""},
        {"stereo", stereo, 2, 2, 22050, ""},
        {"cut short", cut, 4, 6, 8000, ""},
        {"default o.wav", DataFile("音/o.wav"), -1, -1, 0, ""},
        {"not a WAV file", "RIFF....WAVEjunk", 0, 0, 0, "音の形式が書かれていません"},
        {"text", "hello", 0, 0, 0, "WAV ファイルではありません"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        folder.Write("\\音\\o.wav", c.bytes);
        const check::SoundDecoding decoding = decoder.Decode(folder.Full("\\音\\o.wav"));
        if (!c.fault.empty()) {
            ASSERT_TRUE(std::holds_alternative<check::MediaFault>(decoding));
            EXPECT_EQ(std::get<check::MediaFault>(decoding).reason, c.fault);
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<check::SoundShape>(decoding));
        const auto shape = std::get<check::SoundShape>(decoding);
        if (c.frames < 0) {
            EXPECT_GT(shape.frames, 0);
            EXPECT_EQ(shape.announcedFrames, shape.frames);
            continue;
        }
        EXPECT_EQ(shape.frames, c.frames);
        EXPECT_EQ(shape.announcedFrames, c.announced);
        EXPECT_EQ(shape.rate, c.rate);
    }
}

TEST(WindowsSounds, MissingFileIsTheFileReadersProblem) {
    const TempFolder folder;
    WavSoundDecoder decoder;
    const check::SoundDecoding decoding = decoder.Decode(folder.Full("\\音\\x.wav"));
    ASSERT_TRUE(std::holds_alternative<check::MediaFault>(decoding));
    EXPECT_EQ(std::get<check::MediaFault>(decoding).reason, "ファイルがありません");
}

}  // namespace
}  // namespace soruberia::windows
