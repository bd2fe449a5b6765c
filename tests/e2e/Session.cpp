// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/e2e/Session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <stdexcept>

#include "tests/support/ChildProcess.h"
#include "tools/content-gen/GifWriter.h"

namespace soruberia::e2e {

namespace {

constexpr int kQuestions = 26;
constexpr int kIons = 12;

using testsupport::WriteBytes;

void WriteSolidGif(const QString& path, QSize size, QColor colour) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    contentgen::WriteGif(path.toStdString(), picture, false);
}

}  // namespace

Session::Session() {
    if (!root_.isValid()) throw std::runtime_error("no temporary folder");
    const QDir root(root_.path());
    for (const char* folder : {"game", "home", "runtime"}) root.mkpath(QString::fromLatin1(folder));
    QFile::setPermissions(root.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // A desktop session's home already holds the sound server's cookie;
    // without it the sound client would create one.
    root.mkpath(QStringLiteral("home/.config/pulse"));
    WriteBytes(root.filePath(QStringLiteral("home/.config/pulse/cookie")), std::string(256, '\x5a'));

    WriteDefaultContent();

    x_ = std::make_unique<XServer>();

    pulse_ = std::make_unique<testsupport::PulseSandbox>(root.filePath(QStringLiteral("pulse")));
}

Session::~Session() {
    // With SORUBERIA_SCREENSHOT_DIR set, a failed test leaves the screen as
    // it was at its end.
    const QString shots = qEnvironmentVariable("SORUBERIA_SCREENSHOT_DIR");
    if (!shots.isEmpty() && ::testing::Test::HasFailure()) {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        const QString name = test != nullptr ? QString::fromStdString(std::string(test->test_suite_name()) + "." + test->name())
                                             : QStringLiteral("e2e");
        x_->Grab(QRect(0, 0, 1280, 1024)).save(QDir(shots).filePath(QString(name).replace(QLatin1Char('/'), QLatin1Char('_')) + QStringLiteral(".png")));
    }
    StopProgram();
    pulse_.reset();
}

QString Session::ProgramFolder() const { return QDir(root_.path()).filePath(QStringLiteral("game")); }

QString Session::PathOf(const QString& relative) const {
    return QDir(ProgramFolder()).filePath(relative);
}

QString Session::HomeFolder() const { return QDir(root_.path()).filePath(QStringLiteral("home")); }

void Session::WriteFile(const QString& relative, const std::string& bytes) const {
    WriteBytes(PathOf(relative), bytes);
}

void Session::Remove(const QString& relative) const {
    const QFileInfo info(PathOf(relative));
    const bool removed = info.isDir() ? QDir(info.filePath()).removeRecursively()
                                      : QFile::remove(info.filePath());
    if (!removed) throw std::runtime_error("cannot remove " + relative.toStdString());
}

void Session::WriteDefaultContent() const {
    const QDir game(ProgramFolder());
    for (const char* folder : {"問題", "図", "音"}) game.mkdir(QString::fromUtf8(folder));

    WriteFile(QStringLiteral("問題/setumei.txt"), ToShiftJis(QStringLiteral("イオンを選んでください\r\n")));
    std::string texts;
    std::string key;
    for (int q = 1; q <= kQuestions; ++q) {
        texts += ToShiftJis(QStringLiteral("問題%1：答えはどれ？").arg(q)) + "\r\n";
        key += std::to_string(kAnswersPerQuestion);
        for (int ion = 1; ion <= kAnswersPerQuestion; ++ion) key += "," + std::to_string(ion);
        key += "\r\n";
    }
    WriteFile(QStringLiteral("問題/mondai.txt"), texts);
    WriteFile(QStringLiteral("問題/kotae.txt"), key);

    // The size of the buttons' faces, so that the whole face shows the colour.
    for (int ion = 1; ion <= kIons; ++ion) {
        WriteSolidGif(PathOf(QStringLiteral("図/ion(%1).gif").arg(ion)), {101, 61}, kPlainIon);
        WriteSolidGif(PathOf(QStringLiteral("図/ion'(%1).gif").arg(ion)), {101, 61}, kFoundIon);
    }
    WriteSolidGif(PathOf(QStringLiteral("図/maru.gif")), {40, 40}, kCorrectMark);
    WriteSolidGif(PathOf(QStringLiteral("図/batu.gif")), {40, 40}, kWrongMark);

    // The program's own sounds, so that the whole sound path is taken.
    for (const char* sound : {"o.wav", "x.wav", "pan.wav", "dame.wav", "gokaku.wav"}) {
        const QString name = QString::fromLatin1(sound);
        if (!QFile::copy(QStringLiteral(SORUBERIA_SOURCE_DIR "/data/音/") + name,
                         PathOf(QStringLiteral("音/") + name)))
            throw std::runtime_error("cannot copy the sound " + name.toStdString());
    }
}

QProcessEnvironment Session::DesktopEnvironment() const {
    // Only what a desktop session provides; nothing of the test's own
    // environment (an offscreen Qt platform, say) reaches the program.
    QProcessEnvironment env;
    const QProcessEnvironment outer = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PATH"), outer.value(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin")));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("DISPLAY"), x_->Display());
    env.insert(QStringLiteral("HOME"), HomeFolder());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QDir(root_.path()).filePath(QStringLiteral("runtime")));
    env.insert(QStringLiteral("PULSE_SERVER"), pulse_->Address());
    // No message bus in this session: nothing may be started to provide one.
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
               QStringLiteral("unix:path=") + QDir(root_.path()).filePath(QStringLiteral("runtime/no-bus")));
    return env;
}

