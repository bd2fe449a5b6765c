// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>
#include <objbase.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "content/ContentFile.h"
#include "content/ContentPaths.h"
#include "content/FatalError.h"
#include "windows/platform/WicPicture.h"
#include "windows/tests/TempFolder.h"

namespace soruberia::windows {
namespace {

using test::TempFolder;

// A GIF of at most four colours, written without compression: a clear code
// before every second pixel keeps the code width at three bits.
std::string Gif(int width, int height, const std::vector<int>& indices,
                const std::array<std::uint32_t, 4>& palette, std::optional<int> transparent) {
    std::string out = "GIF89a";
    const auto le16 = [&out](int value) {
        out += static_cast<char>(value & 0xFF);
        out += static_cast<char>(value >> 8 & 0xFF);
    };
    le16(width);
    le16(height);
    out += "\x91";  // a global table of 4 colours
    out += std::string(2, '\0');
    for (const std::uint32_t rgb : palette) {
        out += static_cast<char>(rgb >> 16 & 0xFF);
        out += static_cast<char>(rgb >> 8 & 0xFF);
        out += static_cast<char>(rgb & 0xFF);
    }
    if (transparent) {
        out += "\x21\xF9\x04\x01";
        out += std::string(2, '\0');
        out += static_cast<char>(*transparent);
        out += '\0';
    }
    out += '\x2C';
    le16(0);
    le16(0);
    le16(width);
    le16(height);
    out += '\0';
    out += '\x02';  // LZW minimum code size

    std::vector<int> codes;
    for (std::size_t i = 0; i < indices.size(); ++i) {
        if (i % 2 == 0) codes.push_back(4);  // clear
        codes.push_back(indices[i]);
    }
    codes.push_back(5);  // end of information
    std::string data;
    unsigned bits = 0;
    int count = 0;
    for (const int code : codes) {
        bits |= static_cast<unsigned>(code) << count;
        count += 3;
        while (count >= 8) {
            data += static_cast<char>(bits & 0xFF);
            bits >>= 8;
            count -= 8;
        }
    }
    if (count > 0) data += static_cast<char>(bits & 0xFF);
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::string block = data.substr(at, 255);
        out += static_cast<char>(block.size());
        out += block;
    }
    out += '\0';
    out += '\x3B';
    return out;
}

constexpr std::array<std::uint32_t, 4> kPalette{0x00FF00, 0xFF0000, 0x0000FF, 0xFFFFFF};

class PictureLoaderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    void TearDown() override { CoUninitialize(); }

    std::shared_ptr<const WinPicture> Load(const std::string& relative) {
        auto picture = std::dynamic_pointer_cast<const WinPicture>(loader().Load(folder.Full(relative)));
        EXPECT_NE(picture, nullptr);
        return picture;
    }
    std::string FailureOf(const std::string& relative) {
        try {
            loader().Load(folder.Full(relative));
        } catch (const FatalError& e) {
            return e.what();
        }
        ADD_FAILURE() << relative << " loaded";
        return {};
    }
    WicPictureLoader& loader() {
        if (!loader_) loader_ = std::make_unique<WicPictureLoader>();
        return *loader_;
    }

    TempFolder folder;

private:
    std::unique_ptr<WicPictureLoader> loader_;
};

TEST_F(PictureLoaderTest, TransparentColourOfAGifStaysTransparent) {
    folder.Write("\\図\\t.gif", Gif(2, 2, {0, 1, 2, 3}, kPalette, 0));
    const auto picture = Load("\\図\\t.gif");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width(), 2);
    EXPECT_EQ(picture->Height(), 2);
    EXPECT_EQ(picture->Pixel(0, 0), 0x00000000u);  // premultiplied: nothing left of the green
    EXPECT_EQ(picture->Pixel(1, 0), 0xFFFF0000u);
    EXPECT_EQ(picture->Pixel(0, 1), 0xFF0000FFu);
    EXPECT_EQ(picture->Pixel(1, 1), 0xFFFFFFFFu);
}

