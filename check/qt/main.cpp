// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// soruberia-check: finds every problem of a content folder (問題, 図, 音)
// before the students meet it, and reports it as a compiler does. The
// question label is measured with Qt, as the Qt game window lays it out.
#include <QApplication>

#include <iostream>
#include <string>
#include <vector>

#include "banklink/ZlibDeflate.h"
#include "check/core/CheckerProgram.h"
#include "check/core/ContentCheck.h"
#include "check/qt/QtMedia.h"
#include "check/qt/QuestionLabel.h"
#include "ui/Fonts.h"

namespace {

// The report is the checker's whole output; Qt's own remarks about the
// environment (XDG_RUNTIME_DIR, image plugins) would only get in its way.
void QuietQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::cerr << "soruberia-check: " << message.toStdString() << "\n";
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    // File names and arguments are UTF-8 here.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const auto check = [argv](const std::string& basePath) {
        // The checker draws nothing, and a teacher may run it over ssh: the
        // fonts are measured offscreen unless a platform is asked for.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(QuietQt);
        int qtArgc = 1;
        QApplication application(qtArgc, argv);
        soruberia::ui::InstallFontSubstitutions();
        soruberia::check::QuestionLabel label;
        soruberia::check::QtPictureDecoder pictures;
        soruberia::check::SndfileSoundDecoder sounds;
        return soruberia::check::CheckContent(basePath, {label, pictures, sounds});
    };
    return soruberia::check::RunChecker(arguments, check, std::cout, std::cerr, soruberia::banklink::ZlibDeflate);
}
