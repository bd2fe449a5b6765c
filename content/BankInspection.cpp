// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "content/BankInspection.h"

#include <algorithm>
#include <map>
#include <optional>
#include <utility>

#include "content/Bytes.h"
#include "content/ContentMessages.h"
#include "content/ExplanationFile.h"
#include "content/FieldTokenizer.h"
#include "content/IonNames.h"
#include "content/ShiftJis.h"

namespace soruberia {

namespace {

using bytes::IsBlank;
using bytes::IsLineEnd;

// Whether every byte belongs to a well-formed UTF-8 sequence.
bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = lead < 0x80 ? 1
                                   : (lead & 0xE0) == 0xC0 ? 2
                                   : (lead & 0xF0) == 0xE0 ? 3
                                   : (lead & 0xF8) == 0xF0 ? 4
                                                           : 0;
        if (length == 0 || i + length > bytes.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
        }
        i += length;
    }
    return true;
}

class Findings {
public:
    Findings(std::string file, std::vector<Finding>& out) : file_(std::move(file)), out_(out) {}
    void Error(int line, std::string message) { Add(Severity::kError, line, std::move(message)); }
    void Warning(int line, std::string message) { Add(Severity::kWarning, line, std::move(message)); }
    void Note(int line, std::string message) { Add(Severity::kNote, line, std::move(message)); }

    // A mistake that moves every later field to another question: an error,
    // the cause of what follows.
    void Shift(int line, std::string message) {
        Error(line, std::move(message));
        if (!shiftLine_) shiftLine_ = line;
    }
    // What holds only as the game reads the fields. Once a shift is reported
    // it is a follow-on: a note marked with the line of its cause.
    void AsRead(Severity severity, int line, std::string message) {
        if (shiftLine_) {
            Note(line, message + "（" + std::to_string(*shiftLine_) + " 行目のずれによる）");
        } else {
            Add(severity, line, std::move(message));
        }
    }
    bool Shifted() const { return shiftLine_.has_value(); }
    void FieldAsRead(const Field& field, FieldRole role, int question, int answer,
                     const std::string& more) {
        AsRead(Severity::kError, field.problemLine,
               DescribeFailure(FailureOf(field, file_, role, question, answer)) + more);
    }
    // A field the game cannot read, in the game's own words.
    void FieldError(const Field& field, FieldRole role, int question, int answer,
                    const std::string& more) {
        Error(field.problemLine, DescribeFailure(FailureOf(field, file_, role, question, answer)) + more);
    }
    const std::string& File() const { return file_; }

private:
    void Add(Severity severity, int line, std::string message) {
        out_.push_back({severity, file_, line, std::move(message)});
    }
    std::string file_;
    std::vector<Finding>& out_;
    std::optional<int> shiftLine_;
};

constexpr const char* kGameStopsHere = "。ゲームはここで止まります";

constexpr const char* kUtf8Advice =
    "ファイルが UTF-8 で保存されていますが、ゲームは Shift-JIS（コードページ 932）で読むので、"
    "止まるか文字化けします。Shift-JIS で保存し直してください。メモ帳: 「名前を付けて保存」で"
    "文字コードを「ANSI」に（日本語版 Windows）。VS Code: 右下の「UTF-8」→「エンコード付きで保存」→"
    "「Japanese (Shift JIS)」。Linux: iconv -f UTF-8 -t CP932 元.txt > 新.txt || echo 変換できない文字があります";

// What to type instead of a character that code page 932 lacks, as a
// chemistry teacher writes charges and formulae.
std::string Replacement(char32_t c) {
    static constexpr char32_t kSuperscripts[] = {U'⁰', U'¹', U'²', U'³', U'⁴', U'⁵', U'⁶', U'⁷', U'⁸', U'⁹'};
    for (int digit = 0; digit < 10; ++digit) {
        if (c == kSuperscripts[digit] || c == static_cast<char32_t>(U'₀' + static_cast<char32_t>(digit))) {
            return std::string(1, static_cast<char>('0' + digit));
        }
    }
    if (c == U'⁺' || c == U'₊') return "+";
    if (c == U'⁻' || c == U'₋') return "-";
    return {};
}

