// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "platform/QtPicture.h"

#include <QImage>
#include <QImageReader>
#include <QString>

#include "content/ContentFile.h"
#include "content/ContentPaths.h"
#include "content/FatalError.h"

namespace soruberia::platform {

engine::PicturePtr QtPictureLoader::Load(const std::string& fullPath) {
    // QImageReader reads the file itself every time; QPixmap(path) would go
    // through QPixmapCache and show an old picture after the file changed.
    const std::filesystem::path native = NativePath(fullPath);
    QImageReader reader(QString::fromStdString(native.string()));
    const QImage image = reader.read();
    if (image.isNull()) {
        throw FatalError("画像を読み込めません: " + DisplayPath(fullPath) + " (" +
                         reader.errorString().toStdString() + ")");
    }
    return std::make_shared<const QtPicture>(QPixmap::fromImage(image));
}

}  // namespace soruberia::platform
