// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Shows the message box that ends the program, built as the program builds
// it, with the text given, at the top-left corner of the screen. Qt's message
// box offers its text to no other client on this platform (Ctrl+C copies it
// only on Windows), so the test reads it by comparing the program's box with
// this one, drawn by the same Qt with the same fonts.
#include <QApplication>
#include <QMessageBox>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) return 2;
    QMessageBox box(QMessageBox::Critical, QStringLiteral("ソルベリア"), QString::fromUtf8(argv[1]),
                    QMessageBox::Ok);
    box.move(0, 0);
    box.show();
    return QApplication::exec();
}
