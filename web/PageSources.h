// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <utility>

#include "appcore/AppServices.h"
#include "content/ContentPaths.h"
#include "content/ExplanationFile.h"
#include "engine/Services.h"
#include "web/PageFiles.h"

namespace soruberia::web {

// The question bank of the files the page handed in, read from them anew
// at every call, as FolderBank reads the folder.
class PageBank final : public engine::QuestionBankSource {
public:
    PageBank(const PageFiles& files, std::string basePath) : files_(files), basePath_(std::move(basePath)) {}
    ContentFile QuestionTexts() override { return files_.Read(basePath_, paths::kQuestionTexts); }
    ContentFile AnswerKey() override { return files_.Read(basePath_, paths::kAnswerKey); }

private:
    const PageFiles& files_;
    std::string basePath_;
};

// The menu's explanation line of the files the page handed in.
class PageExplanation final : public appcore::ExplanationSource {
public:
    PageExplanation(const PageFiles& files, std::string basePath) : files_(files), basePath_(std::move(basePath)) {}
    std::string Line() override { return ParseExplanationLine(files_.Read(basePath_, paths::kExplanation)); }

private:
    const PageFiles& files_;
    std::string basePath_;
};

}  // namespace soruberia::web
