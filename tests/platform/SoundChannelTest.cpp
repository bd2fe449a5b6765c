// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The sound channel heard through a PulseAudio server of the test's own:
// its null sink's monitor is recorded and the recording analysed.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <QCoreApplication>

#include "platform/SoundChannel.h"
#include "tests/support/PulseSandbox.h"
#include "tests/support/SinkRecorder.h"
#include "tests/support/ToneAnalysis.h"
#include "tests/support/ToneFiles.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using soruberia::platform::SoundChannel;
using soruberia::testsupport::Decibels;
using soruberia::testsupport::kRecordRate;
using soruberia::testsupport::SampleFormat;
using soruberia::testsupport::WriteTone;
using Recorder = soruberia::testsupport::SinkRecorder;

namespace {

constexpr double kChannelGain = 0.501;  // -6 dB

std::string sandboxDir;
std::unique_ptr<soruberia::testsupport::PulseSandbox> pulse;

// Starts the server before anything opens an audio device: OpenAL Soft
// picks its backend once per process.
class PulseEnvironment : public testing::Environment {
public:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "soruberia-pulse-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        sandboxDir = pattern;
        try {
            pulse = std::make_unique<soruberia::testsupport::PulseSandbox>(
                QString::fromStdString(sandboxDir));
        } catch (const std::exception& error) {
            FAIL() << error.what();
        }
        setenv("PULSE_SERVER", pulse->Address().toLocal8Bit().constData(), 1);
        setenv("ALSOFT_DRIVERS", "pulse", 1);
    }
    void TearDown() override { pulse.reset(); }
};

// Where a tone is heard: each 5 ms step, the amplitude in a 20 ms window
// centred there; heard where it reaches half the given level.
struct Heard {
    double first = -1.0;  // seconds into the recording
    double last = -1.0;
    double Length() const { return last - first; }
};

std::vector<double> Envelope(const std::vector<double>& x, double hertz) {
    return soruberia::testsupport::Envelope(x, kRecordRate, hertz);
}

Heard Find(const std::vector<double>& envelope, double level) {
    Heard heard;
    for (std::size_t i = 0; i < envelope.size(); ++i) {
        if (envelope[i] >= level / 2) {
            if (heard.first < 0) heard.first = soruberia::testsupport::StepSeconds(i);
            heard.last = soruberia::testsupport::StepSeconds(i);
        }
    }
    return heard;
}

// The typical level while heard: the median of the steps above half of it.
double SteadyLevel(const std::vector<double>& envelope, double expected) {
    std::vector<double> above;
    for (double a : envelope) {
        if (a >= expected / 2) above.push_back(a);
    }
    if (above.empty()) return 0.0;
    std::nth_element(above.begin(), above.begin() + static_cast<long>(above.size() / 2),
                     above.end());
    return above[above.size() / 2];
}

class SoundChannelTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(sandboxDir.empty());
        dir_ = fs::path(sandboxDir) / testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::create_directories(dir_);
        // 0.8 s of 440 Hz, mono 16-bit at 44.1 kHz.
        WriteTone(dir_ / "a.wav", SampleFormat::Pcm16, 44100, 0.8, 440.0, {0.5});
        // 0.5 s of 880 Hz, stereo float at 22.05 kHz, right half as loud.
        WriteTone(dir_ / "b.wav", SampleFormat::Float, 22050, 0.5, 880.0, {0.5, 0.25});
    }

    std::string Path(const char* name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

TEST_F(SoundChannelTest, SecondSoundCutsOffTheFirstAndIsHeardWholeAtMinusSixDecibels) {
    SoundChannel channel;
    Recorder recorder(dir_ / "take.raw", pulse->Address());

    const auto framesAtPlay = recorder.Frames();
    channel.Play(Path("a.wav"));
    std::this_thread::sleep_for(300ms);
    channel.Play(Path("b.wav"));
    std::this_thread::sleep_for(1000ms);
    recorder.Stop();
    const auto take = recorder.Read();
    ASSERT_GT(take[0].size(), static_cast<std::size_t>(kRecordRate));

    const auto a440 = Envelope(take[0], 440.0);
    const auto b880Left = Envelope(take[0], 880.0);
    const auto b880Right = Envelope(take[1], 880.0);
    const double aLevel = SteadyLevel(a440, 0.5 * kChannelGain);
    const double bLeft = SteadyLevel(b880Left, 0.5 * kChannelGain);
    const double bRight = SteadyLevel(b880Right, 0.25 * kChannelGain);
    const Heard a = Find(a440, aLevel);
    const Heard b = Find(b880Left, bLeft);
    ASSERT_GE(a.first, 0.0) << "the first sound was never heard";
    ASSERT_GE(b.first, 0.0) << "the second sound was never heard";

    const double gainA = Decibels(aLevel / 0.5);
    const double gainLeft = Decibels(bLeft / 0.5);
    const double gainRight = Decibels(bRight / 0.25);
    std::printf("first sound heard %.3f s, cut %.3f s after the second began\n", a.Length(),
                a.last - b.first);
    std::printf("second sound heard %.3f s of 0.500 s\n", b.Length());
    std::printf("gain: mono %.2f dB, left %.2f dB, right %.2f dB\n", gainA, gainLeft, gainRight);
    std::printf("play to first sound about %.0f ms\n",
                (a.first - static_cast<double>(framesAtPlay) / kRecordRate) * 1000.0);

    // The first sound stops where the second begins (one 5 ms step of slack
    // for the 20 ms window), and was playing until then.
    EXPECT_LE(a.last, b.first + 0.010);
    EXPECT_GE(a.Length(), 0.15);
    // The second is heard whole: 0.5 s less the two 10 ms fades' halves.
    EXPECT_NEAR(b.Length(), 0.49, 0.02);
    // 6 dB below the file, on each channel as the file has it.
    EXPECT_NEAR(gainA, -6.0, 1.0);
    EXPECT_NEAR(gainLeft, -6.0, 1.0);
    EXPECT_NEAR(gainRight, -6.0, 1.0);
}

TEST_F(SoundChannelTest, NamingTheSameFileAgainStartsItFromTheBeginning) {
    SoundChannel channel;
    Recorder recorder(dir_ / "take.raw", pulse->Address());

    channel.Play(Path("a.wav"));
    const auto firstPlay = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(400ms);
    channel.Play(Path("a.wav"));
    const std::chrono::duration<double> gap = std::chrono::steady_clock::now() - firstPlay;
    std::this_thread::sleep_for(1200ms);
    recorder.Stop();
    const auto take = recorder.Read();

    const auto a440 = Envelope(take[0], 440.0);
    const Heard a = Find(a440, SteadyLevel(a440, 0.5 * kChannelGain));
    ASSERT_GE(a.first, 0.0) << "the sound was never heard";
    // Heard from the first start to the end of the full second playing. The
    // gap is timed by the wall clock, the sound by the server, whose start-up
    // latency varies under load; a sound that went on instead of restarting
    // would be 0.4 s shorter.
    EXPECT_NEAR(a.Length(), gap.count() + 0.79, 0.1);
}

TEST_F(SoundChannelTest, StopSilencesTheChannel) {
    SoundChannel channel;
    Recorder recorder(dir_ / "take.raw", pulse->Address());

    channel.Play(Path("a.wav"));
    std::this_thread::sleep_for(300ms);
    channel.Stop();
    std::this_thread::sleep_for(800ms);
    recorder.Stop();
    const auto take = recorder.Read();

    const auto a440 = Envelope(take[0], 440.0);
    const Heard a = Find(a440, SteadyLevel(a440, 0.5 * kChannelGain));
    ASSERT_GE(a.first, 0.0) << "the sound was never heard";
    EXPECT_NEAR(a.Length(), 0.3, 0.1);
}

TEST_F(SoundChannelTest, UnplayableFileIsReportedOnceAndNeverThrows) {
    std::ofstream(dir_ / "text.wav") << "not a sound\n";
    const std::string missing = Path("missing.wav");
    const std::string text = Path("text.wav");
    SoundChannel channel;

    testing::internal::CaptureStderr();
    EXPECT_NO_THROW(channel.Play(missing));
    EXPECT_NO_THROW(channel.Play(missing));
    EXPECT_NO_THROW(channel.Play(text));
    EXPECT_NO_THROW(channel.Play(text));
    const std::string err = testing::internal::GetCapturedStderr();

    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2) << err;
    EXPECT_THAT(err, testing::HasSubstr("ソルベリア: 音を鳴らせません: " + missing +
                                        " (ファイルがありません)\n"));
    EXPECT_THAT(err, testing::HasSubstr("ソルベリア: 音を鳴らせません: " + text +
                                        " (音のファイルとして認識できない形式です)\n"));
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    testing::AddGlobalTestEnvironment(new PulseEnvironment);
    return RUN_ALL_TESTS();
}
