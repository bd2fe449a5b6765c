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

#include "check/core/DiskFolder.h"
#include "check/core/MediaCheck.h"
#include "check/core/NearTwin.h"
#include "content/BankInspection.h"
#include "content/ContentFile.h"
#include "content/ContentMessages.h"
#include "content/ContentPaths.h"
#include "content/QuestionBank.h"
#include "layout/GameLayout.h"

namespace soruberia::check {

namespace {

namespace fs = std::filesystem;

std::string MissingTextFile(const std::string& fullPath, const std::string& role, ContentFolder& folder) {
    return "ファイルがありません。ゲームはここから" + role + "を読みます" + NearTwinAdvice(fullPath, folder);
}

// The file's bytes, or a finding why there are none.
std::optional<ContentFile> Read(const std::string& fullPath, ContentFolder& folder, const std::string& role,
                                std::vector<Finding>& out) {
    auto loaded = folder.Load(fullPath);
    if (auto* failure = std::get_if<ContentFailure>(&loaded)) {
        const std::string message = failure->fault == ContentFault::kFileMissing
                                        ? MissingTextFile(fullPath, role, folder)
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
        const std::string number = std::to_string(question.question);
        const std::string scale = std::to_string(fit.scalePercent) + " %";
        if (fit.fits && fit.scalePercent < 100) {
            out.push_back({Severity::kNote, display, question.line,
                           "問題 " + number + " の文は、そのままの文字の大きさでは問題の欄（" +
                               std::to_string(layout::kQuestionLabel.lines) + " 行）に収まらないため、文字を " +
                               scale + " に縮めて表示されます"});
        }
        if (fit.fits) continue;
        // A label that shrinks a long text was measured at its smallest.
        const std::string shrunk = fit.scalePercent < 100 ? "文字を " + scale + " に縮めても " : "";
        std::string message = "問題 " + number + " の文が切れています: " + shrunk +
                              std::to_string(fit.lines) + " 行、高さ " +
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

void CheckQuestionFolder(const std::string& basePath, ContentFolder& folder, CheckServices& services,
                         std::vector<Finding>& out) {
    const std::string textsPath = FullPath(basePath, paths::kQuestionTexts);
    if (const auto file = Read(textsPath, folder, "問題の文", out)) {
        QuestionTextsInspection inspection =
            InspectQuestionTexts(file->displayPath, file->bytes, kQuestionsInPlay);
        out.insert(out.end(), inspection.findings.begin(), inspection.findings.end());
        CheckQuestionLabel(inspection.texts, file->displayPath, services.label, out);
    }

    const std::string keyPath = FullPath(basePath, paths::kAnswerKey);
    if (const auto file = Read(keyPath, folder, "正解", out)) {
        const std::vector<Finding> findings = InspectAnswerKey(file->displayPath, file->bytes, kQuestionsInPlay);
        out.insert(out.end(), findings.begin(), findings.end());
    }

    const std::string explanationPath = FullPath(basePath, paths::kExplanation);
    if (const auto file = Read(explanationPath, folder, "メニューの説明", out)) {
        const std::vector<Finding> findings = InspectExplanation(file->displayPath, file->bytes);
        out.insert(out.end(), findings.begin(), findings.end());
    }
}

}  // namespace

std::vector<Finding> CheckContent(const std::string& basePath, CheckServices services) {
    DiskFolder disk;
    return CheckContent(basePath, disk, services);
}

std::vector<Finding> CheckContent(const std::string& basePath, ContentFolder& content, CheckServices services) {
    struct Folder {
        const char* relative;
        const char* holds;
        void (*check)(const std::string&, ContentFolder&, CheckServices&, std::vector<Finding>&);
        Severity missing = Severity::kError;
        const char* consequence = "";
    };
    const Folder folders[] = {
        {"\\問題", "mondai.txt、kotae.txt、setumei.txt", &CheckQuestionFolder},
        {"\\図", "イオンの絵 ion(1).gif～ion(12).gif、ion'(1).gif～ion'(12).gif と maru.gif、batu.gif",
         [](const std::string& base, ContentFolder& folder, CheckServices& media, std::vector<Finding>& out) {
             const auto found = CheckPictures(base, folder, media.pictures);
             out.insert(out.end(), found.begin(), found.end());
         }},
        {"\\音", "音 o.wav、x.wav、pan.wav、dame.wav、gokaku.wav",
         [](const std::string& base, ContentFolder& folder, CheckServices& media, std::vector<Finding>& out) {
             const auto found = CheckSounds(base, folder, media.sounds);
             out.insert(out.end(), found.begin(), found.end());
         },
         // Without its sounds the game plays on, silent.
         Severity::kWarning, "。ゲームは音を鳴らさずに続きます"},
    };

    std::vector<Finding> out;
    const auto kind = [&basePath, &content](const char* relative) {
        return content.Look(FullPath(basePath, relative)).kind;
    };
    const auto isFolder = [&kind](const char* relative) { return kind(relative) == ContentFolder::Kind::kFolder; };
    const auto exists = [&kind](const char* relative) {
        const ContentFolder::Kind found = kind(relative);
        return found != ContentFolder::Kind::kMissing && found != ContentFolder::Kind::kUnreadable;
    };
    const fs::path base = NativePath(basePath.empty() ? "\\" : basePath);
    if (!isFolder("\\問題") &&
        (base.filename() == fs::path(u8"問題") || exists("\\mondai.txt") || exists("\\kotae.txt"))) {
        // The teacher named the folder of the texts, not the game's folder.
        const std::u8string above = base.parent_path().u8string();
        out.push_back({Severity::kError, content.Display(basePath), 0,
                       "これは 問題 フォルダそのものです。一つ上のフォルダ " + std::string(above.begin(), above.end()) +
                           "（問題、図、音 を含むゲームのフォルダ）を指定するつもりでしたか"});
        return out;
    }
    const bool onlyTexts = isFolder("\\問題") && !isFolder("\\図") && !isFolder("\\音");
    for (const Folder& folder : folders) {
        const std::string fullPath = FullPath(basePath, folder.relative);
        const std::string display = content.Display(fullPath);
        const ContentFolder::Kind found = content.Look(fullPath).kind;
        if (found == ContentFolder::Kind::kMissing) {
            out.push_back({folder.missing, display, 0,
                           std::string("フォルダがありません。ゲームはここから ") + folder.holds + " を読みます" +
                               folder.consequence +
                               (onlyTexts ? "（このフォルダには 問題 しかありません。図 と 音 はゲームのフォルダから"
                                            "コピーしてください。ゲームのフォルダ全体をコピーすれば、そのまま遊べます）"
                                          : "")});
            continue;
        }
        if (found != ContentFolder::Kind::kFolder) {
            out.push_back({Severity::kError, display, 0,
                           std::string("フォルダではありません。ゲームはこの名前のフォルダから ") +
                               folder.holds + " を読みます"});
            continue;
        }
        folder.check(basePath, content, services, out);
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

const char* SeverityName(Severity severity) {
    static const char* const kKinds[] = {"注", "警告", "エラー"};
    return kKinds[static_cast<int>(severity)];
}

std::string FormatFinding(const Finding& finding) {
    // Appended piece by piece: GCC 12 at -O3 takes "x" + std::string for an
    // overlapping copy (-Wrestrict).
    std::string text = finding.file;
    if (finding.line > 0) text.append(":").append(std::to_string(finding.line));
    return text.append(": ").append(SeverityName(finding.severity)).append(": ").append(finding.message);
}

}  // namespace soruberia::check
