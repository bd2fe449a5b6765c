// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/e2e/WinePrefix.h"

#include <QDir>
#include <QFile>

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "tests/support/ChildProcess.h"

namespace soruberia::e2e {

namespace {

namespace fs = std::filesystem;

constexpr char kWineServer[] = "/usr/lib/wine/wineserver";

// Wine's own programs and libraries: read, never written.
bool SystemFile(const fs::path& relative) {
    const auto first = relative.begin();
    if (first == relative.end() || *first != "drive_c") return false;
    auto part = std::next(first);
    if (part == relative.end() || *part != "windows") return false;
    part = std::next(part);
    return part != relative.end() && (*part == "system32" || *part == "syswow64" || *part == "winsxs");
}

void CopyPrefix(const fs::path& from, const fs::path& to) {
    fs::create_directories(to);
    for (auto it = fs::recursive_directory_iterator(from); it != fs::recursive_directory_iterator(); ++it) {
        // Lexically: fs::relative follows the links to the home folder that
        // Wine makes, and the copy would land outside the prefix.
        const fs::path relative = it->path().lexically_relative(from);
        const fs::path target = to / relative;
        if (it->is_symlink()) {
            fs::copy_symlink(it->path(), target);
            it.disable_recursion_pending();
        } else if (it->is_directory()) {
            fs::create_directories(target);
        } else if (SystemFile(relative)) {
            std::error_code linked;
            fs::create_hard_link(it->path(), target, linked);
            if (linked) fs::copy_file(it->path(), target);
        } else {
            fs::copy_file(it->path(), target);
        }
    }
}

void RunToEnd(QProcess& process, const QString& program, const QStringList& arguments, int timeoutMs) {
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        throw std::runtime_error(program.toStdString() + " did not finish");
    }
}

}  // namespace

WinePrefix::WinePrefix(QString folder) : folder_(std::move(folder)) {
    const QString made = qEnvironmentVariable("SORUBERIA_E2E_WINE_PREFIX");
    if (!made.isEmpty() && QFile::exists(made + QStringLiteral("/system.reg"))) {
        CopyPrefix(made.toStdString(), folder_.toStdString());
        return;
    }
    QProcess prepare;
    testsupport::DieWithTest(prepare);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("WINEPREFIX"), folder_);
    prepare.setProcessEnvironment(env);
    prepare.setStandardInputFile(QProcess::nullDevice());
    RunToEnd(prepare, QStringLiteral(SORUBERIA_SOURCE_DIR "/tests/e2e/wine-prefix.sh"), {folder_}, 180000);
    if (prepare.exitCode() != 0)
        throw std::runtime_error("no Wine prefix: " + QString::fromLocal8Bit(prepare.readAllStandardError()).toStdString());
}

WinePrefix::~WinePrefix() {
    QProcess kill;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("WINEPREFIX"), folder_);
    kill.setProcessEnvironment(env);
    kill.start(QString::fromLatin1(kWineServer), {QStringLiteral("-k")});
    kill.waitForFinished(30000);
    try {
        WaitForServer();
    } catch (const std::exception&) {
        // Nothing more to end: the prefix goes with the test's folder.
    }
}

void WinePrefix::AddTo(QProcessEnvironment& env) const {
    env.insert(QStringLiteral("WINEPREFIX"), folder_);
    env.insert(QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("mscoree,mshtml=;winealsa.drv="));
    env.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
}

QByteArray WinePrefix::Run(QProcessEnvironment env, const QStringList& arguments, int timeoutMs) const {
    QProcess program;
    testsupport::DieWithTest(program);
    AddTo(env);
    program.setProcessEnvironment(env);
    // Wine waits on a standard input that is a pipe; these programs read none.
    program.setStandardInputFile(QProcess::nullDevice());
    RunToEnd(program, QString::fromLatin1(kWine), arguments, timeoutMs);
    if (program.exitStatus() != QProcess::NormalExit || program.exitCode() != 0) return {};
    return program.readAllStandardOutput();
}

void WinePrefix::WaitForServer() const {
    QProcess wait;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("WINEPREFIX"), folder_);
    wait.setProcessEnvironment(env);
    RunToEnd(wait, QString::fromLatin1(kWineServer), {QStringLiteral("-w")}, 60000);
}

QString WinePrefix::WindowsPath(const QString& path) {
    return QStringLiteral("Z:") + QString(path).replace(QLatin1Char('/'), QLatin1Char('\\'));
}

}  // namespace soruberia::e2e
