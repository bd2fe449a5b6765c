// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "platform/SoundChannel.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <algorithm>
#include <cstdlib>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <iostream>
#include <memory>
#include <new>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include <QTimer>

#include "content/ContentFile.h"
#include "content/StereoSound.h"
#include "platform/SoundFile.h"

namespace soruberia::platform {
namespace {

// The player's volume of -600 hundredths of a decibel: 10^(-6/20).
constexpr ALfloat kGain = 0.501f;

// How long after a sound's end the device is paused, and how often a sound
// still playing is looked at again.
constexpr int kIdleCheckMs = 500;

// 16-bit interleaved stereo, the one format handed to OpenAL.
struct Pcm {
    std::vector<std::int16_t> samples;
    int rate = 0;
};

Pcm ToStereo(const DecodedSound& sound) {
    const auto channels = static_cast<std::size_t>(sound.channels);
    return {media::ToStereo16(static_cast<std::size_t>(sound.Frames()), channels,
                              [&](std::size_t frame, std::size_t channel) {
                                  return sound.samples[frame * channels + channel];
                              }),
            sound.rate};
}

std::string AlErrorText(ALenum error) {
    if (error == AL_OUT_OF_MEMORY) return "音の出力装置のメモリが足りません";
    char code[16];
    std::snprintf(code, sizeof code, "0x%04X", static_cast<unsigned>(error));
    return std::string("音の出力装置が再生を受け付けません (OpenAL のエラー ") + code + ")";
}

}  // namespace

struct SoundChannel::Device {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    ALuint source = 0;
    ALuint buffer = 0;
    std::set<std::string> reported;
    // An open device mixes silence for as long as it runs (about 1 % of a
    // core); it is paused whenever nothing plays, once the sound has ended.
    LPALCDEVICEPAUSESOFT pauseDevice = nullptr;
    LPALCDEVICERESUMESOFT resumeDevice = nullptr;
    QTimer idleCheck;