TEST_F(PictureLoaderTest, GifWithoutTransparencyIsOpaque) {
    folder.Write("\\図\\o.gif", Gif(2, 2, {0, 1, 2, 3}, kPalette, std::nullopt));
    const auto picture = Load("\\図\\o.gif");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Pixel(0, 0), 0xFF00FF00u);
    EXPECT_EQ(picture->Pixel(1, 1), 0xFFFFFFFFu);
}

// The content pictures as the project's GIF writer made them: the marks with
// a transparent surround, the ion buttons opaque.
TEST_F(PictureLoaderTest, ContentPicturesOfTheGame) {
    struct Case {
        const char* data;
        int width;
        int height;
        bool transparentCorners;
    };
    const Case cases[] = {{"図/maru.gif", 145, 145, true},
                          {"図/batu.gif", 145, 145, true},
                          {"図/ion(1).gif", 101, 61, false},
                          {"図/ion'(12).gif", 101, 61, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.data);
        const std::string name = std::string(c.data).substr(std::string("図/").size());
        folder.Write("\\図\\" + name, test::DataFile(c.data));
        const auto picture = Load("\\図\\" + name);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->Width(), c.width);
        EXPECT_EQ(picture->Height(), c.height);
        int transparent = 0;
        for (int y = 0; y < picture->Height(); ++y) {
            for (int x = 0; x < picture->Width(); ++x) {
                const std::uint32_t pixel = picture->Pixel(x, y);
                const std::uint32_t alpha = pixel >> 24;
                // Premultiplied: no colour brighter than its coverage.
                ASSERT_LE(pixel >> 16 & 0xFF, alpha);
                ASSERT_LE(pixel >> 8 & 0xFF, alpha);
                ASSERT_LE(pixel & 0xFF, alpha);
                if (alpha == 0) ++transparent;
            }
        }
        const int corner = static_cast<int>(picture->Pixel(0, 0) >> 24);
        EXPECT_EQ(corner == 0, c.transparentCorners);
        EXPECT_EQ(transparent > 0, c.transparentCorners);
        EXPECT_LT(transparent, picture->Width() * picture->Height());
    }
}

TEST_F(PictureLoaderTest, ReadAnewAtEveryLoadAndClosedAfterwards) {
    folder.Write("\\図\\ion(1).gif", Gif(2, 2, {1, 1, 1, 1}, kPalette, std::nullopt));
    const auto red = Load("\\図\\ion(1).gif");
    // Closed again: the file can be replaced while the picture is shown.
    folder.Remove("\\図\\ion(1).gif");
    folder.Write("\\図\\ion(1).gif", Gif(2, 2, {2, 2, 2, 2}, kPalette, std::nullopt));
    const auto blue = Load("\\図\\ion(1).gif");
    ASSERT_NE(red, nullptr);
    ASSERT_NE(blue, nullptr);
    EXPECT_EQ(red->Pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(blue->Pixel(0, 0), 0xFF0000FFu);
}

TEST_F(PictureLoaderTest, FailuresNameTheFile) {
    folder.Write("\\図\\text.gif", "GIF? no, a question file");
    folder.Write("\\図\\empty.gif", "");
    folder.Write("\\図\\cut.gif", Gif(2, 2, {0, 1, 2, 3}, kPalette, 0).substr(0, 20));
    struct Case {
        const char* relative;
        const char* reason;
    };
    const Case cases[] = {{"\\図\\nothing.gif", "ファイルがありません"},
                          {"\\絵\\maru.gif", "フォルダーがありません"},
                          {"\\図", "フォルダーです"},
                          {"\\図\\text.gif", "(画像として認識できない形式です)"},
                          {"\\図\\empty.gif", "(画像として認識できない形式です)"},
                          {"\\図\\cut.gif", "(画像のデータが壊れています)"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.relative);
        const std::string message = FailureOf(c.relative);
        EXPECT_EQ(message.rfind("画像を読み込めません: " + DisplayPath(folder.Full(c.relative)), 0), 0u)
            << message;
        EXPECT_NE(message.find(c.reason), std::string::npos) << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
}

}  // namespace
}  // namespace soruberia::windows
