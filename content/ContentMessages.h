// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

#include "content/ContentFailure.h"

// The one place where a content failure becomes words, in Japanese, the
// language of the program and of its users.
namespace soruberia {

// What is wrong, without the file and line: "3 番目の項目（問題 3 の文）: …".
std::string DescribeFailure(const ContentFailure& failure);

// "file:line: エラー: …" as a compiler writes it, so editors jump to the line;
// "file: エラー: …" where no line applies.
std::string RenderFailure(const ContentFailure& failure);

// The game's last word on a content failure: run the checker on the folder
// that holds 問題, to see every problem at once.
std::string CheckerAdvice(const std::string& file);

// The name of a field's role: "問題 3 の文", "問題 4 の 2 番目の正解".
std::string RoleName(FieldRole role, int question, int answer);

// A short, one-line rendering of raw file bytes, in 「」.
std::string DescribeBytes(std::string_view bytes);

}  // namespace soruberia