// One UTF-8 character from `text` at `i`; advances `i`.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    char32_t c = length == 1 ? lead : lead & (0xFFu >> (length + 1));
    for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
        c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
    }
    i += length;
    return c;
}

// A file saved as UTF-8: how to save it as Shift-JIS, and every run of
// characters that Shift-JIS lacks with what to write instead, as the
// conversion stops at them.
void ReportUtf8(Findings& findings, std::string_view bytes, int reportLine) {
    findings.Error(reportLine, kUtf8Advice);
    int line = 1;
    std::size_t i = 0;
    std::string run;
    std::string instead;
    bool replaceable = true;
    const auto flush = [&] {
        if (run.empty()) return;
        findings.Error(line, "「" + run + "」は Shift-JIS にない文字で、変換できません。" +
                                 (replaceable ? "「" + instead + "」と書いてください"
                                              : std::string("別の書き方にしてください")));
        run.clear();
        instead.clear();
        replaceable = true;
    };
    while (i < bytes.size()) {
        if (IsLineEnd(bytes[i])) {
            flush();
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            ++i;
            ++line;
            continue;
        }
        const std::size_t start = i;
        const char32_t c = NextCodePoint(bytes, i);
        const std::string_view character = bytes.substr(start, i - start);
        if (!sjis::Encode(character).unmappableAt) {
            flush();
            continue;
        }
        run += character;
        const std::string replacement = Replacement(c);
        replaceable = replaceable && !replacement.empty();
        instead += replacement;
    }
    flush();
}

// Full-width punctuation that looks like the file's separators but is text.
constexpr std::string_view kFullWidthComma = "\x81\x41";  // 、 in code page 932
constexpr std::string_view kFullWidthComma2 = "\x81\x43"; // ，
constexpr std::string_view kOpeningQuote = "\x81\x67";    // “
constexpr std::string_view kClosingQuote = "\x81\x68";    // ”

// Whether `text` holds the two-byte character `c` at a character boundary.
bool HoldsCharacter(std::string_view text, std::string_view c) {
    for (std::size_t i = 0; i + 1 < text.size();) {
        if (text.substr(i, 2) == c) return true;
        const auto byte = static_cast<unsigned char>(text[i]);
        i += (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC) ? 2 : 1;
    }
    return false;
}

bool HoldsFullWidthComma(std::string_view text) {
    return HoldsCharacter(text, kFullWidthComma) || HoldsCharacter(text, kFullWidthComma2);
}

constexpr const char* kSaveAsShiftJis = "。ファイルを Shift-JIS（コードページ 932）で保存してください";

// The first offset from `from` on that holds something other than blanks
// and line ends.
std::optional<std::size_t> FirstContent(std::string_view bytes, std::size_t from) {
    for (std::size_t i = from; i < bytes.size(); ++i) {
        if (!IsBlank(bytes[i]) && !IsLineEnd(bytes[i])) return i;
    }
    return std::nullopt;
}

int LineOf(std::string_view bytes, std::size_t offset) {
    int line = 1;
    for (std::size_t i = 0; i < offset && i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        if (IsLineEnd(bytes[i])) ++line;
    }
    return line;
}

bool HasFullWidthDigit(std::string_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const auto trail = static_cast<unsigned char>(text[i + 1]);
        if (lead == 0x82 && trail >= 0x4F && trail <= 0x58) return true;
    }
    return false;
}

// ---- answer key ------------------------------------------------------

// Every field of the answer key, with how the fields stand on their lines.
struct KeyField {
    Field field;
    bool startsLine = false;  // the first field with content on its line
    int fieldsOnLine = 0;     // fields with content on its line, from this one on
};

