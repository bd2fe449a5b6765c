// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The check page's module: soruberia-check's core over the files the page
// hands in, a module of its own so that the game page does not load it.
// Strings are UTF-8; a returned one lives until the next call. The file
// functions are FileEntry.cpp's, as in the game module, so that
// bank-files.js serves both.
#include "web/EntryState.h"
#include "web/PageCheck.h"
#include "web/PageLabel.h"

using soruberia::web::Files;
using soruberia::web::Returned;

extern "C" {

// What to fetch for a check (PageCheckFiles).
const char* soruberia_check_files() { return Returned(soruberia::web::PageCheckFiles(Files())); }

// The report on the files handed in, below basePath (PageCheckReport).
const char* soruberia_check(const char* basePath) {
    soruberia::web::PageQuestionLabel label;
    return Returned(soruberia::web::PageCheckReport(Files(), basePath, label));
}

}  // extern "C"
