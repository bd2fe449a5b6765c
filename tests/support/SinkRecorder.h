// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

// What a PulseSandbox plays, recorded by parec from its null sink's monitor
// as raw 16-bit stereo at 48 kHz.

#include <QProcess>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <vector>

namespace soruberia::testsupport {

inline constexpr int kRecordRate = 48000;

class SinkRecorder {
public:
    // Returns once data flows; throws when parec records nothing.
    SinkRecorder(std::filesystem::path file, const QString& server);
    ~SinkRecorder() { Stop(); }
    SinkRecorder(const SinkRecorder&) = delete;
    SinkRecorder& operator=(const SinkRecorder&) = delete;

    std::int64_t Frames() const;
    // Left and right channels from frame `from` on, -1..1.
    std::vector<std::vector<double>> Read(std::int64_t from = 0) const;
    void Stop();

private:
    std::filesystem::path file_;
    QProcess parec_;
};

}  // namespace soruberia::testsupport
