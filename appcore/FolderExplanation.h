// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <utility>

#include "appcore/AppServices.h"
#include "content/ExplanationFile.h"

namespace soruberia::appcore {

// The explanation line as the teacher left it in 問題 below basePath.
class FolderExplanation final : public ExplanationSource {
public:
    explicit FolderExplanation(std::string basePath) : basePath_(std::move(basePath)) {}
    std::string Line() override { return ReadExplanationLine(basePath_); }

private:
    std::string basePath_;
};

}  // namespace soruberia::appcore
