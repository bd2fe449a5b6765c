// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "content/ExplanationFile.h"

#include "content/ContentFile.h"
#include "content/ContentPaths.h"
#include "content/FatalError.h"

namespace soruberia {

std::string ReadExplanationLine(const std::string& basePath) {
    const ContentFile file = ReadContentFile(FullPath(basePath, paths::kExplanation));
    if (file.bytes.empty()) {
        throw FatalError(file.displayPath + ": the file is empty; its first line is the explanation");
    }
    // The line ends at a CR; a lone LF, as a Unix editor writes it, ends it too.
    const std::string_view bytes(file.bytes);
    const std::string_view line = bytes.substr(0, bytes.find_first_of("\r\n"));
    return DecodeShiftJis(line, file.displayPath + ": line 1");
}

}  // namespace soruberia
