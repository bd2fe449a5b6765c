// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tests/support/SinkRecorder.h"

#include <QFileInfo>
#include <QProcessEnvironment>

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "tests/support/ChildProcess.h"

namespace soruberia::testsupport {

using namespace std::chrono_literals;

SinkRecorder::SinkRecorder(std::filesystem::path file, const QString& server)
    : file_(std::move(file)) {
    DieWithTest(parec_);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PULSE_SERVER"), server);
    parec_.setProcessEnvironment(env);
    parec_.setStandardOutputFile(QString::fromStdString(file_.string()));
    parec_.start(QStringLiteral("parec"),
                 {QStringLiteral("--device=sandbox.monitor"), QStringLiteral("--format=s16le"),
                  QStringLiteral("--channels=2"), QStringLiteral("--rate=48000"),
                  QStringLiteral("--latency-msec=10"), QStringLiteral("--raw")});
    if (!parec_.waitForStarted(10000)) throw std::runtime_error("parec did not start");
    // The null sink renders silence while idle, so data flows at once.
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (Frames() < kRecordRate / 5) {
        if (std::chrono::steady_clock::now() > deadline)
            throw std::runtime_error("parec records nothing");
        std::this_thread::sleep_for(10ms);
    }
}

std::int64_t SinkRecorder::Frames() const {
    return QFileInfo(QString::fromStdString(file_.string())).size() / 4;
}

std::vector<std::vector<double>> SinkRecorder::Read(std::int64_t from) const {
    std::ifstream in(file_, std::ios::binary);
    in.seekg(from * 4);
    std::vector<std::vector<double>> channels(2);
    std::int16_t frame[2];
    while (in.read(reinterpret_cast<char*>(frame), sizeof frame)) {
        channels[0].push_back(frame[0] / 32768.0);
        channels[1].push_back(frame[1] / 32768.0);
    }
    return channels;
}

void SinkRecorder::Stop() {
    if (parec_.state() == QProcess::NotRunning) return;
    // parec takes seconds to end on SIGTERM, and what it wrote is all there.
    parec_.kill();
    parec_.waitForFinished(5000);
}

}  // namespace soruberia::testsupport
