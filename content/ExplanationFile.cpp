// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "content/ExplanationFile.h"

#include <string_view>
#include <utility>

#include "content/ContentPaths.h"
#include "content/ShiftJis.h"

namespace soruberia {

ParsedExplanation TryParseExplanationLine(const std::string& displayPath, std::string_view bytes) {
    ParsedExplanation parsed;
    if (bytes.empty()) {
        ContentFailure failure;
        failure.file = displayPath;
        failure.fault = ContentFault::kEmptyFile;
        parsed.failure = std::move(failure);
        return parsed;
    }
    // The line ends at a CR; a lone LF, as a Unix editor writes it, ends it too.
    const std::string_view line = bytes.substr(0, bytes.find_first_of("\r\n"));
    sjis::Decoded decoded = sjis::Decode(line);
    if (decoded.invalidAt) {
        const std::size_t at = *decoded.invalidAt;
        ContentFailure failure;
        failure.file = displayPath;
        failure.fault = ContentFault::kInvalidShiftJis;
        failure.line = 1;
        failure.role = FieldRole::kExplanation;
        failure.column = static_cast<int>(at) + 1;
        failure.found = std::string(line.substr(at, 2));
        parsed.failure = std::move(failure);
        return parsed;
    }
    parsed.line = std::move(decoded.utf8);
    return parsed;
}

ParsedExplanation TryParseExplanationLine(const ContentFile& file) {
    return TryParseExplanationLine(file.displayPath, file.bytes);
}

std::string ParseExplanationLine(const ContentFile& file) {
    ParsedExplanation parsed = TryParseExplanationLine(file);
    if (parsed.failure) throw ContentError(std::move(*parsed.failure));
    return std::move(parsed.line);
}

std::string ReadExplanationLine(const std::string& basePath) {
    return ParseExplanationLine(ReadContentFile(FullPath(basePath, paths::kExplanation)));
}

}  // namespace soruberia
