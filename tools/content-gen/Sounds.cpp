// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tools/content-gen/Sounds.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "content/FatalError.h"

namespace soruberia::contentgen {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

std::size_t Frames(double seconds) {
    return static_cast<std::size_t>(std::lround(seconds * kSampleRate));
}

double Time(std::size_t frame) { return static_cast<double>(frame) / kSampleRate; }

// A rise over `attack`, then exponential decay with time constant
// `decay`; zero outside 0..length, with a linear fade over the last
// `release` seconds so that no note ends in a click.
// 0 to 1 along half a cosine: a softer onset than a straight ramp.
double Rise(double x) { return 0.5 - 0.5 * std::cos(std::numbers::pi * x); }

double Envelope(double t, double length, double attack, double decay, double release) {
    if (t < 0.0 || t >= length) return 0.0;
    double level = t < attack ? Rise(t / attack) : std::exp(-(t - attack) / decay);
    if (t > length - release) level *= (length - t) / release;
    return level;
}

// A bell-like note: a few harmonic partials and one inharmonic one that
// dies away fast, for the strike.
void AddBell(Samples& out, double start, double frequency, double length, double decay,
             double gain) {
    const std::size_t first = Frames(start);
    for (std::size_t i = first; i < out.size(); ++i) {
        const double t = Time(i - first);
        if (t >= length) break;
        const double body = std::sin(kTwoPi * frequency * t) +
                            0.30 * std::sin(kTwoPi * 2.0 * frequency * t) +
                            0.08 * std::sin(kTwoPi * 3.0 * frequency * t);
        const double strike = 0.25 * std::sin(kTwoPi * 2.76 * frequency * t) * std::exp(-t / 0.04);
        out[i] += gain * Envelope(t, length, 0.005, decay, 0.05) * (body + strike);
    }
}

// A brass-like note: harmonics falling off as 1/n, brighter at the onset.
void AddBrass(Samples& out, double start, double frequency, double length, double gain) {
    const std::size_t first = Frames(start);
    double phase = 0.0;
    for (std::size_t i = first; i < out.size(); ++i) {
        const double t = Time(i - first);
        if (t >= length) break;
        // A gentle vibrato that sets in as the note is held.
        const double vibrato = 1.0 + 0.004 * std::sin(kTwoPi * 5.5 * t) * std::min(1.0, t / 0.3);
        phase += kTwoPi * frequency * vibrato / kSampleRate;
        const double brightness = 0.55 + 0.45 * std::exp(-t / 0.12);
        double wave = 0.0;
        for (int n = 1; n <= 8 && n * frequency < 12000.0; ++n)
            wave += std::pow(brightness, n - 1) / n * std::sin(n * phase);
        const double level = t < 0.02 ? Rise(t / 0.02) : 0.85 + 0.15 * std::exp(-(t - 0.02) / 0.08);
        const double fade = t > length - 0.06 ? (length - t) / 0.06 : 1.0;
        out[i] += gain * level * fade * wave;
    }
}

// The noise of the pop, from a fixed seed so every run writes the same file.
class Noise {
public:
    double Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return static_cast<double>(state_ >> 11) / static_cast<double>(1ULL << 52) - 1.0;
    }

private:
    std::uint64_t state_ = 0x2545F4914F6CDD1DULL;
};

}  // namespace

Samples CorrectChime() {
    Samples out(Frames(0.85), 0.0);
    AddBell(out, 0.00, 1318.51, 0.40, 0.20, 0.8);  // E6
    AddBell(out, 0.16, 1046.50, 0.69, 0.28, 1.0);  // C6
    return out;
}

Samples WrongBuzzer() {
    Samples out(Frames(0.55), 0.0);
    const double f = 140.0;
    auto buzz = [&](double start, double length) {
        const std::size_t first = Frames(start);
        for (std::size_t i = first; i < out.size(); ++i) {
            const double t = Time(i - first);
            if (t >= length) break;
            // A band-limited square and a slightly detuned saw beat together.
            double wave = 0.0;
            for (int n = 1; n * f < 6000.0; n += 2) wave += std::sin(kTwoPi * n * f * t) / n;
            for (int n = 1; n * f < 4000.0; ++n)
                wave += 0.35 * std::sin(kTwoPi * n * f * 1.012 * t) / n;
            out[i] += Envelope(t, length, 0.008, 10.0, 0.03) * wave;
        }
    };
    buzz(0.00, 0.13);
    buzz(0.19, 0.36);
    return out;
}

Samples BurstPop() {
    Samples out(Frames(0.30), 0.0);
    Noise noise;
    double smooth = 0.0;
    double phase = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        smooth += 0.35 * (noise.Next() - smooth);  // soften the hiss
        const double crack = smooth * Envelope(t, 0.30, 0.001, 0.022, 0.02);
        phase += kTwoPi * (50.0 + 70.0 * std::exp(-t / 0.03)) / kSampleRate;
        const double thump = std::sin(phase) * Envelope(t, 0.30, 0.002, 0.045, 0.05);
        out[i] = 1.6 * crack + 0.8 * thump;
    }
    return out;
}

Samples FallingTone() {
    const double length = 1.0;
    Samples out(Frames(length), 0.0);
    double phase = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const double glide = 660.0 * std::pow(200.0 / 660.0, t / length);
        const double frequency = glide * (1.0 + 0.02 * std::sin(kTwoPi * 6.0 * t));
        phase += kTwoPi * frequency / kSampleRate;
        // Odd harmonics falling as 1/n^2: a soft, triangle-like tone.
        const double wave = std::sin(phase) + std::sin(3.0 * phase) / 9.0 + std::sin(5.0 * phase) / 25.0;
        // Swells in, then sinks with the pitch.
        const double level = (t < 0.02 ? t / 0.02 : 1.0) * (0.3 + 0.7 * std::exp(-t / 0.4)) *
                             (t > length - 0.25 ? (length - t) / 0.25 : 1.0);
        out[i] = level * wave;
    }
    return out;
}

Samples PassFanfare() {
    Samples out(Frames(1.6), 0.0);
    const double c5 = 523.25, e5 = 659.26, g5 = 783.99, c6 = 1046.50;
    AddBrass(out, 0.00, c5, 0.14, 0.6);
    AddBrass(out, 0.15, e5, 0.14, 0.6);
    AddBrass(out, 0.30, g5, 0.14, 0.6);
    for (double f : {c5, e5, g5, c6}) AddBrass(out, 0.45, f, 1.15, 0.4);
    return out;
}

void WriteWav(const std::filesystem::path& path, Samples samples) {
    double peak = 0.0;
    for (double s : samples) peak = std::max(peak, std::abs(s));
    if (peak <= 0.0) throw FatalError(path.string() + ": the sound is silent");
    const double scale = std::pow(10.0, kPeakDbfs / 20.0) * 32767.0 / peak;
    std::vector<short> pcm(samples.size());
    std::transform(samples.begin(), samples.end(), pcm.begin(),
                   [scale](double s) { return static_cast<short>(std::lround(s * scale)); });

    SF_INFO info{};
    info.samplerate = kSampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) throw FatalError("cannot write " + path.string() + ": " + sf_strerror(nullptr));
    const auto frames = static_cast<sf_count_t>(pcm.size());
    const sf_count_t written = sf_write_short(file, pcm.data(), frames);
    const int closed = sf_close(file);
    if (written != frames || closed != 0)
        throw FatalError("cannot write " + path.string() + ": short write");
}

}  // namespace soruberia::contentgen
