// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/support/ToneFiles.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

namespace soruberia::testsupport {

void WriteTone(const std::filesystem::path& file, SampleFormat format, int rate, double seconds,
               double hertz, const std::vector<double>& amplitudes) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = static_cast<int>(amplitudes.size());
    info.format = SF_FORMAT_WAV | (format == SampleFormat::Float ? SF_FORMAT_FLOAT : SF_FORMAT_PCM_16);
    SNDFILE* out = sf_open(file.c_str(), SFM_WRITE, &info);
    if (out == nullptr)
        throw std::runtime_error("cannot write " + file.string() + ": " + sf_strerror(nullptr));
    const auto frames = static_cast<std::size_t>(seconds * rate);
    const double fade = 0.010 * rate;
    std::vector<double> samples;
    for (std::size_t f = 0; f < frames; ++f) {
        const double edge = static_cast<double>(std::min(f, frames - 1 - f));
        const double envelope = std::min(1.0, edge / fade);
        const double wave = std::sin(2.0 * std::numbers::pi * hertz * static_cast<double>(f) / rate);
        for (double a : amplitudes) samples.push_back(a * envelope * wave);
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

}  // namespace soruberia::testsupport
