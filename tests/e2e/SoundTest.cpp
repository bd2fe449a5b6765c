// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The game heard: each sound file of the content folder is a tone of its own
// pitch, recorded from the session's sound server, so the recording tells
// which file was heard, when, how long and how loud.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "tests/e2e/FrontEnd.h"
#include "tests/e2e/Play.h"
#include "tests/support/SinkRecorder.h"
#include "tests/support/ToneAnalysis.h"
#include "tests/support/ToneFiles.h"

namespace soruberia::e2e {
namespace {

namespace fs = std::filesystem;
using testsupport::Decibels;
using testsupport::Envelope;
using testsupport::kRecordRate;
using testsupport::Segment;
using testsupport::Segments;
using testsupport::SinkRecorder;

constexpr double kChannelGain = 0.501;  // the game's sound channel, -6 dB

struct Tone {
    const char* file;  // name in folder 音
    double hertz;
    double amplitude;  // peak, of full scale
    double seconds;
    int rate;
    int channels;
};

// Pitches far apart, levels and lengths all different, and rates and
// channel counts as content files may have them.
const Tone kO{"o.wav", 500.0, 0.50, 0.30, 44100, 1};
const Tone kX{"x.wav", 800.0, 0.40, 0.25, 44100, 1};
const Tone kPan{"pan.wav", 1250.0, 0.60, 0.35, 22050, 1};
const Tone kDame{"dame.wav", 1700.0, 0.35, 0.40, 48000, 2};
const Tone kGokaku{"gokaku.wav", 2300.0, 0.45, 0.50, 44100, 1};
const Tone* const kTones[] = {&kO, &kX, &kPan, &kDame, &kGokaku};

double Threshold(const Tone& tone) { return tone.amplitude * kChannelGain / 4; }

// Waits until `tone` has been heard from start to end in what was recorded
// since `from`: the next step comes only once the game has answered this
// one, however slow the machine.
void Hear(const Tone& tone, std::int64_t from, const SinkRecorder& recorder, Session& session) {
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    for (;;) {
        const auto take = recorder.Read(from);
        if (!Segments(Envelope(take[0], kRecordRate, tone.hertz), Threshold(tone), true).empty()) return;
        if (!session.Running()) throw std::runtime_error("the game ended: " + session.Errors().toStdString());
        if (std::chrono::steady_clock::now() > deadline) {
            std::string loudest;
            for (const Tone* t : kTones) {
                const auto envelope = Envelope(take[0], kRecordRate, t->hertz);
                const double peak = envelope.empty() ? 0.0 : *std::max_element(envelope.begin(), envelope.end());
                loudest += " " + std::string(t->file) + " " + std::to_string(peak);
            }
            throw std::runtime_error(std::string(tone.file) + " was not heard within 20 s (loudest since:" +
                                     loudest + ")");
        }
        std::this_thread::sleep_for(50ms);
    }
}

struct Heard {
    const Tone* tone;
    Segment left;
    double rightLevel;
};

// What is wrong with the recording from `from` on, one line each.
std::vector<std::string> Judge(const SinkRecorder& recorder, std::int64_t from, const Session& session) {
    const auto take = recorder.Read(from);
    std::vector<Heard> heard;
    for (const Tone* tone : kTones) {
        const auto left = Segments(Envelope(take[0], kRecordRate, tone->hertz), Threshold(*tone));
        const auto right = Segments(Envelope(take[1], kRecordRate, tone->hertz), Threshold(*tone));
        for (const Segment& l : left) {
            double rightLevel = 0.0;
            for (const Segment& r : right)
                if (r.first < l.last && l.first < r.last) rightLevel = r.level;
            heard.push_back({tone, l, rightLevel});
        }
    }
    std::sort(heard.begin(), heard.end(),
              [](const Heard& a, const Heard& b) { return a.left.first < b.left.first; });

    std::vector<std::string> faults;
    std::string order;
    for (const Heard& h : heard) order += std::string(h.tone->file) + " ";
    if (order != "o.wav x.wav x.wav x.wav x.wav x.wav pan.wav dame.wav ") {
        faults.push_back("heard " + order);
        return faults;
    }
    // Each heard whole, as long as its file, 6 dB below it on both sides.
    for (const Heard& h : heard) {
        const testsupport::Samples file =
            testsupport::ReadFirstChannel(session.PathOf(QStringLiteral("音/") + QLatin1String(h.tone->file)).toStdString());
        const auto inFile = Segments(Envelope(file.values, file.rate, h.tone->hertz), h.tone->amplitude / 4);
        if (inFile.size() != 1) throw std::runtime_error(std::string("not one tone in ") + h.tone->file);
        const double left = Decibels(h.left.level / inFile[0].level);
        const double right = Decibels(h.rightLevel / inFile[0].level);
        std::printf("%-10s at %6.3f s  %.3f s (file %.3f s)  %+.2f dB left  %+.2f dB right\n", h.tone->file,
                    h.left.first, h.left.Length(), inFile[0].Length(), left, right);
        const std::string which = std::string(h.tone->file) + " at " + std::to_string(h.left.first) + " s: ";
        if (std::abs(h.left.Length() - inFile[0].Length()) > 0.025)
            faults.push_back(which + "heard for " + std::to_string(h.left.Length()) + " s, not " +
                             std::to_string(inFile[0].Length()) + " s");
        if (std::abs(left + 6.0) > 1.0 || std::abs(right + 6.0) > 1.0)
            faults.push_back(which + std::to_string(left) + " dB left, " + std::to_string(right) +
                             " dB right, not -6 dB");
    }
    // The failure sound waits for Timer2, about a second after the burst.
    if (heard[7].left.first - heard[6].left.first < 0.9) faults.push_back("dame.wav came too soon after pan.wav");
    return faults;
}

class SoundTest : public ::testing::TestWithParam<FrontEnd> {};

TEST_P(SoundTest, RightPressMissesAndFailureHeardWholeInOrderAtMinusSixDecibels) {
    const FrontEnd front = GetParam();
    if (const std::string missing = MissingFor(front); !missing.empty()) GTEST_SKIP() << missing;
    Session session(front);
    for (const Tone* tone : kTones) {
        const fs::path file = session.PathOf(QStringLiteral("音/") + QLatin1String(tone->file)).toStdString();
        testsupport::WriteTone(file, testsupport::SampleFormat::Pcm16, tone->rate, tone->seconds, tone->hertz,
                               std::vector<double>(static_cast<std::size_t>(tone->channels), tone->amplitude));
    }
    const SinkRecorder recorder(session.PathOf(QStringLiteral("../take.raw")).toStdString(), session.SoundServer());

    // A sound server starved of time on a busy machine drops sound (Wine's
    // client more readily than OpenAL's); a fault of the program shows in
    // every attempt, so each program has three.
    const int attempts = 3;
    std::vector<std::string> faults;
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        const std::int64_t from = recorder.Frames();
        const std::optional<MenuView> menu = StartAtMenu(session);
        ASSERT_TRUE(menu);
        const std::optional<GameView> game = StartGame(session, *menu);
        ASSERT_TRUE(game);
        std::int64_t since = recorder.Frames();
        game->ClickIon(1);
        Hear(kO, since, recorder, session);
        for (int miss = 1; miss <= 5; ++miss) {
            since = recorder.Frames();
            game->ClickIon(kWrongIon);
            Hear(kX, since, recorder, session);
        }
        // The failure: the burst at the end of the feedback pause, the
        // failure sound one wait later.
        since = recorder.Frames();
        Hear(kPan, since, recorder, session);
        since = recorder.Frames();
        Hear(kDame, since, recorder, session);
        game->Press("Command2");
        EndsWell(session, "the quit button");
        if (HasFatalFailure()) return;
        faults = Judge(recorder, from, session);
        if (faults.empty()) return;
        for (const std::string& fault : faults) std::printf("attempt %d: %s\n", attempt, fault.c_str());
    }
    for (const std::string& fault : faults) ADD_FAILURE() << fault;
}

INSTANTIATE_TEST_SUITE_P(Both, SoundTest, ::testing::Values(FrontEnd::Qt, FrontEnd::Wine),
                         [](const ::testing::TestParamInfo<FrontEnd>& param) { return NameOf(param.param); });

}  // namespace
}  // namespace soruberia::e2e

