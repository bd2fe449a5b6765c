// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// ソルベリア: start-up. Derives the program's folder, shows the menu and hands
// over to the event loop; the program ends by a quit button, by closing its
// last window, or by a fatal failure.
#include <QApplication>
#include <QIcon>

#include <string>

#include "app/AppController.h"
#include "content/ContentPaths.h"
#include "platform/FatalReport.h"
#include "platform/KeyRepeat.h"
#include "platform/SessionFiles.h"
#include "ui/Fonts.h"

int main(int argc, char* argv[]) {
    soruberia::platform::KeepSessionFilesAway();
    QApplication application(argc, argv);
    soruberia::platform::AskForDetectableKeyRepeat();
    QGuiApplication::setDesktopFileName(QStringLiteral("soruberia"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/game/icon.png")));
    soruberia::ui::InstallFontSubstitutions();

    // Finding the program's own folder can fail too, and ends like every
    // other failure: with the message box, not an abort.
    std::string basePath;
    soruberia::platform::Guarded([&basePath] {
        basePath = soruberia::DeriveBasePath(soruberia::ExecutableFolder());
    });
    soruberia::app::AppController controller(basePath);
    // A missing or empty explanation file ends the program here, before any
    // window has been shown.
    soruberia::platform::Guarded([&controller] { controller.Start(); });
    return QApplication::exec();
}