std::vector<KeyField> NumberFields(std::string_view bytes, Field& end) {
    std::vector<KeyField> fields;
    FieldTokenizer tokenizer(bytes);
    for (;;) {
        Field field = tokenizer.NextNumber();
        if (field.problem == ContentFault::kFileEnds) {
            end = std::move(field);
            break;
        }
        fields.push_back({std::move(field), false, 0});
    }
    const auto hasContent = [](const KeyField& f) { return f.field.problem != ContentFault::kEmptyNumber; };
    int previousLine = 0;
    for (KeyField& f : fields) {
        if (!hasContent(f)) continue;
        f.startsLine = f.field.line != previousLine;
        previousLine = f.field.line;
    }
    for (std::size_t i = fields.size(); i > 0; --i) {
        KeyField& f = fields[i - 1];
        if (!hasContent(f)) continue;
        f.fieldsOnLine = 1;
        for (std::size_t j = i; j < fields.size() && fields[j].field.line == f.field.line; ++j) {
            if (hasContent(fields[j])) {
                f.fieldsOnLine += fields[j].fieldsOnLine;
                break;
            }
        }
    }
    return fields;
}

class KeyWalker {
public:
    KeyWalker(const std::vector<KeyField>& fields, Field end, Findings& findings)
        : fields_(fields), end_(std::move(end)), findings_(findings) {}

    // The next field with content, or nothing at the end of the file. An
    // empty field on the way is reported, as the game stops there.
    const KeyField* Next(FieldRole role, int question, int answer) {
        while (next_ < fields_.size()) {
            const KeyField& f = fields_[next_++];
            if (f.field.problem != ContentFault::kEmptyNumber) return &f;
            findings_.FieldError(f.field, role, question, answer,
                                 "（コンマが二つ続いている、行末にコンマがある、または空の行があります）" +
                                     std::string(kGameStopsHere));
        }
        return nullptr;
    }
    const KeyField* Remaining() const { return next_ < fields_.size() ? &fields_[next_] : nullptr; }
    void SkipLine(int line) {
        while (next_ < fields_.size() && fields_[next_].field.line == line) ++next_;
    }
    // The end of the file, reported as the field `role` that is missing.
    void ReportEnd(FieldRole role, int question, int answer, const std::string& more) {
        Field missing = end_;
        missing.number = next_ < fields_.size() ? fields_[next_].field.number : end_.number;
        findings_.FieldAsRead(missing, role, question, answer, more);
    }

private:
    const std::vector<KeyField>& fields_;
    Field end_;
    Findings& findings_;
    std::size_t next_ = 0;
};

std::string NumberProblem(const Field& field) {
    if (field.problem != ContentFault::kNotANumber) return kGameStopsHere;
    std::string hint;
    if (HoldsFullWidthComma(field.raw)) {
        hint = "（数が全角の「、」や「，」で区切られています。ゲームが区切りとして読むのは半角のコンマ , "
               "だけです。「、」を , に書き換えてください）";
    } else if (HasFullWidthDigit(field.raw)) {
        hint = "（全角の数字です。0 から 9 は半角で書いてください）";
    } else {
        hint = "（半角数字の整数を書いてください）";
    }
    return hint + kGameStopsHere;
}

