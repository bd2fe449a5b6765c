// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The real game on a display and a PulseAudio server of the test's own,
// played with real mouse clicks, its sound recorded from the null sink's
// monitor. Each sound file of the content folder is a tone of its own pitch,
// so the recording tells which file was heard, when, how long and how loud.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <QCoreApplication>
#include <QProcess>

#include "tests/sound/Mouse.h"
#include "tests/sound/Tones.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ContentFiles.h"
#include "tests/support/PulseSandbox.h"
#include "tests/support/SinkRecorder.h"
#include "tests/support/XvfbDisplay.h"

namespace soundtest {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using soruberia::testsupport::DieWithTest;
using soruberia::testsupport::kRecordRate;
using soruberia::testsupport::PulseSandbox;
using soruberia::testsupport::ToShiftJis;
using soruberia::testsupport::XvfbDisplay;
using Recorder = soruberia::testsupport::SinkRecorder;

constexpr double kChannelGain = 0.501;  // the game's sound channel, -6 dB

// Pitches far apart, levels and lengths all different, and rates and
// channel counts as content files may have them.
const Tone kO{"o.wav", 500.0, 0.50, 0.30, 44100, 1};
const Tone kX{"x.wav", 800.0, 0.40, 0.25, 44100, 1};
const Tone kPan{"pan.wav", 1250.0, 0.60, 0.35, 22050, 1};
const Tone kDame{"dame.wav", 1700.0, 0.35, 0.40, 48000, 2};
const Tone kGokaku{"gokaku.wav", 2300.0, 0.45, 0.50, 44100, 1};
const Tone* const kTones[] = {&kO, &kX, &kPan, &kDame, &kGokaku};

// Where to click, in twips of the window's client area, as the windows lay
// out their buttons (15 twips to the pixel).
struct Place {
    int left, top, width, height;
    int X() const { return (left + width / 2) / 15; }
    int Y() const { return (top + height / 2) / 15; }
};
constexpr Place kMenuStart{6465, 4920, 1395, 465};
constexpr Place kIon1{975, 750, 1530, 920};
constexpr Place kIon12{7090, 2610, 1530, 920};
constexpr Place kQuit{7230, 165, 1395, 465};

double Threshold(const Tone& tone) { return tone.amplitude * kChannelGain / 4; }

void WriteFile(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

// The program beside its content: every question's correct ions are 1 and
// 2, so ion 1 is a correct press and ion 12 a wrong one, whichever comes.
void MakeGameFolder(const fs::path& folder) {
    for (const char* name : {"問題", "図", "音"}) fs::create_directories(folder / name);
    std::string texts;
    std::string key;
    for (int q = 1; q <= 26; ++q) {
        texts += ToShiftJis("銀と鉄の問" + std::to_string(q)) + "\r\n";
        key += "2,1,2\r\n";
    }
    WriteFile(folder / "問題" / "mondai.txt", texts);
    WriteFile(folder / "問題" / "kotae.txt", key);
    WriteFile(folder / "問題" / "setumei.txt", ToShiftJis(QStringLiteral("音の試験です")) + "\r\n");
    fs::copy(fs::path(SORUBERIA_SOURCE_DIR) / "data" / "図", folder / "図",
             fs::copy_options::recursive);
    for (const Tone* tone : kTones) WriteTone(folder / "音" / tone->file, *tone);
    fs::copy_file(SORUBERIA_EXECUTABLE, folder / "soruberia");
}

class GameProcess {
public:
    GameProcess(const fs::path& folder, const QString& display, const QString& pulse)
        : errors_(folder.parent_path() / "game-errors.txt") {
        DieWithTest(game_);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("PULSE_SERVER"), pulse);
        env.insert(QStringLiteral("ALSOFT_DRIVERS"), QStringLiteral("pulse"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                   QString::fromStdString(folder.parent_path().string()));
        game_.setProcessEnvironment(env);
        // A fatal report says so here before its message box waits for a click.
        game_.setStandardErrorFile(QString::fromStdString(errors_.string()));
        game_.setWorkingDirectory(QString::fromStdString(fs::temp_directory_path().string()));
        game_.start(QString::fromStdString((folder / "soruberia").string()), {});
        if (!game_.waitForStarted(10000)) throw std::runtime_error("the game did not start");
    }
    ~GameProcess() {
        if (game_.state() != QProcess::NotRunning) {
            game_.kill();
            game_.waitForFinished(5000);
        }
    }
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    bool Running() const { return game_.state() != QProcess::NotRunning; }
    bool WaitForEnd(int ms) { return game_.waitForFinished(ms); }
    int ExitCode() const { return game_.exitCode(); }
    std::string Errors() const {
        std::ifstream in(errors_);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    fs::path errors_;
    QProcess game_;
};

class GameSoundTest : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "soruberia-sound-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        MakeGameFolder(root_ / "game");
        screen_ = std::make_unique<XvfbDisplay>(QSize(1024, 768));
        // The server's folder is the test's whole folder: should the test be
        // killed, the server's watchdog removes everything with it.
        pulse_ = std::make_unique<PulseSandbox>(QString::fromStdString(root_.string()));
    }
    void TearDown() override {
        pulse_.reset();
        screen_.reset();
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    // Clicks, then waits until the tone has been heard from start to end in
    // what was recorded since: the next click comes only once the game has
    // answered this one, however slow the machine.
    void ClickAndHear(const Mouse& mouse, const QString& window, const Place& place,
                      const Tone& tone, Recorder& recorder, GameProcess& game) {
        const std::int64_t from = recorder.Frames();
        mouse.Click(window, place.X(), place.Y());
        Hear(tone, from, recorder, game);
    }

    void Hear(const Tone& tone, std::int64_t from, Recorder& recorder, GameProcess& game) {
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        for (;;) {
            const auto take = recorder.Read(from);
            if (!Segments(Envelope(take[0], kRecordRate, tone.hertz), Threshold(tone), true).empty())
                return;
            if (!game.Running()) throw std::runtime_error("the game ended: " + game.Errors());
            if (std::chrono::steady_clock::now() > deadline) {
                std::string loudest;
                for (const Tone* t : kTones) {
                    const auto envelope = Envelope(take[0], kRecordRate, t->hertz);
                    const double peak =
                        envelope.empty() ? 0.0 : *std::max_element(envelope.begin(), envelope.end());
                    loudest += " " + std::string(t->file) + " " + std::to_string(peak);
                }
                throw std::runtime_error(std::string(tone.file) +
                                         " was not heard within 20 s (loudest since:" + loudest +
                                         "); game's errors: " + game.Errors());
            }
            std::this_thread::sleep_for(50ms);
        }
    }

    fs::path root_;
    std::unique_ptr<XvfbDisplay> screen_;
    std::unique_ptr<PulseSandbox> pulse_;
};

struct Heard {
    const Tone* tone;
    Segment left;
    double rightLevel;
};

TEST_F(GameSoundTest, CorrectPressWrongPressesAndFailureSoundInOrderAtMinusSixDecibels) {
    Recorder recorder(root_ / "take.raw", pulse_->Address());
    GameProcess game(root_ / "game", screen_->Name(), pulse_->Address());
    const Mouse mouse(screen_->Name());

    // The start button shows once the title is built up; click it until the
    // game window comes.
    const QString menu = mouse.WaitForWindow(QStringLiteral("メニュー"), 30s);
    QString window;
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while ((window = mouse.FindWindow(QStringLiteral("ソルベリア"))).isEmpty()) {
        ASSERT_TRUE(game.Running()) << game.Errors();
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the menu never opened the game";
        mouse.Click(menu, kMenuStart.X(), kMenuStart.Y());
        std::this_thread::sleep_for(300ms);
    }

    ClickAndHear(mouse, window, kIon1, kO, recorder, game);
    for (int miss = 1; miss <= 5; ++miss) {
        SCOPED_TRACE("miss " + std::to_string(miss));
        ClickAndHear(mouse, window, kIon12, kX, recorder, game);
    }
    // The failure: the burst at the end of the feedback pause, the failure
    // sound one wait later.
    std::int64_t from = recorder.Frames();
    Hear(kPan, from, recorder, game);
    from = recorder.Frames();
    Hear(kDame, from, recorder, game);

    mouse.Click(window, kQuit.X(), kQuit.Y());
    EXPECT_TRUE(game.WaitForEnd(10000)) << "the quit button did not end the game";
    EXPECT_EQ(game.ExitCode(), 0);

    // Everything heard, in the order heard.
    const auto take = recorder.Read();
    std::vector<Heard> heard;
    for (const Tone* tone : kTones) {
        const auto left = Segments(Envelope(take[0], kRecordRate, tone->hertz), Threshold(*tone));
        const auto right = Segments(Envelope(take[1], kRecordRate, tone->hertz), Threshold(*tone));
        for (const Segment& l : left) {
            double rightLevel = 0.0;
            for (const Segment& r : right) {
                if (r.first < l.last && l.first < r.last) rightLevel = r.level;
            }
            heard.push_back({tone, l, rightLevel});
        }
    }
    std::sort(heard.begin(), heard.end(),
              [](const Heard& a, const Heard& b) { return a.left.first < b.left.first; });

    std::vector<std::string> order;
    for (const Heard& h : heard) order.emplace_back(h.tone->file);
    const std::vector<std::string> expected{"o.wav", "x.wav", "x.wav", "x.wav",
                                            "x.wav", "x.wav", "pan.wav", "dame.wav"};
    ASSERT_EQ(order, expected);

    // Each heard whole, as long as its file, 6 dB below it on both sides.
    for (const Heard& h : heard) {
        const Samples file = ReadFirstChannel(root_ / "game" / "音" / h.tone->file);
        const auto inFile =
            Segments(Envelope(file.values, file.rate, h.tone->hertz), h.tone->amplitude / 4);
        ASSERT_EQ(inFile.size(), 1u) << h.tone->file;
        const double left = Decibels(h.left.level / inFile[0].level);
        const double right = Decibels(h.rightLevel / inFile[0].level);
        std::printf("%-10s at %6.3f s  %.3f s (file %.3f s)  %+.2f dB left  %+.2f dB right\n",
                    h.tone->file, h.left.first, h.left.Length(), inFile[0].Length(), left, right);
        EXPECT_NEAR(h.left.Length(), inFile[0].Length(), 0.025) << h.tone->file;
        EXPECT_NEAR(left, -6.0, 1.0) << h.tone->file;
        EXPECT_NEAR(right, -6.0, 1.0) << h.tone->file;
    }
    // The failure sound waits for Timer2, about a second after the burst.
    EXPECT_GE(heard[7].left.first - heard[6].left.first, 0.9);
}

}  // namespace
}  // namespace soundtest

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
