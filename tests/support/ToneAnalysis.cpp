// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/support/ToneAnalysis.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace soruberia::testsupport {

namespace {

constexpr double kWindowSeconds = 0.020;
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

double Decibels(double ratio) { return 20.0 * std::log10(ratio); }

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


}  // namespace soruberia::testsupport
