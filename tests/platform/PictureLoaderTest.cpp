// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <QColor>
#include <QImage>
#include <QString>

#include "content/FatalError.h"
#include "platform/QtPicture.h"

namespace fs = std::filesystem;
using soruberia::FatalError;
using soruberia::platform::QtPicture;
using soruberia::platform::QtPictureLoader;

namespace {

class PictureLoaderTest : public testing::Test {
protected:
    void SetUp() override {
        base_ = fs::path(testing::TempDir()) /
                testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(base_);
        fs::create_directories(base_ / "図");
    }
    void TearDown() override { fs::remove_all(base_); }

    // The program's own form of a path: basePath, then "\図\name".
    std::string FullPath(const std::string& name) const {
        return base_.string() + "\\図\\" + name;
    }
    fs::path File(const std::string& name) const { return base_ / "図" / name; }

    // BMP, because its file size depends on the picture's size alone.
    void WritePicture(const std::string& name, QColor colour, int side,
                      const char* format = "BMP") const {
        QImage image(side, side, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(QString::fromStdString(File(name).string()), format));
    }

    static const QtPicture& AsQt(const soruberia::engine::PicturePtr& picture) {
        const auto* qt = dynamic_cast<const QtPicture*>(picture.get());
        EXPECT_NE(qt, nullptr);
        return *qt;
    }

    fs::path base_;
    QtPictureLoader loader_;
};

TEST_F(PictureLoaderTest, FileReplacedOnDiskIsShownInItsNewFormAtTheNextLoad) {
    WritePicture("maru.bmp", Qt::red, 4);
    const auto before = loader_.Load(FullPath("maru.bmp"));
    EXPECT_EQ(AsQt(before).Pixmap().toImage().pixelColor(1, 1), QColor(Qt::red));

    // Same name, file size and modification time: a cache keyed on these
    // (as QPixmap's own is) would hand back the red picture.
    const auto stamp = fs::last_write_time(File("maru.bmp"));
    WritePicture("maru.bmp", Qt::blue, 4);
    fs::last_write_time(File("maru.bmp"), stamp);

    const auto after = loader_.Load(FullPath("maru.bmp"));
    EXPECT_EQ(AsQt(after).Pixmap().toImage().pixelColor(1, 1), QColor(Qt::blue));
    // The earlier picture is the widget's own and stays as it was.
    EXPECT_EQ(AsQt(before).Pixmap().toImage().pixelColor(1, 1), QColor(Qt::red));
}

TEST_F(PictureLoaderTest, MissingOrUndecodableFileIsFatalAndNamesTheFile) {
    WritePicture("whole.png", Qt::green, 16, "PNG");
    std::ifstream whole(File("whole.png"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(whole)), {});

    struct Case {
        const char* name;
        const char* contents;  // nullptr: no such file
        std::size_t length;
        const char* reason;
    };
    const Case cases[] = {
        {"ion(13).gif", nullptr, 0, "(ファイルがありません)"},
        {"text.gif", "GIF89a is not enough\n", 21, "(画像のデータが壊れています)"},
        {"empty.gif", "", 0, "(画像として認識できない形式です)"},
        {"cut.png", bytes.data(), 40, "(画像のデータが壊れています)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.contents != nullptr) {
            std::ofstream(File(c.name), std::ios::binary).write(c.contents,
                                                                 static_cast<long>(c.length));
        }
        try {
            loader_.Load(FullPath(c.name));
            ADD_FAILURE() << "no failure";
        } catch (const FatalError& e) {
            // Named as the platform spells the path, as the text readers do.
            EXPECT_EQ(std::string(e.what()),
                      "画像を読み込めません: " + File(c.name).string() + " " + c.reason);
        }
    }
}

}  // namespace