namespace soruberia::e2e {
namespace {

// The Windows program's sound channel alone (play-sounds.exe): a tone is
// heard whole at 6 dB below the file's level on both sides, and a sound
// named while another plays cuts that one off.
TEST(WineSoundChannelTest, HeardWholeAndCutOffByTheNextSound) {
    if (const std::string missing = MissingFor(FrontEnd::Wine); !missing.empty()) GTEST_SKIP() << missing;
    Session session(FrontEnd::Wine);
    const QString folder = session.PathOf(QStringLiteral("音"));
    const auto write = [&](const char* name, double seconds, double hertz, double amplitude) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(name);
        testsupport::WriteTone(path.toStdString(), testsupport::SampleFormat::Pcm16, 48000, seconds, hertz,
                               {amplitude, amplitude});
        return WinePrefix::WindowsPath(path);
    };
    constexpr double kAmplitude = 0.5;
    const QString silence = write("silence.wav", 0.5, 1000.0, 0.0);
    const QString longTone = write("long.wav", 1.0, 1000.0, kAmplitude);
    const QString shortTone = write("short.wav", 0.4, 500.0, kAmplitude);
    const auto inFile = [&](const char* name, double hertz) {
        const testsupport::Samples file = testsupport::ReadFirstChannel((folder + QLatin1Char('/') + QLatin1String(name)).toStdString());
        return Segments(Envelope(file.values, file.rate, hertz), kAmplitude / 4).at(0);
    };
    const Segment wholeLong = inFile("long.wav", 1000.0);
    const Segment wholeShort = inFile("short.wav", 500.0);
    const SinkRecorder recorder(session.PathOf(QStringLiteral("../take.raw")).toStdString(), session.SoundServer());

