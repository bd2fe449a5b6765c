// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The browser program's entry: the functions the page calls in the wasm
// module. Plain C++; the link exports them by name (web/CMakeLists.txt).
// Strings are UTF-8; a returned one lives until the next call.
#include <cstddef>
#include <string>
#include <utility>

#include "content/ContentPaths.h"
#include "web/BankReport.h"
#include "web/PageFiles.h"
#include "web/PageSources.h"

namespace {

soruberia::web::PageFiles& Files() {
    static soruberia::web::PageFiles files;
    return files;
}

const char* Returned(std::string text) {
    static std::string returned;
    returned = std::move(text);
    return returned.c_str();
}

}  // namespace

extern "C" {

// The files of the question bank, relative to the page, one to a line.
const char* soruberia_bank_files() {
    namespace paths = soruberia::paths;
    using soruberia::web::PagePath;
    return Returned(PagePath(paths::kQuestionTexts) + "\n" + PagePath(paths::kAnswerKey) + "\n" +
                    PagePath(paths::kExplanation));
}

// A file the page fetched, by its path relative to the page; the bytes are
// copied.
void soruberia_put_file(const char* pagePath, const char* bytes, std::size_t size) {
    Files().Put(pagePath, std::string(bytes, size));
}

// What the readers make of the bank handed in (BankReport), its files named
// below basePath, the page's folder.
const char* soruberia_bank_report(const char* basePath) {
    soruberia::web::PageBank bank(Files(), basePath);
    soruberia::web::PageExplanation explanation(Files(), basePath);
    return Returned(soruberia::web::BankReport(bank, explanation));
}

}  // extern "C"
