// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Draws every picture built into the windows and writes it, at 1x and 2x,
// below the resources folder given with --out: as PNG, to look at and to
// make the icons from, and as the uncompressed bitmap the windows load.
// With --icons, writes the window icon at the sizes of the desktop's icon
// theme as well.
#include "content/FatalError.h"
#include "tools/builtin-pictures/Bitmap.h"
#include "tools/builtin-pictures/Pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <exception>

namespace {

using soruberia::FatalError;
using soruberia::pictures::Picture;

QString ScaledName(const QString& file, int scale) {
    if (scale == 1) return file;
    const QFileInfo info(file);
    return info.path() + u'/' + info.completeBaseName() + QStringLiteral("@%1x.").arg(scale) +
           info.suffix();
}

void Save(const QImage& image, const QString& path) {
    if (!QDir().mkpath(QFileInfo(path).path())) {
        throw FatalError("cannot make the folder of " + path.toStdString());
    }
    if (!image.save(path, "PNG", 9)) throw FatalError("cannot write " + path.toStdString());
}

void SaveBitmap(const QImage& image, const QString& path) {
    QFile file(path);
    const QByteArray bytes = soruberia::pictures::EncodeBitmap(image);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        throw FatalError("cannot write " + path.toStdString());
    }
}

void Write(const Picture& picture, const QDir& out, int scale) {
    const QImage image = soruberia::pictures::Render(picture, scale);
    const QString png = out.filePath(ScaledName(picture.file, scale));
    Save(image, png);
    const QFileInfo info(png);
    SaveBitmap(image, info.path() + u'/' + info.completeBaseName() + QStringLiteral(".bmp"));
}

// The window icon, drawn anew at each size rather than resampled, as
// <dir>/<n>x<n>/apps/soruberia.png: the layout of the hicolor icon theme.
void WriteIcons(const QDir& dir) {
    std::vector<Picture> pictures;
    soruberia::pictures::AddGamePictures(pictures);
    const auto icon = std::find_if(pictures.begin(), pictures.end(), [](const Picture& p) {
        return p.file == u"game/icon.png";
    });
    if (icon == pictures.end()) throw FatalError("no picture game/icon.png to draw the icons from");
    for (int size : {16, 32, 48, 64, 128, 256, 512}) {
        const double scale = static_cast<double>(size) / icon->width;
        Save(soruberia::pictures::Render(*icon, scale),
             dir.filePath(QStringLiteral("%1x%1/apps/soruberia.png").arg(size)));
    }
    std::printf("icons written to %s\n", qPrintable(dir.absolutePath()));
}

int Run(const QStringList& args) {
    constexpr const char* kUsage =
        "usage: draw-builtin-pictures [--out DIR] [--icons DIR]";
    QString out;
    QString icons;
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == u"--out" && i + 1 < args.size()) {
            out = args[++i];
        } else if (args[i] == u"--icons" && i + 1 < args.size()) {
            icons = args[++i];
        } else {
            throw FatalError("unknown argument \"" + args[i].toStdString() + "\"; " + kUsage);
        }
    }
    if (out.isEmpty() && icons.isEmpty()) {
        throw FatalError(kUsage);
    }

    if (!out.isEmpty()) {
        std::vector<Picture> pictures;
        soruberia::pictures::AddGamePictures(pictures);
        soruberia::pictures::AddMenuPictures(pictures);
        soruberia::pictures::AddHintPictures(pictures);

        const QDir dir(out);
        for (const Picture& picture : pictures) {
            for (int scale : {1, 2}) Write(picture, dir, scale);
        }
        std::printf("%zu pictures written to %s\n", pictures.size(),
                    qPrintable(dir.absolutePath()));
    }
    if (!icons.isEmpty()) WriteIcons(QDir(icons));
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    // No screen is needed: fonts come from fontconfig all the same.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    try {
        return Run(QGuiApplication::arguments());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "draw-builtin-pictures: %s\n", e.what());
        return 1;
    }
}
