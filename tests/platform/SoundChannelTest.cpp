// The sound channel heard through a PulseAudio server of the test's own:
// its null sink's monitor is recorded and the recording analysed.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <thread>
#include <vector>

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

#include "platform/SoundChannel.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using soruberia::platform::SoundChannel;

namespace {

constexpr int kRecordRate = 48000;
constexpr double kChannelGain = 0.501;  // -6 dB

std::string sandboxDir;

void RunSandbox(const char* action) {
    // The owner's id lets the server go even if this process is killed.
    const std::string command = std::string("sh '") + PULSE_SANDBOX_SCRIPT + "' " + action +
                                " '" + sandboxDir + "' " + std::to_string(getpid());
    const int status = std::system(command.c_str());
    ASSERT_EQ(status, 0) << "could not " << action << " the test's PulseAudio (" << command
                         << ")";
}

// Starts the server before anything opens an audio device: OpenAL Soft
// picks its backend once per process.
class PulseSandbox : public testing::Environment {
public:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "soruberia-pulse-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        sandboxDir = pattern;
        RunSandbox("start");
        const std::string server = "unix:" + sandboxDir + "/native";
        setenv("PULSE_SERVER", server.c_str(), 1);
        setenv("ALSOFT_DRIVERS", "pulse", 1);
    }
    void TearDown() override {
        if (!sandboxDir.empty()) RunSandbox("stop");
    }
};

// A sine tone with 10 ms fades at both ends; one amplitude per channel.
void WriteTone(const fs::path& file, int format, int rate, double seconds, double hertz,
               const std::vector<double>& amplitudes) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = static_cast<int>(amplitudes.size());
    info.format = SF_FORMAT_WAV | format;
    SNDFILE* out = sf_open(file.c_str(), SFM_WRITE, &info);
    ASSERT_NE(out, nullptr) << sf_strerror(nullptr);
    const auto frames = static_cast<std::size_t>(seconds * rate);
    const double fade = 0.010 * rate;
    std::vector<double> samples;
    for (std::size_t f = 0; f < frames; ++f) {
        const double edge = std::min(static_cast<double>(f), static_cast<double>(frames - 1 - f));
        const double envelope = std::min(1.0, edge / fade);
        const double wave =
            std::sin(2.0 * std::numbers::pi * hertz * static_cast<double>(f) / rate);
        for (double a : amplitudes) samples.push_back(a * envelope * wave);
    }
    ASSERT_EQ(sf_writef_double(out, samples.data(), static_cast<sf_count_t>(frames)),
              static_cast<sf_count_t>(frames));
    sf_close(out);
}

// parec on the null sink's monitor, raw 16-bit stereo at 48 kHz.
class Recorder {
public:
    explicit Recorder(fs::path file) : file_(std::move(file)) {
        process_.setStandardOutputFile(QString::fromStdString(file_.string()));
        process_.start("parec", {"--device=sandbox.monitor", "--format=s16le", "--channels=2",
                                 "--rate=48000", "--latency-msec=10", "--raw"});
        EXPECT_TRUE(process_.waitForStarted(5000)) << "parec did not start";
        // The null sink renders silence while idle, so data flows at once.
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (Frames() < kRecordRate / 5 && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(10ms);
        }
        EXPECT_GE(Frames(), kRecordRate / 5) << "parec records nothing";
    }
    ~Recorder() { Finish(); }

    long Frames() const { return static_cast<long>(QFileInfo(file_.c_str()).size() / 4); }

    void Finish() {
        if (process_.state() == QProcess::NotRunning) return;
        // Everything to be analysed was written long ago; parec takes
        // seconds to end on SIGTERM.
        process_.kill();
        process_.waitForFinished(5000);
    }

    // Left and right channels as -1..1.
    std::vector<std::vector<double>> Channels() {
        Finish();
        std::ifstream in(file_, std::ios::binary);
        std::vector<std::vector<double>> channels(2);
        std::int16_t frame[2];
        while (in.read(reinterpret_cast<char*>(frame), sizeof frame)) {
            channels[0].push_back(frame[0] / 32768.0);
            channels[1].push_back(frame[1] / 32768.0);
        }
        return channels;
    }

private:
    fs::path file_;
    QProcess process_;
};

