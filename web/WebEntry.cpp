// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The browser program's entry: the functions the page calls in the wasm
// module. Plain C++; the link exports them by name (web/CMakeLists.txt).
// Strings are UTF-8; a returned one lives until the next call.
#include <cstddef>
#include <memory>
#include <string>
#include <utility>

#include "content/ContentPaths.h"
#include "web/BankReport.h"
#include "web/EntryState.h"
#include "web/LayoutJson.h"
#include "web/PageFiles.h"
#include "web/PageProgram.h"
#include "web/PageSources.h"

namespace {

using soruberia::web::Files;
using soruberia::web::Returned;

std::unique_ptr<soruberia::web::PageProgram>& Program() {
    static std::unique_ptr<soruberia::web::PageProgram> program;
    return program;
}

std::string Lines(const auto& relativePaths) {
    std::string lines;
    for (const auto& path : relativePaths) {
        if (!lines.empty()) lines += '\n';
        lines += soruberia::web::PagePath(path);
    }
    return lines;
}

}  // namespace

extern "C" {

// The files of the question bank, relative to the page, one to a line.
const char* soruberia_bank_files() { return Returned(Lines(soruberia::paths::kBankFiles)); }

// Every content file a game reads, relative to the page, one to a line: the
// bank, then the pictures, then the sounds.
const char* soruberia_content_files() {
    return Returned(Lines(soruberia::paths::kBankFiles) + "\n" + Lines(soruberia::GamePictures()) + "\n" +
                    Lines(soruberia::paths::kSounds));
}

// What the readers make of the bank handed in (BankReport), its files named
// below basePath, the page's folder.
const char* soruberia_bank_report(const char* basePath) {
    soruberia::web::PageBank bank(Files(), basePath);
    soruberia::web::PageExplanation explanation(Files(), basePath);
    return Returned(soruberia::web::BankReport(bank, explanation));
}

// The forms' layout tables (LayoutJson).
const char* soruberia_layout() { return Returned(soruberia::web::LayoutJson()); }

// The program: started once per page, with the files handed in so far;
// every event answers with the operations for the page (PageOps).
const char* soruberia_start(const char* basePath) {
    Program() = std::make_unique<soruberia::web::PageProgram>(Files(), basePath);
    return Returned(Program()->Start());
}

const char* soruberia_pressed(const char* form, const char* widget) {
    return Returned(Program() ? Program()->Pressed(form, widget) : "[]");
}

const char* soruberia_ticked(const char* form, const char* timer) {
    return Returned(Program() ? Program()->Ticked(form, timer) : "[]");
}

void soruberia_focused(const char* form, const char* widget) {
    if (Program()) Program()->Focused(form, widget);
}

}  // extern "C"
