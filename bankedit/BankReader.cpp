// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "bankedit/BankReader.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "bankedit/ReaderParts.h"
#include "content/ContentFile.h"
#include "content/ContentMessages.h"

namespace soruberia::bankedit {

namespace {

using reading::FileReading;

// The file as the readers take it: one larger than they read is refused as
// they refuse it, and the draft starts without it.
FileReading Reading(const std::optional<std::string>& bytes, bool tooLarge, std::string_view file,
                    std::string_view what, std::vector<std::string>& notes) {
    if (tooLarge || (bytes && bytes->size() > kMaxContentFileBytes)) {
        ContentFailure failure;
        failure.fault = ContentFault::kTooLarge;
        failure.value = static_cast<std::int64_t>(kMaxContentFileBytes);
        notes.push_back(std::string(file) + " は " + DescribeFailure(failure) + "。" + std::string(what) +
                        "は空で始めます");
        return {};
    }
    return reading::ReadingOf(bytes, file, what, notes);
}

// setumei.txt: the line up to the first CR or LF, as the menu shows it.
std::optional<SourceExplanation> ReadExplanation(const BankFiles& files, bool tooLarge, std::string& explanation,
                                                 std::vector<std::string>& notes) {
    const FileReading file = Reading(files.explanation, tooLarge, kExplanationFile, "説明", notes);
    if (!file.encoding) return std::nullopt;
    if (file.bytes.empty()) {
        notes.push_back(std::string(kExplanationFile) + " が空です。説明は空で始めます");
        return std::nullopt;
    }
    const std::size_t lineEnd = std::min(file.bytes.find_first_of("\r\n"), file.bytes.size());
    DecodedText decoded = DecodeLeniently(file.bytes.substr(0, lineEnd), *file.encoding);
    explanation = EditableText(decoded.utf8, kExplanationMaxLength);
    if (!decoded.lossless) {
        notes.push_back(reading::AtLine(kExplanationFile, 1,
                                        "Shift-JIS として読めないバイトがあります。読めない所は � にしました"));
    }
    const bool whole = explanation.size() == decoded.utf8.size();
    if (!whole) {
        const std::string most = std::to_string(kExplanationMaxLength);
        notes.push_back(reading::AtLine(kExplanationFile, 1, "説明が " + most + " 文字を超えています。" + most +
                                                                 " 文字までを説明にしました"));
    }
    if (*file.encoding != FileEncoding::kShiftJis) return std::nullopt;
    return SourceExplanation{*files.explanation, lineEnd, decoded.lossless && whole};
}

// The file as the source of the writer, if it was read as it is.
std::optional<SourceFile> SourceOf(const std::optional<std::string>& bytes, const FileReading& file,
                                   reading::FieldsRead fields) {
    if (file.encoding != FileEncoding::kShiftJis) return std::nullopt;
    return SourceFile{*bytes, std::move(fields)};
}

}  // namespace

OpenedBank ReadBank(const BankFiles& files, const TooLargeFiles& tooLarge) {
    OpenedBank opened;
    BankDraft& draft = opened.draft;

    const FileReading textsFile = Reading(files.texts, tooLarge.texts, kTextsFile, "問題の文", opened.notes);
    reading::TextsRead texts = reading::ReadTexts(textsFile, opened.notes);
    const FileReading keyFile = Reading(files.key, tooLarge.key, kKeyFile, "答え", opened.notes);
    reading::KeyRead key = reading::ReadKey(keyFile, opened.notes);
    for (std::size_t i = 0; i < draft.questions.size(); ++i) {
        draft.questions[i].text = std::move(texts.texts[i]);
        draft.questions[i].ions = key.ions[i];
    }
    opened.source.texts = SourceOf(files.texts, textsFile, texts.fields);
    opened.source.key = SourceOf(files.key, keyFile, key.fields);
    opened.source.explanation = ReadExplanation(files, tooLarge.explanation, draft.explanation, opened.notes);
    opened.source.asRead = draft;
    return opened;
}

OpenedBank NewBank() { return {}; }

}  // namespace soruberia::bankedit
