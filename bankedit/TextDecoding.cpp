// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "bankedit/TextDecoding.h"

#include "content/ShiftJis.h"
#include "content/Utf8Scan.h"

namespace soruberia::bankedit {

std::string WellFormedUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const utf8::CodePoint c = utf8::NextCodePoint(text, i);
        if (c.length == 0) {
            // A cut-off or ill-formed sequence is one character that cannot be read.
            out += kUnreadable;
            std::size_t end = i + 1;
            while (end < text.size() && end < i + 4 && (static_cast<unsigned char>(text[end]) & 0xC0u) == 0x80u) ++end;
            i = end;
        } else {
            out += text.substr(i, c.length);
            i += c.length;
        }
    }
    return out;
}

DecodedText DecodeLeniently(std::string_view bytes, FileEncoding encoding) {
    DecodedText decoded;
    if (encoding == FileEncoding::kUtf8) {
        decoded.utf8 = WellFormedUtf8(bytes);
        decoded.lossless = decoded.utf8 == bytes;
        return decoded;
    }
    while (!bytes.empty()) {
        const sjis::Decoded part = sjis::Decode(bytes);
        decoded.utf8 += part.utf8;
        if (!part.invalidAt) break;
        decoded.utf8 += kUnreadable;
        decoded.lossless = false;
        bytes.remove_prefix(*part.invalidAt + 1);
    }
    return decoded;
}

}  // namespace soruberia::bankedit
