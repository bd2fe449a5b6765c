// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// mondai.txt as the game reads it, one text field a question, kept on with
// wherever the game would stop.
#include <cstddef>

#include "bankedit/BankFiles.h"
#include "bankedit/ReaderParts.h"
#include "content/FieldTokenizer.h"

namespace soruberia::bankedit::reading {

namespace {

std::size_t OffsetIn(std::string_view bytes, std::string_view part) {
    return static_cast<std::size_t>(part.data() - bytes.data());
}

}  // namespace

TextsRead ReadTexts(const FileReading& file, std::vector<std::string>& notes) {
    TextsRead read;
    if (!file.encoding) return read;
    const FileEncoding encoding = *file.encoding;
    const std::string_view bytes = file.bytes;
    // A quote that is not closed on its line would take the next line's
    // opening quote as its closing one, or the rest of the file: the text
    // ends with its line instead, and reading starts again after it. (A
    // line break in a question is never meant: it could not be written.)
    std::size_t restart = 0;
    int linesBefore = 0;
    FieldTokenizer fields(bytes);
    for (int q = 1; q <= kQuestionsInPlay; ++q) {
        const Field field = fields.NextText();
        const int line = linesBefore + field.line;
        if (field.problem == ContentFault::kFileEnds) {
            notes.push_back(std::string(kTextsFile) + " は問題 " + std::to_string(q - 1) + " までで終わっています。問題 " +
                            std::to_string(q) + " から先の文は空で始めます");
            break;
        }
        SourceField& source = read.fields[static_cast<std::size_t>(q - 1)].emplace();
        source.begin = restart + field.begin;
        std::string_view text = field.raw;
        std::size_t end = OffsetIn(bytes, field.raw) + field.raw.size() + (field.quoted ? 1 : 0);
        bool wellFormed = true;
        const bool spansLines = field.quoted && text.find_first_of("\r\n") != std::string_view::npos;
        if (field.problem == ContentFault::kTextAfterQuote && !spansLines) {
            end = OffsetIn(bytes, field.problemBytes) + field.problemBytes.size();
            notes.push_back(AtLine(kTextsFile, field.problemLine + linesBefore,
                                   "問題 " + std::to_string(q) + " の文の \" の後にある" +
                                       Quoted(field.problemBytes, encoding) + "は引き継ぎません"));
            wellFormed = false;
        } else if (spansLines || field.problem == ContentFault::kUnclosedQuote) {
            const std::size_t lineEnd = text.find_first_of("\r\n");
            text = text.substr(0, lineEnd);
            end = OffsetIn(bytes, text) + text.size();
            notes.push_back(AtLine(kTextsFile, line,
                                   "問題 " + std::to_string(q) + " の文の \" がその行で閉じていません。行の終わりまでを文にしました"));
            wellFormed = false;
            if (lineEnd == std::string_view::npos) {
                restart = bytes.size();
            } else {
                restart = end + (bytes.substr(end, 2) == "\r\n" ? 2 : 1);
            }
            linesBefore = line;
            fields = FieldTokenizer(bytes.substr(restart));
        }
        DecodedText decoded = DecodeLeniently(text, encoding);
        if (!decoded.lossless) {
            notes.push_back(AtLine(kTextsFile, line,
                                   "問題 " + std::to_string(q) + " の文に Shift-JIS として読めないバイトがあります。" +
                                       "読めない所は � にしました"));
            wellFormed = false;
        }
        std::string kept = EditableText(decoded.utf8, kQuestionMaxLength);
        if (kept.size() != decoded.utf8.size()) {
            notes.push_back(AtLine(kTextsFile, line,
                                   "問題 " + std::to_string(q) + " の文が " + std::to_string(kQuestionMaxLength) +
                                       " 文字を超えています。" + std::to_string(kQuestionMaxLength) + " 文字までを文にしました"));
            wellFormed = false;
        }
        source.end = end;
        source.wellFormed = wellFormed;
        read.texts[static_cast<std::size_t>(q - 1)] = std::move(kept);
    }
    return read;
}

}  // namespace soruberia::bankedit::reading