// Returns false where the file ends.
bool CheckAnswers(KeyWalker& walker, Findings& findings, int q, int count, int toRead,
                  const KeyField& countField) {
    std::map<int, int> seen;  // ion -> answer number
    for (int k = 1; k <= toRead; ++k) {
        const KeyField* f = walker.Next(FieldRole::kAnswer, q, k);
        if (f == nullptr) {
            walker.ReportEnd(FieldRole::kAnswer, q, k,
                             "（正解の数 " + std::to_string(count) + " は " +
                                 std::to_string(countField.field.line) + " 行目）" + kGameStopsHere);
            return false;
        }
        if (f->field.problem) {
            findings.FieldError(f->field, FieldRole::kAnswer, q, k, NumberProblem(f->field));
            continue;
        }
        const int ion = f->field.number16;
        const std::string name = RoleName(FieldRole::kAnswer, q, k);
        if (ion < 1 || ion > kIonCount) {
            findings.AsRead(Severity::kError, f->field.line,
                           name + "が " + std::to_string(ion) +
                               " で、イオンの番号（1 から 12）ではありません。どのボタンを押しても当たらないので、問題 " +
                               std::to_string(q) + " はいつまでも終わりません");
            continue;
        }
        const auto [where, fresh] = seen.emplace(ion, k);
        if (!fresh) {
            findings.AsRead(Severity::kError, f->field.line,
                           "イオン " + std::to_string(ion) + "（" + std::string(IonName(ion)) + "）が問題 " +
                               std::to_string(q) + " に二度書かれています（" +
                               std::to_string(where->second) + " 番目と " + std::to_string(k) +
                               " 番目の正解）。一度押せば見つかるので、残りの正解の数が 0 にならず、"
                               "問題はいつまでも終わりません");
        }
    }
    return true;
}

}  // namespace

