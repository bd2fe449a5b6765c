// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <utility>

#include "content/ContentPaths.h"
#include "engine/Services.h"

namespace soruberia::engine {

// The question bank as the teacher left it in 問題 below basePath: each file
// is opened, read whole and closed at every call.
class FolderBank final : public QuestionBankSource {
public:
    explicit FolderBank(std::string basePath) : basePath_(std::move(basePath)) {}
    ContentFile QuestionTexts() override { return ReadContentFile(FullPath(basePath_, paths::kQuestionTexts)); }
    ContentFile AnswerKey() override { return ReadContentFile(FullPath(basePath_, paths::kAnswerKey)); }

private:
    std::string basePath_;
};

}  // namespace soruberia::engine
