// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace soruberia {

// Relative paths of the content files, written with the program's own
// separator, a backslash. They are mapped to the platform's separator only
// where a file is opened (NativePath).
namespace paths {
inline constexpr std::string_view kQuestionTexts = "\\問題\\mondai.txt";
inline constexpr std::string_view kAnswerKey = "\\問題\\kotae.txt";
inline constexpr std::string_view kExplanation = "\\問題\\setumei.txt";
inline constexpr std::string_view kMarkCorrect = "\\図\\maru.gif";
inline constexpr std::string_view kMarkWrong = "\\図\\batu.gif";
inline constexpr std::string_view kSoundCorrect = "\\音\\o.wav";
inline constexpr std::string_view kSoundWrong = "\\音\\x.wav";
inline constexpr std::string_view kSoundBurst = "\\音\\pan.wav";
inline constexpr std::string_view kSoundFailure = "\\音\\dame.wav";
inline constexpr std::string_view kSoundPass = "\\音\\gokaku.wav";

// The question bank's files, and every sound a game plays.
inline constexpr std::array kBankFiles{kQuestionTexts, kAnswerKey, kExplanation};
inline constexpr std::array kSounds{kSoundCorrect, kSoundWrong, kSoundBurst, kSoundFailure, kSoundPass};
}  // namespace paths

// The folder that holds the running executable, as the platform reports it
// (a link to the executable is followed to its target).
std::string ExecutableFolder();

// basePath from the executable's folder: at most one trailing separator is
// removed, so the root folder ("C:\" or "/") loses its separator.
std::string DeriveBasePath(std::string_view executableFolder);

// basePath followed directly by a relative path that begins with a backslash.
std::string FullPath(std::string_view basePath, std::string_view relativePath);

// "\図\ion(N).gif", or "\図\ion'(N).gif" once found; N in plain decimal.
std::string IonPictureName(int ionNumber, bool found);

// Every picture of 図 that a game shows: the marks, then each ion plain and
// found.
std::vector<std::string> GamePictures();

// The one place where the program's backslashes become the platform's
// separators; every content file is opened through this.
std::filesystem::path NativePath(std::string_view fullPath);

}  // namespace soruberia
