// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "banklink/BankLink.h"
#include "content/Finding.h"

// soruberia-check as a teacher meets it, the same on every platform: its
// command line, its report and its exit status.
namespace soruberia::check {

inline constexpr int kExitClean = 0;
inline constexpr int kExitErrors = 1;
inline constexpr int kExitUsage = 2;

// What the command line asks for.
struct Invocation {
    enum class Kind { kCheck, kHelp, kVersion, kBadUsage };
    Kind kind = Kind::kCheck;
    std::string folder;   // UTF-8; "" for the program's own folder
    std::string problem;  // for kBadUsage
    std::string linkPage;  // --link: the game page's address, or ""
};

// The arguments after the program's name, in UTF-8. Options: -h, --help,
// -v, --version (a single dash takes a whole word too: -help), --link URL
// (or --link=URL); "--" ends the options.
Invocation ParseArguments(const std::vector<std::string>& arguments);

// Checks the content below basePath; the platform's services are built
// inside, once the command line has been read.
using ContentCheck = std::function<std::vector<Finding>(const std::string& basePath)>;

// The whole program: reads the arguments, checks, writes the report to out
// and usage problems to err, and returns the exit status. With --link, a
// bank without errors is written as a link to the page (deflate: the
// platform's raw DEFLATE), on the report's last line.
int RunChecker(const std::vector<std::string>& arguments, const ContentCheck& check,
               std::ostream& out, std::ostream& err, const banklink::Deflate& deflate = {});

// Whether a report has an error, which the exit status tells.
bool HasErrors(const std::vector<Finding>& findings);

// The report's last line after the folder's name: how many errors and
// warnings, or that nothing was found.
std::string ReportSummary(const std::vector<Finding>& findings);

}  // namespace soruberia::check
