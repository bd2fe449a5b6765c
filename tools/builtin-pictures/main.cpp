// Draws every picture built into the windows and writes it, at 1x and 2x,
// below the resources folder given with --out.
#include "content/FatalError.h"
#include "tools/builtin-pictures/Pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

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

void Write(const Picture& picture, const QDir& out, int scale) {
    const QString path = out.filePath(ScaledName(picture.file, scale));
    if (!QDir().mkpath(QFileInfo(path).path())) {
        throw FatalError("cannot make the folder of " + path.toStdString());
    }
    const QImage image = soruberia::pictures::Render(picture, scale);
    if (!image.save(path, "PNG", 9)) throw FatalError("cannot write " + path.toStdString());
}

int Run(const QStringList& args) {
    QString out;
    QString table;
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == u"--out" && i + 1 < args.size()) {
            out = args[++i];
        } else if (args[i] == u"--table" && i + 1 < args.size()) {
            table = args[++i];
        } else {
            throw FatalError("unknown argument \"" + args[i].toStdString() +
                             "\"; usage: draw-builtin-pictures --out DIR --table CSV");
        }
    }
    if (out.isEmpty() || table.isEmpty()) {
        throw FatalError("usage: draw-builtin-pictures --out DIR --table CSV");
    }

    std::vector<Picture> pictures;
    soruberia::pictures::AddGamePictures(pictures);
    soruberia::pictures::AddMenuPictures(pictures);
    soruberia::pictures::AddHintPictures(pictures, table);

    const QDir dir(out);
    for (const Picture& picture : pictures) {
        for (int scale : {1, 2}) Write(picture, dir, scale);
    }
    std::printf("%zu pictures written to %s\n", pictures.size(), qPrintable(dir.absolutePath()));
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
