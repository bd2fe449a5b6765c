#include "tests/sound/Tones.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace soundtest {

namespace {

constexpr double kWindowSeconds = 0.020;
constexpr double kStepSeconds = 0.005;
constexpr double kBridgeSeconds = 0.030;
constexpr double kShortestSeconds = 0.020;

// Goertzel at the exact frequency, Hann-windowed: a steady tone reads its
// own amplitude.
double ToneAmplitude(const std::vector<double>& x, std::size_t start, std::size_t length,
                     double hertz, int rate) {
    const double w = 2.0 * std::numbers::pi * hertz / rate;
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

}  // namespace

void WriteTone(const std::filesystem::path& file, const Tone& tone) {
    SF_INFO info{};
    info.samplerate = tone.rate;
    info.channels = tone.channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* out = sf_open(file.c_str(), SFM_WRITE, &info);
    if (out == nullptr) throw std::runtime_error("cannot write " + file.string());
    const auto frames = static_cast<std::size_t>(tone.seconds * tone.rate);
    const double fade = 0.010 * tone.rate;
    std::vector<double> samples;
    for (std::size_t f = 0; f < frames; ++f) {
        const double edge = static_cast<double>(std::min(f, frames - 1 - f));
        const double envelope = std::min(1.0, edge / fade);
        const double wave =
            std::sin(2.0 * std::numbers::pi * tone.hertz * static_cast<double>(f) / tone.rate);
        for (int c = 0; c < tone.channels; ++c) samples.push_back(tone.amplitude * envelope * wave);
    }
    const sf_count_t written = sf_writef_double(out, samples.data(), static_cast<sf_count_t>(frames));
    sf_close(out);
    if (written != static_cast<sf_count_t>(frames)) throw std::runtime_error("short write " + file.string());
}

Samples ReadFirstChannel(const std::filesystem::path& file) {
    SF_INFO info{};
    SNDFILE* in = sf_open(file.c_str(), SFM_READ, &info);
    if (in == nullptr) throw std::runtime_error("cannot read " + file.string());
    std::vector<double> all(static_cast<std::size_t>(info.frames * info.channels));
    const sf_count_t read = sf_readf_double(in, all.data(), info.frames);
    sf_close(in);
    Samples samples;
    samples.rate = info.samplerate;
    for (sf_count_t f = 0; f < read; ++f) {
        samples.values.push_back(all[static_cast<std::size_t>(f * info.channels)]);
    }
    return samples;
}

std::vector<double> Envelope(const std::vector<double>& x, int rate, double hertz) {
    const auto window = static_cast<std::size_t>(kWindowSeconds * rate);
    const auto step = static_cast<std::size_t>(kStepSeconds * rate);
    std::vector<double> envelope;
    for (std::size_t start = 0; start + window <= x.size(); start += step) {
        envelope.push_back(ToneAmplitude(x, start, window, hertz, rate));
    }
    return envelope;
}

double StepSeconds(std::size_t step) {
    return static_cast<double>(step) * kStepSeconds + kWindowSeconds / 2;
}

std::vector<Segment> Segments(const std::vector<double>& envelope, double threshold,
                              bool closedOnly) {
    struct Run {
        std::size_t first, last;
    };
    std::vector<Run> runs;
    const auto bridge = static_cast<std::size_t>(kBridgeSeconds / kStepSeconds);
    for (std::size_t i = 0; i < envelope.size(); ++i) {
        if (envelope[i] < threshold) continue;
        if (!runs.empty() && i - runs.back().last <= bridge) {
            runs.back().last = i;
        } else {
            runs.push_back({i, i});
        }
    }
    std::vector<Segment> segments;
    for (const Run& run : runs) {
        if (closedOnly && envelope.size() - 1 - run.last <= bridge) continue;
        Segment segment;
        segment.first = StepSeconds(run.first);
        segment.last = StepSeconds(run.last);
        if (segment.Length() < kShortestSeconds) continue;
        const double peak = *std::max_element(envelope.begin() + static_cast<long>(run.first),
                                              envelope.begin() + static_cast<long>(run.last) + 1);
        std::vector<double> steady;
        for (std::size_t i = run.first; i <= run.last; ++i) {
            if (envelope[i] >= peak / 2) steady.push_back(envelope[i]);
        }
        std::nth_element(steady.begin(), steady.begin() + static_cast<long>(steady.size() / 2),
                         steady.end());
        segment.level = steady[steady.size() / 2];
        segments.push_back(segment);
    }
    return segments;
}

double Decibels(double ratio) { return 20.0 * std::log10(ratio); }

}  // namespace soundtest
