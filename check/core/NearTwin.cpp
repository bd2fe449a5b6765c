// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "check/core/NearTwin.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

namespace soruberia::check {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string WithoutSpaces(std::string text) {
    std::erase(text, ' ');
    return text;
}

std::string Stem(const std::string& name) {
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

std::string NearTwinAdvice(const std::string& fullPath, ContentFolder& folder) {
    // Full paths end in a relative path of the program's form.
    const std::size_t separator = fullPath.rfind('\\');
    const std::string wanted = fullPath.substr(separator + 1);
    const std::string lowerWanted = Lower(wanted);
    // The best twin of each kind, in the order they are told.
    std::array<std::optional<std::string>, 4> twins;
    for (const std::string& name : folder.Names(fullPath.substr(0, separator))) {
        const std::string lower = Lower(name);
        if (lower == lowerWanted) {
            twins[0] = name;
        } else if (lower.rfind(lowerWanted + ".", 0) == 0) {
            twins[1] = name;
        } else if (WithoutSpaces(lower) == lowerWanted) {
            twins[2] = name;
        } else if (Stem(lower) == Stem(lowerWanted)) {
            twins[3] = name;
        }
    }
    if (twins[0]) {
        return "。フォルダーにあるのは大文字と小文字だけが違う「" + *twins[0] +
               "」です。ファイル名は大文字と小文字まで一致させてください";
    }
    if (twins[1]) {
        return "。フォルダーにあるのは「" + *twins[1] + "」です。拡張子が二重に付いています（Windows が既知の拡張子を"
               "隠しているため、「" + wanted + "」と入力すると起こります）。名前を「" + wanted + "」に変えてください";
    }
    if (twins[2]) {
        return "。フォルダーにあるのは空白の入った「" + *twins[2] + "」です。名前から空白を取って「" + wanted +
               "」にしてください";
    }
    if (twins[3]) {
        return "。フォルダーにあるのは拡張子だけが違う「" + *twins[3] + "」です。ゲームが読むのは「" + wanted +
               "」だけです";
    }
    return {};
}

}  // namespace soruberia::check
