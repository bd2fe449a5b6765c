// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The pictures compiled into the program are the PNG files the generator
// draws, pixel for pixel, at 1x and 2x: read as the windows read them, read
// by Qt's own bitmap reader from the source tree, and as the pixmap a window
// shows. The reader of the compiled form refuses every other form of bitmap.
#include "content/FatalError.h"
#include "ui/BuiltInPicture.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <QResource>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <set>
#include <string>

namespace soruberia::ui::testing {
namespace {

const QString kResources = QStringLiteral(SORUBERIA_SOURCE_DIR "/ui/resources");

// "menu/tile0@2x.png" -> the name the windows ask for and the scale.
struct Drawn {
    QString name;  // ":/menu/tile0.png"
    int scale = 1;
};

Drawn NameOf(const QString& relative) {
    QString name = QStringLiteral(":/") + relative;
    const bool doubled = name.endsWith(u"@2x.png");
    if (doubled) name.replace(QStringLiteral("@2x.png"), QStringLiteral(".png"));
    return {name, doubled ? 2 : 1};
}

QStringList Relative(const QString& root, const QString& pattern) {
    QStringList files;
    QDirIterator it(root, {pattern}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

QImage Compiled(const QString& resource) {
    return DecodeBuiltInBitmap(QResource(resource).uncompressedData());
}

TEST(BuiltInPicture, EveryPngIsCompiledInPixelForPixelAtBothScales) {
    int compared = 0;
    for (const QString& relative : Relative(kResources, QStringLiteral("*.png"))) {
        SCOPED_TRACE(relative.toStdString());
        const QImage drawn(kResources + u'/' + relative);
        ASSERT_FALSE(drawn.isNull());
        const Drawn d = NameOf(relative);
        const QImage compiled = Compiled(BuiltInPictureResource(d.name, d.scale));
        ASSERT_FALSE(compiled.isNull());
        EXPECT_EQ(compiled.format(), drawn.format());
        EXPECT_EQ(compiled, drawn);

        // The same file as any other reader of bitmaps sees it.
        const QString bitmap = QFileInfo(relative).path() + u'/' +
                               QFileInfo(relative).completeBaseName() + QStringLiteral(".bmp");
        EXPECT_EQ(QImage(kResources + u'/' + bitmap).convertToFormat(drawn.format()), drawn);

        if (d.scale == 1) {
            // The pixmap a window gets on a screen of ratio 1.
            EXPECT_EQ(BuiltInPicture(d.name).toImage(), QPixmap::fromImage(drawn).toImage());
        }
        ++compared;
    }
    EXPECT_GT(compared, 0);
}

TEST(BuiltInPicture, EveryCompiledBitmapHasItsPng) {
    std::set<std::string> compiled;
    for (const QString& window : {QStringLiteral("game"), QStringLiteral("menu"), QStringLiteral("hint")}) {
        for (const QString& file : QDir(QStringLiteral(":/") + window).entryList(QDir::Files)) {
            if (file.endsWith(u".bmp")) compiled.insert((window + u'/' + file).toStdString());
        }
    }
    std::set<std::string> drawn;
    for (const QString& relative : Relative(kResources, QStringLiteral("*.png"))) {
        drawn.insert((relative.chopped(4) + QStringLiteral(".bmp")).toStdString());
    }
    EXPECT_FALSE(compiled.empty());
    EXPECT_EQ(compiled, drawn);
}

TEST(BuiltInPicture, AMissingPictureIsAFatalErrorNamingIt) {
    try {
        BuiltInPicture(QStringLiteral(":/menu/nothing.png"));
        ADD_FAILURE() << "no FatalError";
    } catch (const FatalError& e) {
        EXPECT_NE(std::string(e.what()).find(":/menu/nothing.png"), std::string::npos) << e.what();
    }
}

TEST(BuiltInPicture, ResourceNamesKeepTheFolderAndTakeTheScale) {
    EXPECT_EQ(BuiltInPictureResource(QStringLiteral(":/game/quit.png"), 1), u":/game/quit.bmp");
    EXPECT_EQ(BuiltInPictureResource(QStringLiteral(":/game/quit.png"), 2), u":/game/quit@2x.bmp");
    EXPECT_EQ(BuiltInPictureResource(QStringLiteral(":/menu/tile4"), 1), u":/menu/tile4.bmp");
}

void Put32(QByteArray& file, qsizetype at, std::uint32_t value) {
    qToLittleEndian(value, file.data() + at);
}

void Put16(QByteArray& file, qsizetype at, std::uint16_t value) {
    qToLittleEndian(value, file.data() + at);
}

struct Broken {
    const char* what;
    const char* bitmap;  // the picture it starts from
    std::function<void(QByteArray&)> breakIt;
};

TEST(BuiltInPicture, OtherFormsOfBitmapAreRefused) {
    const Broken cases[] = {
        {"an empty file", ":/menu/back.bmp", [](QByteArray& f) { f.clear(); }},
        {"not BM", ":/menu/back.bmp", [](QByteArray& f) { f[1] = 'A'; }},
        {"one byte of pixels short", ":/menu/back.bmp", [](QByteArray& f) { f.chop(1); }},
        {"only the headers", ":/menu/tile0.bmp", [](QByteArray& f) { f.truncate(14 + 124); }},
        {"24 bits a pixel", ":/menu/back.bmp", [](QByteArray& f) { Put16(f, 28, 24); }},
        {"two planes", ":/menu/back.bmp", [](QByteArray& f) { Put16(f, 26, 2); }},
        {"run-length coded", ":/menu/back.bmp", [](QByteArray& f) { Put32(f, 30, 1); }},
        {"no width", ":/menu/back.bmp", [](QByteArray& f) { Put32(f, 18, 0); }},
        {"top-down rows", ":/menu/back.bmp",
         [](QByteArray& f) { Put32(f, 22, static_cast<std::uint32_t>(-32)); }},
        {"pixels past the end", ":/menu/back.bmp", [](QByteArray& f) { Put32(f, 10, 0x7FFFFFF0); }},
        {"pixels inside the header", ":/menu/back.bmp", [](QByteArray& f) { Put32(f, 10, 20); }},
        {"masks without room for alpha", ":/menu/tile0.bmp", [](QByteArray& f) { Put32(f, 14, 40); }},
        {"red and blue swapped", ":/menu/tile0.bmp",
         [](QByteArray& f) {
             Put32(f, 54, 0x000000FF);
             Put32(f, 62, 0x00FF0000);
         }},
    };
    for (const Broken& c : cases) {
        SCOPED_TRACE(c.what);
        QByteArray file = QResource(QString::fromLatin1(c.bitmap)).uncompressedData();
        ASSERT_FALSE(DecodeBuiltInBitmap(file).isNull()) << "the unbroken file is read";
        c.breakIt(file);
        EXPECT_TRUE(DecodeBuiltInBitmap(file).isNull());
    }
}

}  // namespace
}  // namespace soruberia::ui::testing
