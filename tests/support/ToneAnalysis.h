// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

// How a tone is found again in a recording: the amplitude at the tone's own
// frequency, step by step.

#include <cstddef>
#include <vector>

namespace soruberia::testsupport {

inline constexpr double kStepSeconds = 0.005;  // between envelope steps

// Amplitude at `hertz` in Hann-windowed 20 ms stretches, one every step.
std::vector<double> Envelope(const std::vector<double>& x, int rate, double hertz);
double StepSeconds(std::size_t step);  // centre of step `step`

double Decibels(double ratio);

}  // namespace soruberia::testsupport
