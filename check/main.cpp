// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// soruberia-check: finds every problem of a content folder (問題, 図, 音)
// before the students meet it, and reports it as a compiler does.
#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "check/ContentCheck.h"
#include "content/ContentFile.h"
#include "content/ContentPaths.h"
#include "content/FatalError.h"
#include "ui/Fonts.h"

namespace {

constexpr int kExitClean = 0;
constexpr int kExitErrors = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "Usage: soruberia-check [FOLDER]\n"
    "Checks the content of ソルベリア: the question texts, the answer key and the\n"
    "explanation in 問題, the pictures in 図 and the sounds in 音, all in FOLDER,\n"
    "and reports every problem that would stop the game or mislead its players.\n"
    "\n"
    "  FOLDER         the game's folder, holding 問題, 図 and 音\n"
    "                 (default: the folder of this program, beside the game)\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n"
    "\n"
    "Each problem is one line, FILE:LINE: error: MESSAGE (FILE: error: MESSAGE\n"
    "where no line applies); 'warning:' marks what the game accepts but what\n"
    "misleads, 'note:' what is only worth knowing. A summary line follows.\n"
    "Exit status: 0 no errors (warnings allowed), 1 errors found, 2 bad usage.\n";

constexpr const char* kVersion = "soruberia-check 1.00";

// The report is the checker's whole output; Qt's own remarks about the
// environment (XDG_RUNTIME_DIR, image plugins) would only get in its way.
void QuietQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::cerr << "soruberia-check: " << message.toStdString() << "\n";
    }
}

int BadUsage(const std::string& problem) {
    std::cerr << "soruberia-check: " << problem << "\n"
              << "Try 'soruberia-check --help' for more information.\n";
    return kExitUsage;
}

std::string Plural(std::size_t n, const char* word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

}  // namespace

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("FOLDER"), QString());
    if (!parser.parse(arguments)) return BadUsage(parser.errorText().toStdString());
    if (parser.isSet(help)) {
        std::cout << kUsage;
        return kExitClean;
    }
    if (parser.isSet(version)) {
        std::cout << kVersion << "\n";
        return kExitClean;
    }
    const QStringList folders = parser.positionalArguments();
    if (folders.size() > 1) return BadUsage("one FOLDER at most, but " +
                                            std::to_string(folders.size()) + " were given");

    std::string basePath;
    try {
        basePath = folders.isEmpty()
                       ? soruberia::DeriveBasePath(soruberia::ExecutableFolder())
                       : soruberia::DeriveBasePath(folders.front().toStdString());
    } catch (const soruberia::FatalError& failure) {
        return BadUsage(std::string(failure.what()) + "; name the FOLDER to check");
    }
    if (!folders.isEmpty()) {
        std::error_code error;
        if (!std::filesystem::is_directory(soruberia::NativePath(folders.front().toStdString()),
                                           error)) {
            return BadUsage(folders.front().toStdString() + ": no such folder");
        }
    }

    // The checker draws nothing, and a teacher may run it over ssh: the
    // fonts are measured offscreen unless a platform is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQt);
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    soruberia::ui::InstallFontSubstitutions();

    std::vector<soruberia::Finding> findings;
    try {
        findings = soruberia::check::CheckContent(basePath);
    } catch (const std::exception& failure) {
        std::cerr << "soruberia-check: the check itself failed: " << failure.what() << "\n";
        return kExitErrors;
    }
    std::size_t errors = 0;
    std::size_t warnings = 0;
    for (const soruberia::Finding& finding : findings) {
        std::cout << soruberia::check::FormatFinding(finding) << "\n";
        if (finding.severity == soruberia::Severity::kError) ++errors;
        if (finding.severity == soruberia::Severity::kWarning) ++warnings;
    }
    const std::string where = soruberia::DisplayPath(basePath.empty() ? "\\" : basePath);
    if (errors == 0 && warnings == 0) {
        std::cout << "soruberia-check: " << where << ": no problems found\n";
    } else {
        std::cout << "soruberia-check: " << where << ": " << Plural(errors, "error") << ", "
                  << Plural(warnings, "warning") << "\n";
    }
    return errors == 0 ? kExitClean : kExitErrors;
}
