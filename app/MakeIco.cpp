// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Writes a Windows icon file from a picture, through Qt's ico plugin:
//   make-ico <picture.png> <icon.ico>
#include <QCoreApplication>
#include <QImage>
#include <QImageWriter>

#include <iostream>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::cerr << "usage: make-ico <picture.png> <icon.ico>\n";
        return 2;
    }
    QCoreApplication application(argc, argv);
    const QImage picture(QString::fromLocal8Bit(argv[1]));
    if (picture.isNull()) {
        std::cerr << "make-ico: cannot read " << argv[1] << '\n';
        return 1;
    }
    QImageWriter writer(QString::fromLocal8Bit(argv[2]), "ico");
    if (!writer.write(picture.convertToFormat(QImage::Format_ARGB32))) {
        std::cerr << "make-ico: cannot write " << argv[2] << ": "
                  << writer.errorString().toStdString() << '\n';
        return 1;
    }
    return 0;
}
