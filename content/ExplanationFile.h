// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "content/ContentFile.h"

namespace soruberia {

// The first line of setumei.txt, or why it cannot be shown.
struct ParsedExplanation {
    std::string line;
    std::optional<ContentFailure> failure;
};
ParsedExplanation TryParseExplanationLine(const std::string& displayPath, std::string_view bytes);
ParsedExplanation TryParseExplanationLine(const ContentFile& file);

// The first line of setumei.txt, up to the first line end, as UTF-8. An
// empty file or bytes that are not Shift-JIS throw a ContentError.
std::string ParseExplanationLine(const ContentFile& file);

// The same, of basePath + "\問題\setumei.txt".
std::string ReadExplanationLine(const std::string& basePath);

}  // namespace soruberia
