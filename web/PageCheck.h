// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

#include "check/core/CheckServices.h"
#include "web/PageFiles.h"

namespace soruberia::web {

// The files the check page fetches, relative to the page, as one line of
// JSON: {"bank": ["問題/mondai.txt", …], "pictures": […], "sounds": […]},
// the bank's in the bank folder.
std::string PageCheckFiles(const PageFiles& files);

// soruberia-check's report on the files handed in, as the content folders
// below basePath (the page's folder), as one line of JSON:
//   {"findings": [{"file": "問題/mondai.txt", "line": 3, "severity": "error",
//                  "kind": "エラー", "message": "…", "text": "<the line as
//                  soruberia-check prints it>"}, …],
//    "summary": "エラー 1 件、警告 0 件", "errors": true}
// with each file named relative to basePath. Question texts are measured
// by `label`; pictures and sounds are judged as the game page judges them.
std::string PageCheckReport(const PageFiles& files, const std::string& basePath,
                            check::QuestionLabelMeasure& label);

}  // namespace soruberia::web
