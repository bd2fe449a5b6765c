// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The committed pictures and sounds in the form the game and its media
// services expect.

#include <gif_lib.h>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::string kPictures = std::string(SOURCE_ROOT) + "/data/図/";
const std::string kSounds = std::string(SOURCE_ROOT) + "/data/音/";

struct Gif {
    int width = 0;
    int height = 0;
    int transparentIndex = NO_TRANSPARENT_COLOR;
    std::vector<GifByteType> pixels;
    std::vector<GifColorType> palette;

    GifByteType At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    bool Transparent(int x, int y) const { return At(x, y) == transparentIndex; }
    // The colour that covers most of the picture.
    GifColorType Dominant() const {
        std::map<GifByteType, int> uses;
        for (auto p : pixels) ++uses[p];
        auto best = uses.begin();
        for (auto it = uses.begin(); it != uses.end(); ++it)
            if (it->second > best->second) best = it;
        return palette[best->first];
    }
};

Gif LoadGif(const std::string& path) {
    int error = 0;
    std::unique_ptr<GifFileType, void (*)(GifFileType*)> file(
        DGifOpenFileName(path.c_str(), &error), [](GifFileType* g) { DGifCloseFile(g, nullptr); });
    if (!file) throw std::runtime_error("cannot open " + path);
    if (DGifSlurp(file.get()) != GIF_OK || file->ImageCount != 1)
        throw std::runtime_error("not a single-frame GIF: " + path);
    const SavedImage& image = file->SavedImages[0];
    const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : file->SColorMap;
    Gif gif;
    gif.width = file->SWidth;
    gif.height = file->SHeight;
    const auto size = static_cast<std::size_t>(gif.width * gif.height);
    gif.pixels.assign(image.RasterBits, image.RasterBits + size);
    gif.palette.assign(map->Colors, map->Colors + map->ColorCount);
    GraphicsControlBlock control{};
    if (DGifSavedExtensionToGCB(file.get(), 0, &control) == GIF_OK)
        gif.transparentIndex = control.TransparentColor;
    return gif;
}

int Distance(const GifColorType& a, const GifColorType& b) {
    return std::abs(a.Red - b.Red) + std::abs(a.Green - b.Green) + std::abs(a.Blue - b.Blue);
}

TEST(PictureData, IonButtonsAreOpaqueAndFoundLooksUnlikePlain) {
    for (int n = 1; n <= 12; ++n) {
        const std::string number = std::to_string(n);
        SCOPED_TRACE("ion " + number);
        const Gif plain = LoadGif(kPictures + "ion(" + number + ").gif");
        const Gif found = LoadGif(kPictures + "ion'(" + number + ").gif");
        for (const Gif* gif : {&plain, &found}) {
            EXPECT_EQ(gif->width, 101);
            EXPECT_EQ(gif->height, 61);
            EXPECT_EQ(gif->transparentIndex, NO_TRANSPARENT_COLOR);
        }
        EXPECT_GT(Distance(plain.Dominant(), found.Dominant()), 300);
    }
}

TEST(PictureData, JudgementMarksFillTheirBoxWithATransparentGround) {
    const Gif maru = LoadGif(kPictures + "maru.gif");
    const Gif batu = LoadGif(kPictures + "batu.gif");
    for (const Gif* mark : {&maru, &batu}) {
        EXPECT_EQ(mark->width, 145);
        EXPECT_EQ(mark->height, 145);
        ASSERT_NE(mark->transparentIndex, NO_TRANSPARENT_COLOR);
        EXPECT_TRUE(mark->Transparent(0, 0));
        EXPECT_TRUE(mark->Transparent(144, 144));
    }
    // A ring: hollow in the middle, drawn at the middle of each side. A
    // cross: drawn in the middle, open at the middle of each side.
    EXPECT_TRUE(maru.Transparent(72, 72));
    EXPECT_FALSE(maru.Transparent(72, 15));
    EXPECT_FALSE(maru.Transparent(15, 72));
    EXPECT_FALSE(batu.Transparent(72, 72));
    EXPECT_TRUE(batu.Transparent(72, 15));
    EXPECT_TRUE(batu.Transparent(15, 72));
}

TEST(SoundData, ShortQuietAtBothEndsAndPeakingNearMinusOneDecibel) {
    for (const char* name : {"o.wav", "x.wav", "pan.wav", "dame.wav", "gokaku.wav"}) {
        SCOPED_TRACE(name);
        SF_INFO info{};
        SNDFILE* file = sf_open((kSounds + name).c_str(), SFM_READ, &info);
        ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
        std::vector<double> samples(static_cast<std::size_t>(info.frames));
        const sf_count_t read = sf_read_double(file, samples.data(), info.frames);
        sf_close(file);
        ASSERT_EQ(read, info.frames);

        EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        EXPECT_EQ(info.channels, 1);
        EXPECT_EQ(info.samplerate, 44100);
        EXPECT_GT(info.frames, 44100 / 10);
        EXPECT_LE(info.frames, 2 * 44100);

        double peak = 0.0;
        for (double s : samples) peak = std::max(peak, std::abs(s));
        EXPECT_NEAR(20.0 * std::log10(peak), -1.0, 0.3);
        // A sound that starts or stops at full swing clicks.
        EXPECT_LT(std::abs(samples.front()), 0.01);
        EXPECT_LT(std::abs(samples.back()), 0.01);
    }
}

}  // namespace
