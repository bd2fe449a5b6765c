// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The least a Qt 6 Widgets program of this kind costs: one fixed 641 × 400
// window titled "floor" that shows one picture read from the file named on
// the command line. The start-up bench compares the game against it.
#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: soruberia-floor PICTURE\n");
        return 2;
    }
    QWidget window;
    window.setWindowTitle(QStringLiteral("floor"));
    window.setFixedSize(641, 400);
    auto* picture = new QLabel(&window);
    picture->setPixmap(QPixmap(QString::fromLocal8Bit(argv[1])));
    picture->adjustSize();
    window.show();
    return QApplication::exec();
}
