// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "check/core/ContentCheck.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <utility>
#include <variant>
#include <system_error>

#include "check/core/MediaCheck.h"
#include "content/BankInspection.h"
#include "content/ContentFile.h"
#include "content/ContentMessages.h"
#include "check/core/NearTwin.h"
#include "content/ContentPaths.h"
#include "content/QuestionBank.h"

namespace soruberia::check {

namespace {

namespace fs = std::filesystem;

std::string MissingTextFile(const std::string& fullPath, const std::string& role) {
    return "ファイルがありません。ゲームはここから" + role + "を読みます" + NearTwinAdvice(fullPath);
}

// The file's bytes, or a finding why there are none.
std::optional<ContentFile> Read(const std::string& fullPath, const std::string& role,
                                std::vector<Finding>& out) {
    auto loaded = LoadContentFile(fullPath);
    if (auto* failure = std::get_if<ContentFailure>(&loaded)) {
        const std::string message = failure->fault == ContentFault::kFileMissing
                                        ? MissingTextFile(fullPath, role)
                                        : DescribeFailure(*failure);
        out.push_back({Severity::kError, failure->file, 0, message});
        return std::nullopt;
    }
    return std::move(std::get<ContentFile>(loaded));
}

// The first `count` characters of UTF-8 text, and "…" if there was more.
std::string Beginning(const std::string& text, std::size_t count) {
    std::size_t at = 0;
    for (std::size_t characters = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if ((byte & 0xC0) != 0x80 && characters++ == count) return text.substr(0, at) + "…";
    }
    return text;
}

void CheckQuestionLabel(const std::vector<QuestionText>& texts, const std::string& display,
                        QuestionLabelMeasure& label, std::vector<Finding>& out) {
    if (const std::string note = label.FontNote(); !note.empty()) {
        out.push_back({Severity::kNote, display, 0, note});
    }
    for (const QuestionText& question : texts) {
        const LabelFit fit = label.Measure(question.text);
        if (fit.fits) continue;
        std::string message = "問題 " + std::to_string(question.question) +
                              " の文が切れています: " + std::to_string(fit.lines) + " 行、高さ " +
                              std::to_string(fit.neededHeight) + " px に折り返されますが、問題の欄に出るのは " +
                              std::to_string(fit.height) + " px（" + std::to_string(fit.shownLines) +
                              " 行）です";
        if (fit.shownLines < fit.lines && !fit.cut.empty()) {
            // Enough of the lost part to recognise it.
            message += "。生徒には「" + Beginning(fit.cut, 24) + "」が見えません";
        }
        out.push_back({Severity::kError, display, question.line, message + "。文を短くしてください"});
    }
}

void CheckQuestionFolder(const std::string& basePath, CheckServices& services,
                         std::vector<Finding>& out) {
    const std::string textsPath = FullPath(basePath, paths::kQuestionTexts);
    if (const auto file = Read(textsPath, "問題の文", out)) {
        QuestionTextsInspection inspection =
            InspectQuestionTexts(file->displayPath, file->bytes, kQuestionsInPlay);
        out.insert(out.end(), inspection.findings.begin(), inspection.findings.end());
        CheckQuestionLabel(inspection.texts, file->displayPath, services.label, out);
    }

    const std::string keyPath = FullPath(basePath, paths::kAnswerKey);
    if (const auto file = Read(keyPath, "正解", out)) {
        const std::vector<Finding> findings = InspectAnswerKey(file->displayPath, file->bytes, kQuestionsInPlay);
        out.insert(out.end(), findings.begin(), findings.end());
    }

    const std::string explanationPath = FullPath(basePath, paths::kExplanation);
    if (const auto file = Read(explanationPath, "メニューの説明", out)) {
        const std::vector<Finding> findings = InspectExplanation(file->displayPath, file->bytes);
        out.insert(out.end(), findings.begin(), findings.end());
    }
}

}  // namespace

std::vector<Finding> CheckContent(const std::string& basePath, CheckServices services) {
    struct Folder {
        const char* relative;
        const char* holds;
        void (*check)(const std::string&, CheckServices&, std::vector<Finding>&);
        Severity missing = Severity::kError;
        const char* consequence = "";
    };
    const Folder folders[] = {
        {"\\問題", "mondai.txt、kotae.txt、setumei.txt", &CheckQuestionFolder},
        {"\\図", "イオンの絵 ion(1).gif～ion(12).gif、ion'(1).gif～ion'(12).gif と maru.gif、batu.gif",
         [](const std::string& base, CheckServices& media, std::vector<Finding>& out) {
             const auto found = CheckPictures(base, media.pictures);
             out.insert(out.end(), found.begin(), found.end());
         }},
        {"\\音", "音 o.wav、x.wav、pan.wav、dame.wav、gokaku.wav",
         [](const std::string& base, CheckServices& media, std::vector<Finding>& out) {
             const auto found = CheckSounds(base, media.sounds);
             out.insert(out.end(), found.begin(), found.end());
         },
         // Without its sounds the game plays on, silent.
         Severity::kWarning, "。ゲームは音を鳴らさずに続きます"},
    };

    std::vector<Finding> out;
    std::error_code error;
    const auto isFolder = [&basePath, &error](const char* relative) {
        return fs::is_directory(NativePath(FullPath(basePath, relative)), error);
    };
    const fs::path base = NativePath(basePath.empty() ? "\\" : basePath);
    if (!isFolder("\\問題") && (base.filename() == fs::path(u8"問題") ||
                                 fs::exists(base / "mondai.txt", error) || fs::exists(base / "kotae.txt", error))) {
        // The teacher named the folder of the texts, not the game's folder.
        const std::u8string above = base.parent_path().u8string();
        out.push_back({Severity::kError, DisplayPath(basePath), 0,
                       "これは 問題 フォルダそのものです。一つ上のフォルダ " + std::string(above.begin(), above.end()) +
                           "（問題、図、音 を含むゲームのフォルダ）を指定するつもりでしたか"});
        return out;
    }
    const bool onlyTexts = isFolder("\\問題") && !isFolder("\\図") && !isFolder("\\音");
    for (const Folder& folder : folders) {
        const std::string fullPath = FullPath(basePath, folder.relative);
        const std::string display = DisplayPath(fullPath);
        const fs::file_status status = fs::status(NativePath(fullPath), error);
        if (status.type() == fs::file_type::not_found) {
            out.push_back({folder.missing, display, 0,
                           std::string("フォルダがありません。ゲームはここから ") + folder.holds + " を読みます" +
                               folder.consequence +
                               (onlyTexts ? "（このフォルダには 問題 しかありません。図 と 音 はゲームのフォルダから"
                                            "コピーしてください。ゲームのフォルダ全体をコピーすれば、そのまま遊べます）"
                                          : "")});
            continue;
        }
        if (!fs::is_directory(status)) {
            out.push_back({Severity::kError, display, 0,
                           std::string("フォルダではありません。ゲームはこの名前のフォルダから ") +
                               folder.holds + " を読みます"});
            continue;
        }
        folder.check(basePath, services, out);
    }

    // Grouped by file in the order met, each file's findings by line.
    std::map<std::string, std::size_t> order;
    for (const Finding& finding : out) order.emplace(finding.file, order.size());
    std::stable_sort(out.begin(), out.end(), [&order](const Finding& a, const Finding& b) {
        const std::size_t fileA = order.at(a.file);
        const std::size_t fileB = order.at(b.file);
        return fileA != fileB ? fileA < fileB : a.line < b.line;
    });
    return out;
}

std::string FormatFinding(const Finding& finding) {
    static const char* const kKinds[] = {"注", "警告", "エラー"};
    // Appended piece by piece: GCC 12 at -O3 takes "x" + std::string for an
    // overlapping copy (-Wrestrict).
    std::string text = finding.file;
    if (finding.line > 0) text.append(":").append(std::to_string(finding.line));
    return text.append(": ").append(kKinds[static_cast<int>(finding.severity)]).append(": ").append(finding.message);
}

}  // namespace soruberia::check
