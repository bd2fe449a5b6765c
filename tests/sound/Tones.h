#pragma once

// Test tones, one pitch per sound file, and how they are found again in a
// recording: the amplitude at the tone's own frequency, step by step.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace soundtest {

struct Tone {
    const char* file;  // name in folder 音
    double hertz;
    double amplitude;  // peak, of full scale
    double seconds;
    int rate;
    int channels;
};

// Writes a sine tone with 10 ms fades at both ends, 16-bit PCM.
void WriteTone(const std::filesystem::path& file, const Tone& tone);

// The first channel of a sound file, -1..1, and its rate.
struct Samples {
    std::vector<double> values;
    int rate = 0;
};
Samples ReadFirstChannel(const std::filesystem::path& file);

// Amplitude at `hertz` in Hann-windowed 20 ms stretches, one every 5 ms.
std::vector<double> Envelope(const std::vector<double>& x, int rate, double hertz);
double StepSeconds(std::size_t step);  // centre of step `step`

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

double Decibels(double ratio);

}  // namespace soundtest
