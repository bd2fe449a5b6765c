// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/platform/WaveOutChannel.h"

#include <windows.h>
#include <mmsystem.h>

#include <cmath>
#include <cstdio>
#include <exception>
#include <set>
#include <vector>

#include "content/ContentFile.h"
#include "content/MediaLimits.h"
#include "windows/platform/FileBytes.h"
#include "windows/platform/Utf16.h"
#include "windows/platform/WavDecoder.h"

namespace soruberia::windows {
namespace {

// The player's volume of -600 hundredths of a decibel: 10^(-6/20). Applied
// to the samples, since waveOutSetVolume is not honoured alike everywhere.
constexpr double kGain = 0.501;

// The rate the device is opened at before the first sound, that of every
// sound the game ships.
constexpr int kUsualRate = 44100;

// The longest sound file: its samples at the widest format, and headers.
constexpr std::size_t kMaxSoundFileBytes =
    static_cast<std::size_t>(media::kMaxSoundSamples) * 8u + (1u << 20);

void Report(const std::string& text) {
    const std::string line = "ソルベリア: " + text + "\n";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    OutputDebugStringW(Utf16(line).c_str());
}

}  // namespace

struct WaveOutChannel::Device {
    HWAVEOUT out = nullptr;
    int rate = 0;
    WAVEHDR header{};
    bool prepared = false;
    std::vector<std::int16_t> playing;  // the samples waveOut reads from
    std::set<std::string> reported;
    bool deviceReported = false;

    Device() = default;
    ~Device() { Close(); }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // Stops the sound and hands its buffer back; the device stays open.
    void Silence() {
        if (out == nullptr) return;
        waveOutReset(out);
        if (prepared) {
            waveOutUnprepareHeader(out, &header, sizeof header);
            prepared = false;
        }
    }

    void Close() {
        Silence();
        if (out != nullptr) {
            waveOutClose(out);
            out = nullptr;
            rate = 0;
        }
    }

    // The device in 16-bit stereo at the sound's rate; reopened when the
    // rate changes.
    bool Open(int wantedRate) {
        if (out != nullptr && rate == wantedRate) return true;
        Close();
        WAVEFORMATEX format{};
        format.wFormatTag = WAVE_FORMAT_PCM;
        format.nChannels = 2;
        format.nSamplesPerSec = static_cast<DWORD>(wantedRate);
        format.wBitsPerSample = 16;
        format.nBlockAlign = 4;
        format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
        const MMRESULT opened = waveOutOpen(&out, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL);
        if (opened != MMSYSERR_NOERROR) {
            out = nullptr;
            if (!deviceReported) {
                deviceReported = true;
                Report("音の出力装置を開けません。音なしで続けます。 (エラー " +
                       std::to_string(opened) + ")");
            }
            return false;
        }
        rate = wantedRate;
        return true;
    }

    // A freshly opened device loses the start of its first buffer while the
    // audio system starts the stream, so it is opened and started on a
    // moment of silence before the game's first sound.
    void Prime() {
        if (!Open(kUsualRate)) return;
        playing.assign(static_cast<std::size_t>(kUsualRate / 10) * 2u, 0);
        header = WAVEHDR{};
        header.lpData = reinterpret_cast<LPSTR>(playing.data());
        header.dwBufferLength = static_cast<DWORD>(playing.size() * sizeof(std::int16_t));
        if (waveOutPrepareHeader(out, &header, sizeof header) != MMSYSERR_NOERROR) return;
        prepared = true;
        if (waveOutWrite(out, &header, sizeof header) != MMSYSERR_NOERROR) Silence();
    }

    void ReportOnce(const std::string& fullPath, const std::string& reason) {
        if (reported.insert(fullPath).second) {
            Report("音を鳴らせません: " + DisplayPath(fullPath) + " (" + reason + ")");
        }
    }

    void Start(StereoPcm pcm, const std::string& fullPath) {
        if (!Open(pcm.rate)) return;
        for (std::int16_t& sample : pcm.samples) {
            sample = static_cast<std::int16_t>(std::lround(sample * kGain));
        }
        playing = std::move(pcm.samples);
        header = WAVEHDR{};
        header.lpData = reinterpret_cast<LPSTR>(playing.data());
        header.dwBufferLength = static_cast<DWORD>(playing.size() * sizeof(std::int16_t));
        MMRESULT result = waveOutPrepareHeader(out, &header, sizeof header);
        if (result == MMSYSERR_NOERROR) {
            prepared = true;
            result = waveOutWrite(out, &header, sizeof header);
        }
        if (result != MMSYSERR_NOERROR) {
            Silence();
            ReportOnce(fullPath, "waveOut エラー " + std::to_string(result));
        }
    }
};

WaveOutChannel::WaveOutChannel() : device_(std::make_unique<Device>()) { device_->Prime(); }

WaveOutChannel::~WaveOutChannel() = default;

void WaveOutChannel::Play(const std::string& fullPath) {
    Device& d = *device_;
    try {
        // Read anew at every call: the file may have changed on disk.
        FileBytes file = ReadFileBytes(fullPath, kMaxSoundFileBytes);
        DecodedWav wav;
        if (file.problem.empty()) wav = DecodeWav(file.bytes);
        d.Silence();
        if (!file.problem.empty() || !wav.problem.empty()) {
            d.ReportOnce(fullPath, file.problem.empty() ? wav.problem : file.problem);
            return;
        }
        d.Start(std::move(wav.pcm), fullPath);
    } catch (const std::exception& e) {
        // A sound that cannot be played never ends the game.
        d.Silence();
        d.ReportOnce(fullPath, e.what());
    }
}

void WaveOutChannel::Stop() { device_->Silence(); }

void WaveOutChannel::Close() { device_->Close(); }

}  // namespace soruberia::windows
