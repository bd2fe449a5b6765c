// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "check/core/LabelTwin.h"

#include <algorithm>
#include <cctype>

namespace soruberia::check {

namespace {

// A blank as a text can hold one in code page 932, besides space and tab.
constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";  // U+3000

}  // namespace

bool IsMinchoFace(std::string_view face) {
    std::string lower(face);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.find("明朝") != std::string::npos || lower.find("mincho") != std::string::npos;
}

std::string FontNote(std::string_view face, std::string_view whyNotMincho) {
    if (IsMinchoFace(face)) return {};
    return std::string(whyNotMincho) + "ので、問題の文はフォント「" + std::string(face) + "」で測っています";
}

std::string OneLine(std::string_view text) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        line += text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
    }
    std::string_view rest = line;
    for (;;) {
        if (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) {
            rest.remove_prefix(1);
        } else if (rest.starts_with(kIdeographicSpace)) {
            rest.remove_prefix(kIdeographicSpace.size());
        } else if (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) {
            rest.remove_suffix(1);
        } else if (rest.ends_with(kIdeographicSpace)) {
            rest.remove_suffix(kIdeographicSpace.size());
        } else {
            return std::string(rest);
        }
    }
}

}  // namespace soruberia::check