    Device() {
        // OpenAL Soft probes JACK, whose client library creates files in
        // /dev/shm at every start; the program writes nothing, so JACK is
        // left out unless the user chose OpenAL's drivers. The trailing
        // comma keeps every other backend in the list.
        if (std::getenv("ALSOFT_DRIVERS") == nullptr) ::setenv("ALSOFT_DRIVERS", "-jack,", 0);
        device = alcOpenDevice(nullptr);
        if (device == nullptr) {
            std::cerr << "ソルベリア: 音の出力装置を開けません。音なしで続けます。" << std::endl;
            return;
        }
        context = alcCreateContext(device, nullptr);
        if (context == nullptr || alcMakeContextCurrent(context) == ALC_FALSE) {
            std::cerr << "ソルベリア: 音の出力装置を使えません。音なしで続けます。" << std::endl;
            Close();
            return;
        }
        alGetError();
        alGenSources(1, &source);
        if (alGetError() != AL_NO_ERROR) {
            std::cerr << "ソルベリア: 音の出力装置を使えません。音なしで続けます。" << std::endl;
            source = 0;
            Close();
            return;
        }
        alSourcef(source, AL_GAIN, kGain);
        alSourcei(source, AL_LOOPING, AL_FALSE);
        // A centred, unpanned sound: the two channels go straight to the
        // two loudspeakers instead of being placed in space, which would
        // mix them and change their level.
        alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
        alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
        if (alIsExtensionPresent("AL_SOFT_direct_channels") == AL_TRUE) {
            alSourcei(source, AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
        }
        alGetError();
        if (alcIsExtensionPresent(device, "ALC_SOFT_pause_device") == ALC_TRUE) {
            pauseDevice = reinterpret_cast<LPALCDEVICEPAUSESOFT>(
                alcGetProcAddress(device, "alcDevicePauseSOFT"));
            resumeDevice = reinterpret_cast<LPALCDEVICERESUMESOFT>(
                alcGetProcAddress(device, "alcDeviceResumeSOFT"));
        }
        idleCheck.setSingleShot(true);
        QObject::connect(&idleCheck, &QTimer::timeout, [this] { PauseWhenDone(); });
        PauseWhenDone();
    }

    bool CanPause() const { return pauseDevice != nullptr && resumeDevice != nullptr; }

    void PauseWhenDone() {
        if (!CanPause()) return;
        alcMakeContextCurrent(context);
        ALint state = AL_STOPPED;
        alGetSourcei(source, AL_SOURCE_STATE, &state);
        alGetError();
        if (state == AL_PLAYING) {
            idleCheck.start(kIdleCheckMs);
        } else {
            pauseDevice(device);
        }
    }

    ~Device() { Close(); }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    bool Ready() const { return source != 0; }

    // Stops the sound and frees its buffer; the source stays for the next one.
    void Silence() {
        alcMakeContextCurrent(context);
        alSourceStop(source);
        alSourcei(source, AL_BUFFER, 0);
        if (buffer != 0) {
            alDeleteBuffers(1, &buffer);
            buffer = 0;
        }
        alGetError();
    }

    void Start(const Pcm& pcm, const std::string& fullPath) {
        const std::size_t bytes = pcm.samples.size() * sizeof(std::int16_t);
        alGetError();
        ALuint next = 0;
        alGenBuffers(1, &next);
        ALenum error = alGetError();
        if (error == AL_NO_ERROR) {
            alBufferData(next, AL_FORMAT_STEREO16, pcm.samples.data(),
                         static_cast<ALsizei>(bytes), pcm.rate);
            error = alGetError();
        }
        if (error == AL_NO_ERROR) {
            if (CanPause()) resumeDevice(device);
            alSourcei(source, AL_BUFFER, static_cast<ALint>(next));
            alSourcePlay(source);
            error = alGetError();
        }
        if (error != AL_NO_ERROR) {
            alSourcei(source, AL_BUFFER, 0);
            if (next != 0) alDeleteBuffers(1, &next);
            alGetError();
            ReportOnce(fullPath, AlErrorText(error));
            return;
        }
        buffer = next;
        // Checked again once the sound should be over; a later Play restarts
        // the wait.
        const auto frames = static_cast<long long>(pcm.samples.size() / 2);
        if (CanPause()) idleCheck.start(static_cast<int>(frames * 1000 / pcm.rate) + kIdleCheckMs);
    }

    // Each file is named once: a sound played at every press would
    // otherwise fill the terminal.
    void ReportOnce(const std::string& fullPath, const std::string& reason) {
        if (reported.insert(fullPath).second) {
            std::cerr << "ソルベリア: 音を鳴らせません: " << DisplayPath(fullPath) << " ("
                      << reason << ")" << std::endl;
        }
    }

    void Close() {
        idleCheck.stop();
        if (context != nullptr) {
            alcMakeContextCurrent(context);
            if (source != 0) {
                Silence();
                alDeleteSources(1, &source);
                source = 0;
            }
            alcMakeContextCurrent(nullptr);
            alcDestroyContext(context);
            context = nullptr;
        }
        if (device != nullptr) {
            alcCloseDevice(device);
            device = nullptr;
        }
    }
};

SoundChannel::SoundChannel() : device_(std::make_unique<Device>()) {}

SoundChannel::~SoundChannel() = default;

void SoundChannel::Play(const std::string& fullPath) {
    Device& d = *device_;
    if (!d.Ready()) return;
    try {
        // Read anew at every call: the file may have changed on disk.
        const SoundDecoding decoding = DecodeSoundFile(fullPath);
        d.Silence();
        if (const auto* fault = std::get_if<SoundFault>(&decoding)) {
            d.ReportOnce(fullPath, DescribeSoundFault(*fault));
            return;
        }
        d.Start(ToStereo(std::get<DecodedSound>(decoding)), fullPath);
    } catch (const std::bad_alloc&) {
        // A sound that cannot be played never ends the game.
        d.Silence();
        d.ReportOnce(fullPath, "音を読み込むメモリが足りません");
    } catch (const std::exception& e) {
        d.Silence();
        d.ReportOnce(fullPath, std::string("内部エラー: ") + e.what());
    }
}

void SoundChannel::Stop() {
    if (device_->Ready()) device_->Silence();
}

}  // namespace soruberia::platform
