// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The check page's module: soruberia-check's core over the files the page
// hands in, a module of its own so that the game page does not load it.
// Strings are UTF-8; a returned one lives until the next call. The file
// functions are named as the game module's, so that bank-files.js serves
// both.
#include <cstddef>
#include <string>

#include "web/CheckModule.h"
#include "web/PageCheck.h"
#include "web/PageFiles.h"
#include "web/PageLabel.h"

namespace {

soruberia::web::PageFiles& Files() { return soruberia::web::CheckModuleFiles(); }

using soruberia::web::Returned;

}  // namespace

extern "C" {

// A file the page fetched or the teacher picked, by its path relative to
// the page; the bytes are copied.
void soruberia_put_file(const char* pagePath, const char* bytes, std::size_t size) {
    Files().Put(pagePath, std::string(bytes, size));
}

// The folder, relative to the page, whose files stand in for those of 問題.
void soruberia_set_bank_folder(const char* folder) { Files().SetBankFolder(folder); }

// What to fetch for a check (PageCheckFiles).
const char* soruberia_check_files() { return Returned(soruberia::web::PageCheckFiles(Files())); }

// The report on the files handed in, below basePath (PageCheckReport).
const char* soruberia_check(const char* basePath) {
    soruberia::web::PageQuestionLabel label;
    return Returned(soruberia::web::PageCheckReport(Files(), basePath, label));
}

}  // extern "C"
