// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "web/PageCheck.h"

#include <string_view>
#include <vector>

#include "check/core/CheckerProgram.h"
#include "check/core/ContentCheck.h"
#include "content/ContentPaths.h"
#include "web/Json.h"
#include "web/PageFolder.h"
#include "web/PageMedia.h"

namespace soruberia::web {

namespace {

std::string List(const PageFolder& folder, const std::vector<std::string>& relativePaths) {
    std::string out = "[";
    for (const std::string& relative : relativePaths) {
        if (out.size() > 1) out += ", ";
        out += JsonString(folder.PagePathOf(relative).value_or(""));
    }
    return out + "]";
}

const char* SeverityWord(Severity severity) {
    switch (severity) {
        case Severity::kError: return "error";
        case Severity::kWarning: return "warning";
        case Severity::kNote: break;
    }
    return "note";
}

}  // namespace

std::string PageCheckFiles(const PageFiles& files) {
    const PageFolder folder(files, "");
    const auto strings = [](const auto& views) { return std::vector<std::string>(views.begin(), views.end()); };
    const std::vector<std::string> bank = strings(paths::kBankFiles);
    const std::vector<std::string> pictures = GamePictures();
    const std::vector<std::string> sounds = strings(paths::kSounds);
    return "{\"bank\": " + List(folder, bank) + ", \"pictures\": " + List(folder, pictures) +
           ", \"sounds\": " + List(folder, sounds) + "}";
}

std::string PageCheckReport(const PageFiles& files, const std::string& basePath,
                            check::QuestionLabelMeasure& label) {
    PageFolder folder(files, basePath);
    PagePictureRule pictures(folder);
    PageSoundRule sounds(folder);
    const std::vector<Finding> findings = check::CheckContent(basePath, folder, {label, pictures, sounds});

    const std::string below = folder.Display(basePath) + '/';
    std::string out = "{\"findings\": [";
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const Finding& finding = findings[i];
        std::string_view file = finding.file;
        if (file.starts_with(below)) file.remove_prefix(below.size());
        out += (i ? ", " : "") + std::string("{\"file\": ") + JsonString(file) +
               ", \"line\": " + std::to_string(finding.line) + ", \"severity\": \"" +
               SeverityWord(finding.severity) + "\", \"kind\": " + JsonString(check::SeverityName(finding.severity)) +
               ", \"message\": " + JsonString(finding.message) +
               ", \"text\": " + JsonString(check::FormatFinding(finding)) + "}";
    }
    return out + "], \"summary\": " + JsonString(check::ReportSummary(findings)) +
           ", \"errors\": " + (check::HasErrors(findings) ? "true" : "false") + "}";
}

}  // namespace soruberia::web
