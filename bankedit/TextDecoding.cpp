// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "bankedit/TextDecoding.h"

#include <algorithm>

#include "content/ShiftJis.h"
#include "content/Utf8Scan.h"

namespace soruberia::bankedit {

namespace {

// Where the ill-formed sequence at `at` ends: its lead and the continuation
// bytes it would take.
std::size_t IllFormedEnd(std::string_view text, std::size_t at) {
    std::size_t end = at + 1;
    while (end < text.size() && end < at + 4 && (static_cast<unsigned char>(text[end]) & 0xC0u) == 0x80u) ++end;
    return end;
}

std::string Mended(std::string_view text, bool keepSurrogates, std::size_t maxUnits) {
    std::string out;
    out.reserve(std::min(text.size(), maxUnits));
    std::size_t units = 0;
    for (std::size_t i = 0; i < text.size();) {
        utf8::CodePoint c = utf8::NextCodePoint(text, i);
        if (c.length == 0 && keepSurrogates && utf8::SurrogateAt(text, i)) c = {0xD800, 3};  // one code unit
        if ((units += c.value >= 0x10000 ? 2 : 1) > maxUnits) break;
        if (c.length == 0) {
            // A cut-off or ill-formed sequence is one character that cannot be read.
            out += kUnreadable;
            i = IllFormedEnd(text, i);
        } else {
            out += text.substr(i, c.length);
            i += c.length;
        }
    }
    return out;
}

}  // namespace

std::string WellFormedUtf8(std::string_view text) { return Mended(text, false, text.size()); }

std::string EditableText(std::string_view wtf8, std::size_t maxUnits) { return Mended(wtf8, true, maxUnits); }

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
