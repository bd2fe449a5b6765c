// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

// Test tones, one pitch per sound file, and the stretches of a recording
// where one is heard.

#include <filesystem>
#include <vector>

#include "tests/support/ToneAnalysis.h"
#include "tests/support/ToneFiles.h"

namespace soundtest {

using soruberia::testsupport::Decibels;
using soruberia::testsupport::Envelope;
using soruberia::testsupport::ReadFirstChannel;
using soruberia::testsupport::Samples;

struct Tone {
    const char* file;  // name in folder 音
    double hertz;
    double amplitude;  // peak, of full scale
    double seconds;
    int rate;
    int channels;
};

// The tone as 16-bit PCM, the same on every channel.
void WriteTone(const std::filesystem::path& file, const Tone& tone);

// A stretch where the envelope stays at or above a threshold.
struct Segment {
    double first = 0.0;  // seconds, centres of the first and last steps
    double last = 0.0;
    double level = 0.0;  // median amplitude of its steps above half its peak
    double Length() const { return last - first; }
};

// Stretches above `threshold`; gaps under 30 ms are bridged and stretches
// under 20 ms, a click rather than a sound, are dropped. With `closedOnly`,
// a stretch still running at the end of the data is left out.
std::vector<Segment> Segments(const std::vector<double>& envelope, double threshold,
                              bool closedOnly = false);

}  // namespace soundtest
