// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "content/ContentFile.h"
#include "windows/platform/WaveOutChannel.h"
#include "windows/tests/TempFolder.h"
#include "windows/tests/WavFiles.h"

namespace soruberia::windows {
namespace {

using test::TempFolder;

// What the code under test writes to stderr while `action` runs.
template <typename Action>
std::string Stderr(const TempFolder& folder, Action&& action) {
    const std::filesystem::path capture = folder.Root() / "stderr.txt";
    std::fflush(stderr);
    const int saved = _dup(_fileno(stderr));
    FILE* file = _wfopen(capture.c_str(), L"wb");
    _dup2(_fileno(file), _fileno(stderr));
    action();
    std::fflush(stderr);
    _dup2(saved, _fileno(stderr));
    _close(saved);
    std::fclose(file);
    std::ifstream in(capture, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int Count(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST(WaveOutChannel, AFileItCannotPlayIsReportedOnceAndTheGameGoesOn) {
    TempFolder folder;
    folder.Write("\\音\\x.wav", "not a sound");
    folder.Write("\\音\\o.wav", test::Wav({1, 1, 8000, 16}, test::Int16Samples({0, 100, 0, -100})));
    const std::string missing = folder.Full("\\音\\pan.wav");
    const std::string broken = folder.Full("\\音\\x.wav");
    const std::string good = folder.Full("\\音\\o.wav");
    const std::string written = Stderr(folder, [&] {
        WaveOutChannel channel;
        for (int round = 0; round < 3; ++round) {
            EXPECT_NO_THROW(channel.Play(missing));
            EXPECT_NO_THROW(channel.Play(broken));
            EXPECT_NO_THROW(channel.Play(good));
        }
        channel.Stop();
    });
    EXPECT_EQ(Count(written, "音を鳴らせません: " + DisplayPath(missing) + " (ファイルがありません)"), 1) << written;
    EXPECT_EQ(Count(written, "音を鳴らせません: " + DisplayPath(broken) + " (WAV ファイルではありません)"), 1)
        << written;
    EXPECT_EQ(Count(written, DisplayPath(good)), 0) << written;
    // A machine without sound says so once, however many sounds are named.
    EXPECT_LE(Count(written, "音の出力装置を開けません"), 1) << written;
}

}  // namespace
}  // namespace soruberia::windows
