// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

namespace soruberia::testsupport {

// A PulseAudio server of the test's own with one null sink, "sandbox",
// reachable only through a socket in `folder` (pulse-sandbox.sh). It goes,
// and takes `folder` with it, when this object does, and also when the test
// process is killed.
class PulseSandbox {
public:
    explicit PulseSandbox(QString folder);  // throws when the server does not answer
    ~PulseSandbox();
    PulseSandbox(const PulseSandbox&) = delete;
    PulseSandbox& operator=(const PulseSandbox&) = delete;

    // For PULSE_SERVER: "unix:<folder>/native".
    QString Address() const;

private:
    QString folder_;
};

}  // namespace soruberia::testsupport
