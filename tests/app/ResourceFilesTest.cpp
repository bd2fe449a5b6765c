// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The icon file for Windows and the resource script that carries it with the
// version record: the script is compiled with the mingw-w64 resource compiler
// and the compiled resources are read back.
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace soruberia::app::testing {
namespace {

const QString kSource = QStringLiteral(SORUBERIA_SOURCE_DIR);

constexpr std::uint16_t kIconType = 3;
constexpr std::uint16_t kGroupIconType = 14;
constexpr std::uint16_t kVersionType = 16;

std::uint16_t Word(const QByteArray& bytes, qsizetype at) {
    if (at + 2 > bytes.size()) throw std::out_of_range("word past the end");
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[at]) |
                                      static_cast<std::uint8_t>(bytes[at + 1]) << 8);
}

std::uint32_t DWord(const QByteArray& bytes, qsizetype at) {
    return static_cast<std::uint32_t>(Word(bytes, at)) |
           static_cast<std::uint32_t>(Word(bytes, at + 2)) << 16;
}

qsizetype AlignFour(qsizetype at) { return (at + 3) & ~qsizetype{3}; }

struct Resource {
    std::uint16_t type = 0;
    std::uint16_t id = 0;
    std::uint16_t language = 0;
    QByteArray data;
};

// A .res file: a run of headers, each followed by its data, all aligned to
// four bytes. Types and names here are numbers (0xFFFF, then the number).
std::vector<Resource> ReadResources(const QByteArray& file) {
    std::vector<Resource> resources;
    qsizetype at = 0;
    while (at + 8 <= file.size()) {
        const std::uint32_t dataSize = DWord(file, at);
        const std::uint32_t headerSize = DWord(file, at + 4);
        Resource r;
        if (Word(file, at + 8) == 0xFFFF) r.type = Word(file, at + 10);
        if (Word(file, at + 12) == 0xFFFF) r.id = Word(file, at + 14);
        r.language = Word(file, at + 16 + 4 + 2);  // after DataVersion and MemoryFlags
        r.data = file.mid(at + headerSize, dataSize);
        if (r.type != 0) resources.push_back(r);
        at = AlignFour(at + headerSize + dataSize);
    }
    return resources;
}

QByteArray Utf16(const std::u16string& text) {
    return QByteArray(reinterpret_cast<const char*>(text.data()),
                      static_cast<qsizetype>(text.size() * 2));
}

// The value after a key in a version record: the key's text and its end,
// then padding to four bytes, then the value up to its end.
std::optional<std::u16string> VersionString(const QByteArray& record, const std::u16string& key) {
    const qsizetype found = record.indexOf(Utf16(key + u'\0'));
    if (found < 0) return std::nullopt;
    qsizetype at = AlignFour(found + static_cast<qsizetype>(key.size() + 1) * 2);
    std::u16string value;
    for (std::uint16_t c; (c = Word(record, at)) != 0; at += 2) value.push_back(static_cast<char16_t>(c));
    return value;
}

const Resource* Find(const std::vector<Resource>& resources, std::uint16_t type) {
    for (const Resource& r : resources)
        if (r.type == type) return &r;
    return nullptr;
}

TEST(ResourceFilesTest, IconFileMatchesTheWindowsIcon) {
    const QImage icon(kSource + QStringLiteral("/app/soruberia.ico"), "ico");
    const QImage window(kSource + QStringLiteral("/ui/resources/game/icon.png"));
    ASSERT_FALSE(icon.isNull());
    ASSERT_EQ(window.size(), QSize(32, 32));
    EXPECT_EQ(icon.convertToFormat(QImage::Format_ARGB32),
              window.convertToFormat(QImage::Format_ARGB32))
        << "app/soruberia.ico is out of date: build the target app-icon";
}

TEST(ResourceFilesTest, ScriptCompilesToIconAndJapaneseVersionRecord) {
    const QString windres = QStringLiteral(SORUBERIA_WINDRES);
    if (windres.isEmpty()) GTEST_SKIP() << "x86_64-w64-mingw32-windres is not installed";

    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const QString res = out.filePath(QStringLiteral("soruberia.res"));
    QProcess compiler;
    compiler.setWorkingDirectory(out.path());  // the icon is found beside the script
    // The host's C preprocessor stands in for the mingw-w64 compiler's.
    compiler.start(windres, {QStringLiteral("--preprocessor=cpp"),
                             QStringLiteral("--include-dir=") + QStringLiteral(SORUBERIA_VERSION_HEADER_DIR),
                             QStringLiteral("--input=") + kSource + QStringLiteral("/app/soruberia.rc"),
                             QStringLiteral("--output-format=res"),
                             QStringLiteral("--output=") + res});
    ASSERT_TRUE(compiler.waitForFinished(60000));
    ASSERT_EQ(compiler.exitCode(), 0) << compiler.readAllStandardError().toStdString();

    QFile file(res);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::vector<Resource> resources = ReadResources(file.readAll());

    const Resource* version = Find(resources, kVersionType);
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->language, 1041);
    const QByteArray& record = version->data;
    const qsizetype fixed = record.indexOf(QByteArray("\xBD\x04\xEF\xFE", 4));
    ASSERT_GE(fixed, 0);
    EXPECT_EQ(DWord(record, fixed + 8), 0x00010000u);   // file version 1.0
    EXPECT_EQ(DWord(record, fixed + 12), 0u);           // .0.0
    EXPECT_EQ(DWord(record, fixed + 16), 0x00010000u);  // product version 1.0
    EXPECT_EQ(DWord(record, fixed + 20), 0u);
    EXPECT_EQ(VersionString(record, u"FileVersion"), u"1.00");
    EXPECT_EQ(VersionString(record, u"ProductVersion"), u"1.00");
    EXPECT_EQ(VersionString(record, u"ProductName"), u"ソルベリア");
    EXPECT_EQ(VersionString(record, u"InternalName"), u"ソルベリア");
    EXPECT_EQ(VersionString(record, u"OriginalFilename"), u"ソルベリア.exe");
    EXPECT_EQ(VersionString(record, u"LegalCopyright"),
              u"Copyright © 2026 The soruberia authors. MIT License");
    EXPECT_GE(record.indexOf(Utf16(u"041104b0")), 0);
    const qsizetype translation = record.indexOf(Utf16(u"Translation"));
    ASSERT_GE(translation, 0);
    const qsizetype value = AlignFour(translation + 12 * 2);
    EXPECT_EQ(Word(record, value), 0x0411);
    EXPECT_EQ(Word(record, value + 2), 1200);

    // The icon group names one 32 × 32 picture, and that picture is the
    // picture of app/soruberia.ico.
    const Resource* group = Find(resources, kGroupIconType);
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(Word(group->data, 4), 1);  // one picture
    EXPECT_EQ(static_cast<std::uint8_t>(group->data[6]), 32);
    EXPECT_EQ(static_cast<std::uint8_t>(group->data[7]), 32);
    const std::uint16_t pictureId = Word(group->data, 6 + 12);
    const Resource* picture = nullptr;
    for (const Resource& r : resources)
        if (r.type == kIconType && r.id == pictureId) picture = &r;
    ASSERT_NE(picture, nullptr);
    QFile ico(kSource + QStringLiteral("/app/soruberia.ico"));
    ASSERT_TRUE(ico.open(QIODevice::ReadOnly));
    const QByteArray icoBytes = ico.readAll();
    EXPECT_EQ(picture->data, icoBytes.mid(DWord(icoBytes, 6 + 12), DWord(icoBytes, 6 + 8)));
}

}  // namespace
}  // namespace soruberia::app::testing
