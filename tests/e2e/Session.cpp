// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/e2e/Session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcessEnvironment>
#include <QThread>

#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <stdexcept>

#include "layout/GameLayout.h"
#include "layout/HintLayout.h"
#include "layout/MenuLayout.h"
#include "tests/support/ChildProcess.h"
#include "tools/content-gen/GifWriter.h"

namespace soruberia::e2e {

namespace {

QByteArray Probe(const Session& session, const QStringList& arguments) {
    if (session.Wine() == nullptr) throw std::logic_error("only the Windows program is read so");
    return session.Wine()->Run(session.DesktopEnvironment(),
                               QStringList{QStringLiteral(SORUBERIA_WINDOW_PROBE)} + arguments, 30000);
}

constexpr int kQuestions = 26;
constexpr int kIons = 12;

// Not ASCII, with a space: the program must find its content and name its
// files wherever a teacher unpacks it.
const QString kProgramFolder = QStringLiteral("ソルベリア 試験");

using testsupport::WriteBytes;

void WriteSolidGif(const QString& path, QSize size, QColor colour) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    contentgen::WriteGif(path.toStdString(), picture, false);
}

}  // namespace

std::string ExecutableOf(FrontEnd front) {
    return front == FrontEnd::Qt ? SORUBERIA_EXECUTABLE : SORUBERIA_WINDOWS_EXECUTABLE;
}

std::string MissingFor(FrontEnd front) {
    if (!QFile::exists(QString::fromStdString(ExecutableOf(front))))
        return ExecutableOf(front) + " is not built (make windows)";
    if (front == FrontEnd::Wine && !QFile::exists(QString::fromLatin1(kWine)))
        return std::string(kWine) + " is missing";
    return {};
}

Session::Session(FrontEnd front) : front_(front) {
    if (!root_.isValid()) throw std::runtime_error("no temporary folder");
    const QDir root(root_.path());
    for (const char* folder : {"home", "runtime", "tmp"}) root.mkpath(QString::fromLatin1(folder));
    root.mkpath(kProgramFolder);
    QFile::setPermissions(root.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // A desktop session's home already holds the sound server's cookie;
    // without it the sound client would create one.
    root.mkpath(QStringLiteral("home/.config/pulse"));
    WriteBytes(root.filePath(QStringLiteral("home/.config/pulse/cookie")), std::string(256, '\x5a'));

    // The folder is complete before the program first starts: the program
    // beside its content, as a teacher unpacks it.
    const QString executable = QString::fromStdString(ExecutableOf(front_));
    if (!QFile::copy(executable, PathOf(QFileInfo(executable).fileName())))
        throw std::runtime_error("cannot copy the program");
    WriteDefaultContent();

    x_ = std::make_unique<XServer>();

    pulse_ = std::make_unique<testsupport::PulseSandbox>(root.filePath(QStringLiteral("pulse")));
    if (front_ == FrontEnd::Wine) wine_ = std::make_unique<WinePrefix>(root.filePath(QStringLiteral("prefix")));
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
    wine_.reset();
    pulse_.reset();
    // An ending wineserver may still be saving the registry.
    for (int attempt = 0; attempt < 50 && !root_.remove(); ++attempt) QThread::msleep(100);
}

QString Session::ProgramFolder() const { return QDir(root_.path()).filePath(kProgramFolder); }

QString Session::PathOf(const QString& relative) const {
    return QDir(ProgramFolder()).filePath(relative);
}

QString Session::ShownPath(const QString& relative) const {
    return front_ == FrontEnd::Wine ? WinePrefix::WindowsPath(PathOf(relative)) : PathOf(relative);
}

QString Session::HomeFolder() const { return QDir(root_.path()).filePath(QStringLiteral("home")); }

QString Session::TemporaryFolder() const { return QDir(root_.path()).filePath(QStringLiteral("tmp")); }

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
    env.insert(QStringLiteral("TMPDIR"), TemporaryFolder());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QDir(root_.path()).filePath(QStringLiteral("runtime")));
    env.insert(QStringLiteral("PULSE_SERVER"), pulse_->Address());
    // No message bus in this session: nothing may be started to provide one.
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
               QStringLiteral("unix:path=") + QDir(root_.path()).filePath(QStringLiteral("runtime/no-bus")));
    if (wine_) wine_->AddTo(env);
    if (accessibility_) accessibility_->AddTo(env);
    return env;
}

