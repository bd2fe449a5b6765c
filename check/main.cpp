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
    "使い方: soruberia-check [フォルダ]\n"
    "ソルベリアの内容を調べます: 問題 フォルダの問題の文、正解、説明、図 フォルダの絵、\n"
    "音 フォルダの音を、すべてフォルダの中で調べ、ゲームを止めたり遊ぶ人を惑わせたり\n"
    "する問題点をすべて報告します。\n"
    "\n"
    "  フォルダ       ゲームのフォルダ。問題、図、音 を含むもの\n"
    "                 （省略すると、このプログラムのあるフォルダ、つまりゲームのフォルダ）\n"
    "  -h, --help     この説明を表示して終わります\n"
    "  -v, --version  版を表示して終わります\n"
    "\n"
    "問題点は一つにつき一行、ファイル:行: エラー: 内容 の形で書きます（行のないものは\n"
    "ファイル: エラー: 内容）。「エラー」はゲームが止まるか、問題を正しく採点できないもの、\n"
    "「警告」はゲームは受け付けるが遊ぶ人を惑わせるもの、「注」は知っておくとよいことです。\n"
    "最後に件数をまとめた行が続きます。\n"
    "終了状態: 0 エラーなし（警告はあってもよい）、1 エラーあり、2 使い方の誤り。\n";

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
              << "詳しくは 'soruberia-check --help' を見てください。\n";
    return kExitUsage;
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
    if (folders.size() > 1) {
        return BadUsage("フォルダは一つまでですが、" + std::to_string(folders.size()) + " 個与えられました");
    }

    std::string basePath;
    try {
        basePath = folders.isEmpty()
                       ? soruberia::DeriveBasePath(soruberia::ExecutableFolder())
                       : soruberia::DeriveBasePath(folders.front().toStdString());
    } catch (const soruberia::FatalError& failure) {
        return BadUsage(std::string(failure.what()) + "。調べるフォルダを指定してください");
    }
    if (!folders.isEmpty()) {
        std::error_code error;
        if (!std::filesystem::is_directory(soruberia::NativePath(folders.front().toStdString()),
                                           error)) {
            return BadUsage(folders.front().toStdString() + ": そのようなフォルダはありません");
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
        std::cerr << "soruberia-check: 調べる途中で失敗しました: " << failure.what() << "\n";
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
        std::cout << "soruberia-check: " << where << ": 問題点は見つかりませんでした\n";
    } else {
        std::cout << "soruberia-check: " << where << ": エラー " << errors << " 件、警告 " << warnings
                  << " 件\n";
    }
    return errors == 0 ? kExitClean : kExitErrors;
}
