// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// kotae.txt as the game reads it: a count, then that many button numbers.
// What the game would stop at is taken as far as the teacher's meaning is
// plain: empty fields are passed over, full-width digits read, a number
// that is no button left out, and a count that cannot be read gives way to
// the numbers on its line.
#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>

#include "bankedit/BankFiles.h"
#include "bankedit/ReaderParts.h"
#include "content/FieldTokenizer.h"

namespace soruberia::bankedit::reading {

namespace {

// A number field's value, also when written in full-width digits.
std::optional<long> NumberOf(const Field& field, FileEncoding encoding) {
    if (!field.problem) return field.number16;
    const std::string text = DecodeLeniently(field.raw, encoding).utf8;
    std::string digits;
    for (std::size_t i = 0; i < text.size();) {
        const std::string_view rest = std::string_view(text).substr(i);
        // ０ to ９ are EF BC 90 to EF BC 99; － is EF BC 8D.
        if (rest.size() >= 3 && rest.starts_with("\xEF\xBC") && rest[2] >= '\x90' && rest[2] <= '\x99') {
            digits += static_cast<char>('0' + (rest[2] - '\x90'));
            i += 3;
        } else if (rest.starts_with("\xEF\xBC\x8D") && digits.empty()) {
            digits += '-';
            i += 3;
        } else if ((rest[0] >= '0' && rest[0] <= '9') || (rest[0] == '-' && digits.empty())) {
            digits += rest[0];
            ++i;
        } else {
            return std::nullopt;
        }
    }
    const std::size_t first = digits.starts_with('-') ? 1 : 0;
    if (digits.size() == first || digits.size() > first + 6) return std::nullopt;
    return std::stol(digits);
}

class KeyFields {
public:
    KeyFields(const FileReading& file, std::vector<std::string>& notes)
        : bytes_(file.bytes), encoding_(*file.encoding), fields_(file.bytes), notes_(notes) {}

    // The next field that is not empty; `passedOver` tells whether empty
    // fields came first.
    Field Next(bool& passedOver) {
        for (;;) {
            Field field = fields_.NextNumber();
            if (field.problem != ContentFault::kEmptyNumber) return field;
            Note(field.line, "空の欄を飛ばしました");
            passedOver = true;
            clean_ = false;
        }
    }

    // Where the line that holds `at` ends: its CR or LF, or the end.
    std::size_t LineEndFrom(std::size_t at) const {
        return std::min(bytes_.find_first_of("\r\n", at), bytes_.size());
    }

    std::size_t EndOf(const Field& field) const {
        return static_cast<std::size_t>(field.raw.data() - bytes_.data()) + field.raw.size();
    }

    // A button number for question q: added, or noted and left out.
    void TakeButton(const Field& field, int q, IonSet& ions) {
        const std::optional<long> number = NumberOf(field, encoding_);
        const std::string prefix = "問題 " + std::to_string(q) + " の";
        if (!number) {
            Note(field.line, prefix + "イオンの番号" + Quoted(field.raw, encoding_) + "を読めないので、引き継ぎません");
        } else if (!IonSet::IsButton(static_cast<int>(*number))) {
            Note(field.line, prefix + "イオンの番号 " + std::to_string(*number) +
                                 " はボタンの番号 (1～12) ではないので、引き継ぎません");
        } else if (ions.Has(static_cast<int>(*number))) {
            Note(field.line, prefix + "イオン " + std::to_string(*number) + " が二度書かれています。一度にしました");
        } else {
            if (field.problem) Note(field.line, prefix + "イオンの番号" + Quoted(field.raw, encoding_) +
                                                    "を " + std::to_string(*number) + " と読みました");
            ions.Add(static_cast<int>(*number));
            clean_ = clean_ && !field.problem;
            return;
        }
        clean_ = false;
    }

    void Note(int line, const std::string& text) { notes_.push_back(AtLine(kKeyFile, line, text)); }

    FieldTokenizer& Tokenizer() { return fields_; }
    FileEncoding Encoding() const { return encoding_; }
    // Whether the question being read so far was read without loss.
    bool Clean() const { return clean_; }
    void Begin() { clean_ = true; }
    void Spoil() { clean_ = false; }

private:
    std::string_view bytes_;
    FileEncoding encoding_;
    FieldTokenizer fields_;
    std::vector<std::string>& notes_;
    bool clean_ = true;
};

void RanOut(std::vector<std::string>& notes, int q, bool amongAnswers) {
    const int firstEmpty = amongAnswers ? q + 1 : q;
    std::string note = std::string(kKeyFile) + " は問題 " + std::to_string(q) +
                       (amongAnswers ? " の答えの途中" : " の前") + "で終わっています";
    if (firstEmpty <= kQuestionsInPlay) note += "。問題 " + std::to_string(firstEmpty) + " から先の答えは空で始めます";
    notes.push_back(std::move(note));
}

}  // namespace

KeyRead ReadKey(const FileReading& file, std::vector<std::string>& notes) {
    KeyRead read;
    if (!file.encoding) return read;
    KeyFields fields(file, notes);
    for (int q = 1; q <= kQuestionsInPlay; ++q) {
        fields.Begin();
        bool emptyFieldsBefore = false;
        const Field countField = fields.Next(emptyFieldsBefore);
        if (countField.problem == ContentFault::kFileEnds) {
            RanOut(notes, q, false);
            break;
        }
        const auto slot = static_cast<std::size_t>(q - 1);
        IonSet& ions = read.ions[slot];
        std::size_t end = fields.EndOf(countField);
        bool ranOut = false;
        const std::optional<long> count = NumberOf(countField, fields.Encoding());
        if (!count || *count < 0 || *count > kMaxAnswersPerQuestion) {
            fields.Note(countField.line, "問題 " + std::to_string(q) + " の答えの数" +
                                             Quoted(countField.raw, fields.Encoding()) +
                                             "は 0 から 12 の数ではありません。その行にある番号を答えにしました");
            fields.Spoil();
            FieldTokenizer& tokenizer = fields.Tokenizer();
            while (tokenizer.Line() == countField.line && tokenizer.ContentLeftOnLine()) {
                const Field field = tokenizer.NextNumber();
                if (field.problem == ContentFault::kEmptyNumber) continue;
                fields.TakeButton(field, q, ions);
                end = fields.EndOf(field);
            }
            // Written anew with its line's empty fields and stray commas.
            end = fields.LineEndFrom(end);
        } else {
            if (countField.problem) {
                fields.Note(countField.line, "問題 " + std::to_string(q) + " の答えの数" +
                                                 Quoted(countField.raw, fields.Encoding()) + "を " +
                                                 std::to_string(*count) + " と読みました");
                fields.Spoil();
            }
            for (long k = 0; k < *count; ++k) {
                bool passedOver = false;
                const Field field = fields.Next(passedOver);
                if (field.problem == ContentFault::kFileEnds) {
                    ranOut = true;
                    break;
                }
                fields.TakeButton(field, q, ions);
                end = fields.EndOf(field);
            }
        }
        read.fields[slot] = SourceField{countField.begin, end, fields.Clean() && !ranOut, emptyFieldsBefore};
        if (ranOut) {
            RanOut(notes, q, true);
            break;
        }
    }
    return read;
}

}  // namespace soruberia::bankedit::reading