    std::vector<std::string> faults;
    // Wine drops sound it could not feed in time on a busy machine; a fault
    // of the channel shows in every attempt.
    for (int attempt = 1; attempt <= 3; ++attempt) {
        const std::int64_t from = recorder.Frames();
        // A first, silent sound opens the device; then the long tone alone,
        // then the long tone cut off after 0.3 s by the short one.
        session.Wine()->Run(session.DesktopEnvironment(),
                            {QStringLiteral(SORUBERIA_PLAY_SOUNDS), silence, QStringLiteral("1000"), longTone,
                             QStringLiteral("1800"), longTone, QStringLiteral("300"), shortTone,
                             QStringLiteral("1200")});
        std::this_thread::sleep_for(500ms);
        const auto take = recorder.Read(from);
        const double threshold = kAmplitude * kChannelGain / 4;
        const auto longs = Segments(Envelope(take[0], kRecordRate, 1000.0), threshold);
        const auto shorts = Segments(Envelope(take[0], kRecordRate, 500.0), threshold);
        const auto longsRight = Segments(Envelope(take[1], kRecordRate, 1000.0), threshold);
        faults.clear();
        if (longs.size() != 2 || shorts.size() != 1 || longsRight.size() != 2) {
            faults.push_back("heard " + std::to_string(longs.size()) + " long and " + std::to_string(shorts.size()) +
                             " short tones, not 2 and 1");
        } else {
            std::printf("long %.3f s, long %.3f s, short %.3f s at %.3f s after the second long\n",
                        longs[0].Length(), longs[1].Length(), shorts[0].Length(), shorts[0].first - longs[1].first);
            if (std::abs(longs[0].Length() - wholeLong.Length()) > 0.025)
                faults.push_back("the long tone alone was heard for " + std::to_string(longs[0].Length()) + " s");
            if (shorts[0].first < longs[0].last) faults.push_back("the short tone sounded before it was named");
            if (longs[1].Length() > wholeLong.Length() - 0.3)
                faults.push_back("the long tone was heard whole although the short one was named after 0.3 s");
            if (longs[1].last > shorts[0].first + 0.03)
                faults.push_back("the long tone went on after the short one began");
            if (std::abs(shorts[0].Length() - wholeShort.Length()) > 0.025)
                faults.push_back("the short tone was heard for " + std::to_string(shorts[0].Length()) + " s");
            const double left = Decibels(longs[0].level / wholeLong.level);
            const double right = Decibels(longsRight[0].level / wholeLong.level);
            std::printf("long tone %+.2f dB left, %+.2f dB right of the file\n", left, right);
            if (std::abs(left + 6.0) > 1.0 || std::abs(right - left) > 0.2)
                faults.push_back("the long tone at " + std::to_string(left) + " dB left, " + std::to_string(right) +
                                 " dB right, not -6 dB on both sides");
        }
        if (faults.empty()) return;
        for (const std::string& fault : faults) std::printf("attempt %d: %s\n", attempt, fault.c_str());
    }
    for (const std::string& fault : faults) ADD_FAILURE() << fault;
}

}  // namespace
}  // namespace soruberia::e2e