void Session::Start(const QStringList& wrapper) {
    const QString program = PathOf(QStringLiteral("soruberia"));
    QFile::remove(program);
    if (!QFile::copy(QStringLiteral(SORUBERIA_EXECUTABLE), program))
        throw std::runtime_error("cannot copy the program");

    program_.setProcessEnvironment(DesktopEnvironment());
    program_.setWorkingDirectory(root_.path());  // the content is found beside the program
    testsupport::DieWithTest(program_);
    program_.setReadChannel(QProcess::StandardError);
    errors_.clear();
    if (wrapper.isEmpty()) {
        program_.start(program, {});
    } else {
        program_.start(wrapper.first(), wrapper.mid(1) + QStringList{program});
    }
    if (!program_.waitForStarted(static_cast<int>(kPatience.count())))
        throw std::runtime_error("the program did not start");
}

std::optional<int> Session::WaitForExit(std::chrono::milliseconds timeout) {
    if (program_.state() != QProcess::NotRunning &&
        !program_.waitForFinished(static_cast<int>(timeout.count())))
        return std::nullopt;
    if (program_.exitStatus() != QProcess::NormalExit) return -1;
    return program_.exitCode();
}

QString Session::Errors() {
    // Without an event loop, QProcess takes in output only while it waits.
    if (program_.state() == QProcess::Running) program_.waitForReadyRead(50);
    errors_ += QString::fromUtf8(program_.readAllStandardError());
    return errors_;
}

void Session::StopProgram() {
    if (program_.state() == QProcess::NotRunning) return;
    // A wrapper's child (the program under strace) goes first, so nothing is
    // left behind by a test that fails half-way.
    const qint64 pid = program_.processId();
    QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(pid));
    if (children.open(QIODevice::ReadOnly)) {
        for (const QByteArray& child : children.readAll().split(' ')) {
            bool ok = false;
            const int childPid = child.trimmed().toInt(&ok);
            if (ok && childPid > 0) ::kill(childPid, SIGKILL);
        }
    }
    program_.kill();
    program_.waitForFinished(static_cast<int>(kPatience.count()));
}

namespace layout {

QPoint IonCentre(int ion) {
    static constexpr std::array<std::array<int, 2>, 13> places{{
        {0, 0},
        {975, 750}, {2510, 750}, {4040, 750}, {5565, 750}, {7090, 750},
        {975, 1680}, {7090, 1680},
        {975, 2610}, {2510, 2610}, {4040, 2610}, {5565, 2610}, {7090, 2610},
    }};
    const auto& place = places.at(static_cast<std::size_t>(ion));
    return {qRound(place[0] / 15.0) + 51, qRound(place[1] / 15.0) + 30};
}

QPoint MenuTile(int index) {
    static constexpr std::array<std::array<int, 2>, 5> places{{
        {2235, 465}, {5355, 465}, {1395, 2505}, {3795, 2505}, {6195, 2505},
    }};
    const auto& place = places.at(static_cast<std::size_t>(index));
    return {qRound(place[0] / 15.0), qRound(place[1] / 15.0)};
}

}  // namespace layout

QImage BuiltInPicture(const QString& relative) {
    QImage picture(QStringLiteral(SORUBERIA_SOURCE_DIR "/ui/resources/") + relative);
    if (picture.isNull()) throw std::runtime_error("no built-in picture " + relative.toStdString());
    return picture;
}

}  // namespace soruberia::e2e
