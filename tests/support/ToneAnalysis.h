// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

// How a tone is found again in a recording: the amplitude at the tone's own
// frequency, step by step, and the stretches where it is heard.

#include <cstddef>
#include <vector>

namespace soruberia::testsupport {

inline constexpr double kStepSeconds = 0.005;  // between envelope steps

// Amplitude at `hertz` in Hann-windowed 20 ms stretches, one every step.
std::vector<double> Envelope(const std::vector<double>& x, int rate, double hertz);
double StepSeconds(std::size_t step);  // centre of step `step`

double Decibels(double ratio);

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

}  // namespace soruberia::testsupport
