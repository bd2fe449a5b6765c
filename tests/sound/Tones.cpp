// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/sound/Tones.h"

#include <algorithm>

namespace soundtest {

namespace {

using soruberia::testsupport::kStepSeconds;

constexpr double kBridgeSeconds = 0.030;
constexpr double kShortestSeconds = 0.020;

}  // namespace

void WriteTone(const std::filesystem::path& file, const Tone& tone) {
    soruberia::testsupport::WriteTone(file, soruberia::testsupport::SampleFormat::Pcm16, tone.rate,
                                      tone.seconds, tone.hertz,
                                      std::vector<double>(static_cast<std::size_t>(tone.channels),
                                                          tone.amplitude));
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
        segment.first = soruberia::testsupport::StepSeconds(run.first);
        segment.last = soruberia::testsupport::StepSeconds(run.last);
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

}  // namespace soundtest
