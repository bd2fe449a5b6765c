// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "web/Json.h"

#include <cstdio>
#include <optional>

#include "content/Utf8Scan.h"

namespace soruberia::web {

namespace {

void Escape(std::string& out, unsigned unit) {
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04X", unit);
    out += escape;
}

}  // namespace

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    out.reserve(text.size() + 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            Escape(out, byte);
        } else if (const std::optional<char16_t> half = byte == 0xED ? utf8::SurrogateAt(text, i) : std::nullopt) {
            // A lone surrogate of a page's text (WTF-8): the escape that
            // JSON.parse gives back as that code unit.
            Escape(out, *half);
            i += 2;
        } else {
            out += c;
        }
    }
    return out + '"';
}

}  // namespace soruberia::web