bool LooksLikeUtf8(std::string_view bytes) {
    const bool beyondAscii = std::any_of(bytes.begin(), bytes.end(),
                                         [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return beyondAscii && IsValidUtf8(bytes);
}

QuestionTextsInspection InspectQuestionTexts(const std::string& displayPath,
                                             std::string_view bytes, int n) {
    QuestionTextsInspection result;
    Findings findings(displayPath, result.findings);
    if (bytes.empty()) {
        // Line 1, as the game names it: the line where the first text is missing.
        findings.Error(1, "ファイルが空です。ゲームはここから " + std::to_string(n) +
                              " 問の文を読むので、ゲームの開始で止まります");
        return result;
    }
    const bool utf8 = LooksLikeUtf8(bytes);
    if (utf8) ReportUtf8(findings, bytes, 0);
    bool utf8StopReported = false;

    FieldTokenizer tokenizer(bytes);
    for (int i = 1; i <= n; ++i) {
        const std::string name = RoleName(FieldRole::kQuestionText, i, 0);
        const std::string later = i < n ? "問題 " + std::to_string(i + 1) + " から後の文がすべて一つずつずれて、"
                                          "別の問題の正解で採点されます"
                                        : std::string("最後の文が切れます");
        Field field = tokenizer.NextText();
        if (field.problem == ContentFault::kFileEnds) {
            findings.FieldAsRead(field, FieldRole::kQuestionText, i, 0,
                                 "（文は " + std::to_string(i - 1) + " 個しかなく、ゲームは " +
                                     std::to_string(n) + " 個読みます）。ゲームの開始で止まります");
            return result;
        }
        if (field.problem == ContentFault::kUnclosedQuote) {
            findings.FieldError(field, FieldRole::kQuestionText, i, 0, kGameStopsHere);
            return result;
        }
        const bool fullWidthQuotes =
            HoldsCharacter(field.raw, kOpeningQuote) || HoldsCharacter(field.raw, kClosingQuote);
        const bool inFullWidthQuotes = field.raw.substr(0, 2) == kOpeningQuote && field.raw.size() >= 4 &&
                                       field.raw.substr(field.raw.size() - 2) == kClosingQuote;
        if (field.quoted && field.endLine != field.line) {
            findings.Shift(field.line, name + "が " + std::to_string(field.endLine) +
                                           " 行目まで続いています。二重引用符の間の改行も文の一部になるので、" +
                                           later + "（この行の閉じる \" が抜けていませんか）");
        } else if (!field.quoted && field.endsAtComma && tokenizer.ContentLeftOnLine()) {
            const std::string hint =
                fullWidthQuotes ? "文が全角の “ ” で囲まれています。ゲームが文の囲みとして読むのは半角の \" "
                                  "だけなので、“ ” を \" に書き換えてください"
                                : "コンマも文の一部なら、文を半角の二重引用符 \" で囲んでください";
            findings.Shift(field.line, name + "は二重引用符で囲まれていないので、半角のコンマ , で終わります。"
                                               "コンマのあとは別の文として読まれ、" + later + "（" + hint + "）");
        } else if (!field.quoted && inFullWidthQuotes) {
            findings.Warning(field.line, name + "の全角の “ ” は、囲みではなく文の一部としてそのまま表示されます"
                                                "（文を囲むなら半角の \" を使ってください）");
        }
        if (field.problem == ContentFault::kTextAfterQuote) {
            const bool fullWidthComma = field.problemBytes.substr(0, 2) == kFullWidthComma ||
                                        field.problemBytes.substr(0, 2) == kFullWidthComma2;
            findings.FieldError(field, FieldRole::kQuestionText, i, 0,
                                (fullWidthComma ? "（全角の「、」や「，」は文の区切りになりません。文と文の間は"
                                                  "半角のコンマ , で区切ってください。二重引用符の中の「、」は"
                                                  "そのままで構いません）"
                                                : "") +
                                    std::string(kGameStopsHere));
            continue;
        }
        if (field.problem == ContentFault::kInvalidShiftJis) {
            // In a UTF-8 file only the first, where the game stops.
            if (!utf8 || !utf8StopReported) {
                findings.FieldError(field, FieldRole::kQuestionText, i, 0,
                                    std::string(kSaveAsShiftJis) + kGameStopsHere);
            }
            utf8StopReported = utf8;
            continue;
        }
        if (utf8) continue;
        if (field.raw.empty()) {
            if (tokenizer.ContentLeft()) {
                findings.Shift(field.line, name + "が空です。空の行や、コンマが二つ続くところ、行末のコンマも"
                                                   "一つの文として数えられるので、" + later);
            } else {
                findings.AsRead(Severity::kWarning, field.line, name + "が空なので、問題の欄に何も出ません");
            }
            continue;
        }
        result.texts.push_back({i, field.line, std::move(field.text)});
    }
    if (const auto rest = FirstContent(bytes, tokenizer.Offset())) {
        findings.AsRead(Severity::kNote, LineOf(bytes, *rest),
                        "ここから先は読まれません。ゲームが読むのは " + std::to_string(n) + " 問の文だけです");
    }
    return result;
}

std::vector<Finding> InspectAnswerKey(const std::string& displayPath, std::string_view bytes,
                                      int n) {
    std::vector<Finding> out;
    Findings findings(displayPath, out);
    if (bytes.empty()) {
        findings.Error(1, "ファイルが空です。ゲームはここから " + std::to_string(n) +
                              " 問の正解を読むので、ゲームの開始で止まります");
        return out;
    }
    Field end;
    const std::vector<KeyField> fields = NumberFields(bytes, end);
    KeyWalker walker(fields, end, findings);
    for (int q = 1; q <= n; ++q) {
        const std::string countName = RoleName(FieldRole::kAnswerCount, q, 0);
        const KeyField* f = walker.Next(FieldRole::kAnswerCount, q, 0);
        if (f == nullptr) {
            walker.ReportEnd(FieldRole::kAnswerCount, q, 0,
                             "（ファイルには " + std::to_string(q - 1) + " 問分の正解しかなく、ゲームは " +
                                 std::to_string(n) + " 問読みます）。ゲームの開始で止まります");
            return out;
        }
        if (f->field.problem) {
            if (f->startsLine) {
                // One question to a line: the next line is the next question.
                findings.FieldError(f->field, FieldRole::kAnswerCount, q, 0, NumberProblem(f->field));
                walker.SkipLine(f->field.line);
                continue;
            }
            findings.FieldError(f->field, FieldRole::kAnswerCount, q, 0,
                                NumberProblem(f->field) +
                                    "（次の問題がどこから始まるかわからないので、ファイルの残りは調べていません）");
            return out;
        }
        const int count = f->field.number16;
        const std::string countText = std::to_string(count);
        const int line = f->field.line;
        if (count < 0) {
            findings.AsRead(Severity::kError, line, countName + "が " + countText +
                                     " です。イオンは一つも読まれず、残りの正解の数は " + countText +
                                     " から始まって 0 にならないので、問題はいつまでも終わりません（5 回目の"
                                     "ミスでしか終わりません）。正解の数は 1 から 12 にしてください");
            continue;
        }
        if (count == 0) {
            // The game accepts it, but the question has no right answer: it
            // ends only through a miss, which costs points.
            findings.AsRead(Severity::kWarning, line, countName + "が 0 です。正しいイオンがないので、どのボタンを押しても"
                                               "ミス（-100 点）になり、最初の一押しで問題が終わります");
            continue;
        }
        const int onLine = f->fieldsOnLine - 1;
        int toRead = count;
        if (count > kIonCount) {
            findings.AsRead(Severity::kError, line, countName + " " + countText +
                                     " が 12 を超えています（イオンのボタンも正解の枠も 12 個です）。"
                                     "ゲームは毎回、開始のときにエラーで止まります");
            if (f->startsLine && onLine > 0) toRead = onLine;
        } else if (f->startsLine && onLine > 0 && onLine != count) {
            std::string consequence;
            if (onLine < count) {
                consequence = "足りない " + std::to_string(count - onLine) + " 個が下の行から取られ、";
            } else if (q < n) {
                consequence = "この行の最後の " + std::to_string(onLine - count) + " 個が問題 " +
                              std::to_string(q + 1) + " の始まりになり、";
            }
            std::string message = "問題 " + std::to_string(q) + ": 正解の数 " + countText +
                                  " のあとに、この行にはイオンの番号が " + std::to_string(onLine) +
                                  " 個あります。ゲームは場所にかかわらず次の " + countText + " 個の数を取るので、";
            if (consequence.empty()) {
                findings.AsRead(Severity::kWarning, line,
                                message + "この行の最後の " + std::to_string(onLine - count) + " 個は読まれません");
            } else if (findings.Shifted()) {
                findings.AsRead(Severity::kError, line, message + consequence + "それ以降の問題がすべてずれます");
            } else {
                findings.Shift(line, message + consequence +
                                         (q < n ? "それ以降の問題がすべてずれて、別の問題の正解で採点されます。"
                                                : "この問題が正しく読まれません。") +
                                         "正解の数か、この行の番号を直してください");
            }
        }
        if (!CheckAnswers(walker, findings, q, count, toRead, *f)) return out;
    }
    if (const KeyField* rest = walker.Remaining()) {
        findings.AsRead(Severity::kNote, rest->field.line, "ここから先は読まれません。ゲームが読むのは " + std::to_string(n) +
                                            " 問の正解だけです");
    }
    return out;
}

std::vector<Finding> InspectExplanation(const std::string& displayPath, std::string_view bytes) {
    std::vector<Finding> out;
    Findings findings(displayPath, out);
    const ParsedExplanation parsed = TryParseExplanationLine({displayPath, std::string(bytes)});
    if (parsed.failure && parsed.failure->fault == ContentFault::kEmptyFile) {
        findings.Error(0, "ファイルが空です。メニューは最初の行を説明として表示するので、これがないと"
                          "ゲームは起動の時点で止まります");
        return out;
    }
    const std::size_t lineEnd = std::min(bytes.find_first_of("\r\n"), bytes.size());
    const std::string_view line = bytes.substr(0, lineEnd);
    if (LooksLikeUtf8(line)) {
        ReportUtf8(findings, line, 1);
    } else if (parsed.failure) {
        findings.Error(1, DescribeFailure(*parsed.failure) + kSaveAsShiftJis + "。ゲームは起動の時点で止まります");
    } else if (FirstContent(line, 0) == std::nullopt) {
        findings.Warning(1, "最初の行が空なので、メニューの説明には何も表示されません");
    }
    if (const auto rest = FirstContent(bytes, lineEnd)) {
        findings.Warning(LineOf(bytes, *rest), "メニューに表示されるのは最初の行だけです。"
                                               "この行から後は表示されません");
    }
    return out;
}

}  // namespace soruberia
