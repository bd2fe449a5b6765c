// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "check/ContentCheck.h"

#include <QFontInfo>
#include <QString>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <regex>
#include <system_error>

#include "check/MediaCheck.h"
#include "check/QuestionLabel.h"
#include "content/ContentFile.h"
#include "content/ContentPaths.h"
#include "content/ExplanationFile.h"
#include "content/FatalError.h"
#include "content/QuestionBank.h"

namespace soruberia::check {

namespace {

namespace fs = std::filesystem;

// A game reads 26 questions (questionCount).
constexpr int kQuestions = 26;

bool HasError(const std::vector<Finding>& findings, const std::string& file) {
    return std::any_of(findings.begin(), findings.end(), [&file](const Finding& f) {
        return f.severity == Severity::kError && f.file == file;
    });
}

// A FatalError message names its file first; the report puts the name in
// front already.
std::string WithoutFileName(const std::string& message, const std::string& display) {
    const std::string prefix = display + ": ";
    return message.rfind(prefix, 0) == 0 ? message.substr(prefix.size()) : message;
}

// The file's bytes, or a finding why there are none.
std::optional<ContentFile> Read(const std::string& fullPath, const std::string& role,
                                std::vector<Finding>& out) {
    const std::string display = DisplayPath(fullPath);
    std::error_code error;
    if (!fs::exists(NativePath(fullPath), error)) {
        out.push_back({Severity::kError, display, 0, MissingFileMessage(fullPath, role)});
        return std::nullopt;
    }
    try {
        return ReadContentFile(fullPath);
    } catch (const FatalError& failure) {
        out.push_back({Severity::kError, display, 0, WithoutFileName(failure.what(), display)});
        return std::nullopt;
    }
}

// The game's own reader has the last word: should it stop where the
// inspection found nothing wrong, its reason is reported as it stands.
template <typename ReadAsTheGameDoes>
void CompareWithGame(const std::string& display, std::vector<Finding>& out,
                     ReadAsTheGameDoes read) {
    try {
        read();
    } catch (const FatalError& failure) {
        if (!HasError(out, display)) {
            // The reader's messages begin "line L, field F (...)".
            const std::string message = WithoutFileName(failure.what(), display);
            std::smatch match;
            const int line = std::regex_search(message, match, std::regex("^line ([0-9]+)"))
                                 ? std::stoi(match[1])
                                 : 0;
            out.push_back({Severity::kError, display, line,
                           "the game cannot read this file: " + message});
        }
    }
}

void CheckQuestionLabel(const std::vector<QuestionText>& texts, const std::string& display,
                        std::vector<Finding>& out) {
    QuestionLabel label;
    const QFontInfo font(label.Label().font());
    if (!font.family().contains(QStringLiteral("明朝")) &&
        !font.family().contains(QStringLiteral("Mincho"), Qt::CaseInsensitive)) {
        out.push_back({Severity::kNote, display, 0,
                       "the question texts are measured with the font \"" +
                           font.family().toStdString() +
                           "\", as neither ＭＳ Ｐ明朝 nor its stand-in IPAPMincho (Debian "
                           "package fonts-ipafont-mincho) is installed"});
    }
    for (const QuestionText& question : texts) {
        const LabelFit fit = label.Measure(QString::fromStdString(question.text));
        if (fit.fits) continue;
        std::string message = "the text of question " + std::to_string(question.question) +
                              " is cut off: it wraps to " + std::to_string(fit.lines) +
                              " lines, " + std::to_string(fit.neededHeight) +
                              " px high, and the question label shows " +
                              std::to_string(fit.height) + " px (" +
                              std::to_string(fit.shownLines) + " lines)";
        if (fit.shownLines < fit.lines && !fit.cut.isEmpty()) {
            // Enough of the lost part to recognise it.
            constexpr qsizetype kShown = 24;
            const QString lost = fit.cut.size() > kShown ? fit.cut.left(kShown) + QStringLiteral("…")
                                                         : fit.cut;
            message += "; the students never see \"" + lost.toStdString() + "\"";
        }
        out.push_back({Severity::kError, display, question.line, message + "; shorten it"});
    }
}

void CheckQuestionFolder(const std::string& basePath, std::vector<Finding>& out) {
    const std::string textsPath = FullPath(basePath, paths::kQuestionTexts);
    if (const auto file = Read(textsPath, "the question texts", out)) {
        QuestionTextsInspection inspection =
            InspectQuestionTexts(file->displayPath, file->bytes, kQuestions);
        out.insert(out.end(), inspection.findings.begin(), inspection.findings.end());
        CompareWithGame(file->displayPath, out, [&basePath] {
            QuestionTextTable texts;
            ReadQuestionTexts(basePath, kQuestions, texts);
        });
        CheckQuestionLabel(inspection.texts, file->displayPath, out);
    }

    const std::string keyPath = FullPath(basePath, paths::kAnswerKey);
    if (const auto file = Read(keyPath, "the answer key", out)) {
        const std::vector<Finding> findings = InspectAnswerKey(file->displayPath, file->bytes, kQuestions);
        out.insert(out.end(), findings.begin(), findings.end());
        CompareWithGame(file->displayPath, out, [&basePath] {
            AnswerCountTable counts{};
            AnswerKeyTable key{};
            ReadAnswerKey(basePath, kQuestions, counts, key);
        });
    }

    const std::string explanationPath = FullPath(basePath, paths::kExplanation);
    if (const auto file = Read(explanationPath, "the menu's explanation", out)) {
        const std::vector<Finding> findings = InspectExplanation(file->displayPath, file->bytes);
        out.insert(out.end(), findings.begin(), findings.end());
        CompareWithGame(file->displayPath, out, [&basePath] { ReadExplanationLine(basePath); });
    }
}

}  // namespace

std::vector<Finding> CheckContent(const std::string& basePath) {
    struct Folder {
        const char* relative;
        const char* holds;
        void (*check)(const std::string&, std::vector<Finding>&);
    };
    const Folder folders[] = {
        {"\\問題", "mondai.txt, kotae.txt and setumei.txt", &CheckQuestionFolder},
        {"\\図", "the ion pictures ion(1).gif to ion(12).gif, ion'(1).gif to ion'(12).gif, "
                 "maru.gif and batu.gif",
         [](const std::string& base, std::vector<Finding>& out) {
             const auto found = CheckPictures(base);
             out.insert(out.end(), found.begin(), found.end());
         }},
        {"\\音", "the sounds o.wav, x.wav, pan.wav, dame.wav and gokaku.wav",
         [](const std::string& base, std::vector<Finding>& out) {
             const auto found = CheckSounds(base);
             out.insert(out.end(), found.begin(), found.end());
         }},
    };

    std::vector<Finding> out;
    for (const Folder& folder : folders) {
        const std::string fullPath = FullPath(basePath, folder.relative);
        const std::string display = DisplayPath(fullPath);
        std::error_code error;
        const fs::file_status status = fs::status(NativePath(fullPath), error);
        if (status.type() == fs::file_type::not_found) {
            out.push_back({Severity::kError, display, 0,
                           std::string("missing folder; the game reads ") + folder.holds +
                               " from it"});
            continue;
        }
        if (!fs::is_directory(status)) {
            out.push_back({Severity::kError, display, 0,
                           std::string("is not a folder; the game reads ") + folder.holds +
                               " from a folder of this name"});
            continue;
        }
        folder.check(basePath, out);
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
    static const char* const kKinds[] = {"note", "warning", "error"};
    std::string text = finding.file;
    if (finding.line > 0) text += ":" + std::to_string(finding.line);
    return text + ": " + kKinds[static_cast<int>(finding.severity)] + ": " + finding.message;
}

}  // namespace soruberia::check
