// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <vector>

#include "check/core/CheckServices.h"
#include "check/core/ContentFolder.h"
#include "content/Finding.h"

namespace soruberia::check {

// Every problem of the content folders below basePath (問題, 図, 音): the
// files the game reads, read as the game reads them; the question label,
// the pictures and the sounds through the platform's services. The folders
// are looked for on disk, or in `content`.
std::vector<Finding> CheckContent(const std::string& basePath, CheckServices services);
std::vector<Finding> CheckContent(const std::string& basePath, ContentFolder& content, CheckServices services);

// "file:line: error: message", or "file: error: message" where no line applies.
std::string FormatFinding(const Finding& finding);

// How the report names a kind of finding: "エラー", "警告", "注".
const char* SeverityName(Severity severity);

}  // namespace soruberia::check