// Amplitude of one frequency in a Hann-windowed stretch (Goertzel at the
// exact frequency, so a steady tone reads its own amplitude).
double ToneAmplitude(const std::vector<double>& x, std::size_t start, std::size_t length,
                     double hertz) {
    const double w = 2.0 * std::numbers::pi * hertz / kRecordRate;
    const double coefficient = 2.0 * std::cos(w);
    double s1 = 0.0, s2 = 0.0, windowSum = 0.0;
    for (std::size_t n = 0; n < length; ++n) {
        const double hann = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(n) /
                                                 static_cast<double>(length - 1));
        windowSum += hann;
        const double s0 = hann * x[start + n] + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    const double re = s1 - s2 * std::cos(w);
    const double im = s2 * std::sin(w);
    return 2.0 * std::hypot(re, im) / windowSum;
}

// Where a tone is heard: each 5 ms step, the amplitude in a 20 ms window
// centred there; heard where it reaches half the given level.
struct Heard {
    double first = -1.0;  // seconds into the recording
    double last = -1.0;
    double Length() const { return last - first; }
};

constexpr std::size_t kWindow = kRecordRate / 50;
constexpr std::size_t kStep = kRecordRate / 200;

std::vector<double> Envelope(const std::vector<double>& x, double hertz) {
    std::vector<double> envelope;
    for (std::size_t start = 0; start + kWindow <= x.size(); start += kStep) {
        envelope.push_back(ToneAmplitude(x, start, kWindow, hertz));
    }
    return envelope;
}

double StepTime(std::size_t i) {
    return static_cast<double>(i * kStep + kWindow / 2) / kRecordRate;
}

Heard Find(const std::vector<double>& envelope, double level) {
    Heard heard;
    for (std::size_t i = 0; i < envelope.size(); ++i) {
        if (envelope[i] >= level / 2) {
            if (heard.first < 0) heard.first = StepTime(i);
            heard.last = StepTime(i);
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

double Decibels(double ratio) { return 20.0 * std::log10(ratio); }

class SoundChannelTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(sandboxDir.empty());
        dir_ = fs::path(sandboxDir) / testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::create_directories(dir_);
        // 0.8 s of 440 Hz, mono 16-bit at 44.1 kHz.
        WriteTone(dir_ / "a.wav", SF_FORMAT_PCM_16, 44100, 0.8, 440.0, {0.5});
        // 0.5 s of 880 Hz, stereo float at 22.05 kHz, right half as loud.
        WriteTone(dir_ / "b.wav", SF_FORMAT_FLOAT, 22050, 0.5, 880.0, {0.5, 0.25});
    }

    std::string Path(const char* name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

TEST_F(SoundChannelTest, SecondSoundCutsOffTheFirstAndIsHeardWholeAtMinusSixDecibels) {
    SoundChannel channel;
    Recorder recorder(dir_ / "take.raw");

    const long framesAtPlay = recorder.Frames();
    channel.Play(Path("a.wav"));
    std::this_thread::sleep_for(300ms);
    channel.Play(Path("b.wav"));
    std::this_thread::sleep_for(1000ms);
    const auto take = recorder.Channels();
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
    Recorder recorder(dir_ / "take.raw");

    channel.Play(Path("a.wav"));
    const auto firstPlay = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(400ms);
    channel.Play(Path("a.wav"));
    const std::chrono::duration<double> gap = std::chrono::steady_clock::now() - firstPlay;
    std::this_thread::sleep_for(1200ms);
    const auto take = recorder.Channels();

    const auto a440 = Envelope(take[0], 440.0);
    const Heard a = Find(a440, SteadyLevel(a440, 0.5 * kChannelGain));
    ASSERT_GE(a.first, 0.0) << "the sound was never heard";
    // Heard from the first start to the end of the full second playing.
    EXPECT_NEAR(a.Length(), gap.count() + 0.79, 0.04);
}

TEST_F(SoundChannelTest, StopSilencesTheChannel) {
    SoundChannel channel;
    Recorder recorder(dir_ / "take.raw");

    channel.Play(Path("a.wav"));
    std::this_thread::sleep_for(300ms);
    channel.Stop();
    std::this_thread::sleep_for(800ms);
    const auto take = recorder.Channels();

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
    EXPECT_THAT(err, testing::HasSubstr(missing));
    EXPECT_THAT(err, testing::HasSubstr(text));
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    testing::AddGlobalTestEnvironment(new PulseSandbox);
    return RUN_ALL_TESTS();
}
