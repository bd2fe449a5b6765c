// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "windows/tests/WavFiles.h"

namespace soruberia::windows::test {
namespace {

void Le(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
}

}  // namespace

std::string Wav(const WavFormat& format, std::string_view samples, std::string_view before) {
    std::string fmt;
    const std::uint16_t blockAlign = static_cast<std::uint16_t>(format.channels * format.bits / 8);
    Le(fmt, format.extensible ? 0xFFFEu : format.tag, 2);
    Le(fmt, format.channels, 2);
    Le(fmt, format.rate, 4);
    Le(fmt, format.rate * blockAlign, 4);
    Le(fmt, blockAlign, 2);
    Le(fmt, format.bits, 2);
    if (format.extensible) {
        Le(fmt, 22, 2);
        Le(fmt, format.bits, 2);
        Le(fmt, 0, 4);  // channel mask
        // KSDATAFORMAT_SUBTYPE_PCM / _IEEE_FLOAT: the tag, then a fixed tail.
        Le(fmt, format.tag, 4);
        fmt += std::string_view("\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 12);
    }
    std::string body = "WAVEfmt ";
    Le(body, static_cast<std::uint32_t>(fmt.size()), 4);
    body += fmt;
    body += before;
    body += "data";
    Le(body, static_cast<std::uint32_t>(samples.size()), 4);
    body += samples;
    std::string file = "RIFF";
    Le(file, static_cast<std::uint32_t>(body.size()), 4);
    return file + body;
}

std::string Int16Samples(std::initializer_list<std::int16_t> samples) {
    std::string out;
    for (const std::int16_t s : samples) Le(out, static_cast<std::uint16_t>(s), 2);
    return out;
}

}  // namespace soruberia::windows::test