void Session::Start(const QStringList& wrapper) {
    const QString program = PathOf(QFileInfo(QString::fromStdString(ExecutableOf(front_))).fileName());

    program_.setProcessEnvironment(DesktopEnvironment());
    program_.setWorkingDirectory(root_.path());  // the content is found beside the program
    testsupport::DieWithTest(program_);
    program_.setReadChannel(QProcess::StandardError);
    errors_.clear();
    if (wine_) {
        if (!wrapper.isEmpty()) throw std::invalid_argument("no wrapper for Wine");
        // Wine waits on a standard input that is a pipe; the program reads none.
        program_.setStandardInputFile(QProcess::nullDevice());
        program_.start(QString::fromLatin1(kWine), {program});
    } else if (wrapper.isEmpty()) {
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

void Session::ListenAsScreenReader() {
    if (wine_ || accessibility_) return;  // the probe needs no bus
    accessibility_ = std::make_unique<AccessibilityBus>(QDir(root_.path()).filePath(QStringLiteral("bus")),
                                                        x_->Display());
}

namespace {

// The reader's escapes undone: \\ and \n.
QString Unescaped(const QByteArray& field) {
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 1 < field.size()) {
            out += field[i + 1] == 'n' ? '\n' : field[i + 1];
            ++i;
        } else {
            out += field[i];
        }
    }
    return QString::fromUtf8(out);
}

// The Qt program's window titled `title` over AT-SPI.
std::optional<WindowReading> ReadOverAtSpi(const QProcessEnvironment& env, const QString& title) {
    const layout::Form* form = nullptr;
    for (const layout::Form* candidate : {&layout::GameWindow(), &layout::MenuWindow(), &layout::HintWindow()})
        if (QString::fromUtf8(candidate->caption) == title) form = candidate;
    if (form == nullptr) throw std::invalid_argument("no form titled " + title.toStdString());
    QProcess reader;
    reader.setProcessEnvironment(env);
    testsupport::DieWithTest(reader);
    reader.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(SORUBERIA_SOURCE_DIR "/tests/e2e/atspi-window.py"), title});
    if (!reader.waitForFinished(30000)) throw std::runtime_error("the AT-SPI reader did not finish");
    if (reader.exitCode() == 1) return std::nullopt;
    if (reader.exitCode() != 0)
        throw std::runtime_error("the AT-SPI reader failed: " + reader.readAllStandardError().toStdString());
    // Children come in the order the window made them: the layout's, timers aside.
    WindowReading reading;
    std::size_t index = 0;
    for (const QByteArray& line : reader.readAllStandardOutput().split('\n')) {
        if (line.isEmpty()) continue;
        while (index < form->widgets.size() && form->widgets[index].kind == layout::Kind::Timer) ++index;
        if (index == form->widgets.size()) throw std::runtime_error("more accessible children than widgets");
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 8) throw std::runtime_error("unreadable AT-SPI line: " + line.toStdString());
        reading[QString::fromUtf8(form->widgets[index].name)] = {
            fields[0] == "1", QRect(fields[2].toInt(), fields[3].toInt(), fields[4].toInt(), fields[5].toInt()),
            fields[1] == "1", Unescaped(fields[6])};
        ++index;
    }
    return reading;
}

}  // namespace

std::optional<WindowReading> Session::ReadWindow(const QString& title) const {
    if (!wine_ && !accessibility_) throw std::logic_error("ListenAsScreenReader before Start");
    if (!wine_) return ReadOverAtSpi(DesktopEnvironment(), title);
    const QByteArray out = Probe(*this, {title});
    if (out.isEmpty()) return std::nullopt;
    WindowReading reading;
    for (const QByteArray& line : out.split('\n')) {
        const QStringList fields = QString::fromUtf8(line).split(QLatin1Char('\t'));
        if (fields.size() != 8) continue;
        reading[fields[0]] = {fields[1] == QLatin1String("1"),
                              QRect(fields[2].toInt(), fields[3].toInt(), fields[4].toInt(), fields[5].toInt()),
                              fields[6] == QLatin1String("1"), Unescaped(fields[7].toUtf8())};
    }
    return reading;
}

QString Session::ReadMessageBox(const QString& title) const {
    return QString::fromUtf8(Probe(*this, {QStringLiteral("--box"), title}));
}

QImage BuiltInPicture(const QString& relative) {
    QImage picture(QStringLiteral(SORUBERIA_SOURCE_DIR "/ui/resources/") + relative);
    if (picture.isNull()) throw std::runtime_error("no built-in picture " + relative.toStdString());
    return picture;
}

}  // namespace soruberia::e2e
