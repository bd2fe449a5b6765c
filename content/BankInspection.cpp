// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "content/BankInspection.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "content/BankIssues.h"
#include "content/Bytes.h"
#include "content/ExplanationFile.h"
#include "content/FieldTokenizer.h"
#include "content/IonNames.h"
#include "content/QuestionBank.h"
#include "content/ShiftJis.h"

// The decisions only: each finding is kept as a value (BankIssues.h) and put
// into words once the file is read (BankIssueMessages.cpp).
namespace soruberia {

namespace {

using namespace inspection;

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

bool StartsWithUtf8Bom(std::string_view bytes) { return bytes.substr(0, 3) == "\xEF\xBB\xBF"; }

class Findings {
public:
    // Room for the few findings of most files at once: each is large, and a
    // vector grown one by one moves them all at every step.
    explicit Findings(std::string file) : file_(std::move(file)) { inspected_.reserve(4); }
    void Error(int line, Issue issue) { Add(Severity::kError, line, std::move(issue)); }
    void Warning(int line, Issue issue) { Add(Severity::kWarning, line, std::move(issue)); }
    void Note(int line, Issue issue) { Add(Severity::kNote, line, std::move(issue)); }

    // A mistake that moves every later field to another question: an error,
    // the cause of what follows.
    void Shift(int line, Issue issue) {
        Error(line, std::move(issue));
        if (!shiftLine_) shiftLine_ = line;
    }
    // What holds only as the game reads the fields. Once a shift is reported
    // it is a follow-on: a note marked with the line of its cause.
    void AsRead(Severity severity, int line, Issue issue) {
        if (shiftLine_) {
            inspected_.push_back({Severity::kNote, line, *shiftLine_, std::move(issue)});
        } else {
            Add(severity, line, std::move(issue));
        }
    }
    bool Shifted() const { return shiftLine_.has_value(); }
    // The game's failure on a field.
    ContentFailure FailureAt(const Field& field, FieldRole role, int question, int answer) const {
        return FailureOf(field, file_, role, question, answer);
    }
    // A field the game cannot read, in the game's own words and the hint.
    void FieldError(const Field& field, FieldRole role, int question, int answer, FieldHint hint,
                    bool restUnchecked = false, int ion = 0) {
        Error(field.problemLine,
              UnreadableField{FailureAt(field, role, question, answer), hint, GameStops::kHere, restUnchecked, ion});
    }
    std::vector<Finding> Words() const { return Render(file_, inspected_); }

private:
    void Add(Severity severity, int line, Issue issue) {
        inspected_.push_back({severity, line, 0, std::move(issue)});
    }
    std::string file_;
    std::vector<Inspected> inspected_;
    std::optional<int> shiftLine_;
};

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

// A file saved as UTF-8: the one error, how to save it as Shift-JIS; then,
// as notes, every run of characters that Shift-JIS lacks with what to write
// instead, as saving it so would lose them. The byte order mark goes with
// the saving and is no character of the text.
void ReportUtf8(Findings& findings, std::string_view bytes, int reportLine) {
    const bool bom = StartsWithUtf8Bom(bytes);
    findings.Error(reportLine, SavedAsUtf8{bom});
    if (bom) bytes.remove_prefix(3);
    int line = 1;
    std::size_t i = 0;
    std::string run;
    std::string instead;
    bool replaceable = true;
    const auto flush = [&] {
        if (run.empty()) return;
        findings.Note(line, NotInCodePage932{std::exchange(run, {}), replaceable ? std::exchange(instead, {}) : std::string()});
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
            findings_.FieldError(f.field, role, question, answer, FieldHint::kEmptyField);
        }
        return nullptr;
    }
    const KeyField* Remaining() const { return next_ < fields_.size() ? &fields_[next_] : nullptr; }
    void SkipLine(int line) {
        while (next_ < fields_.size() && fields_[next_].field.line == line) ++next_;
    }
    // The end of the file where the field `role` is missing: its failure
    // and the line to report it on.
    std::pair<ContentFailure, int> End(FieldRole role, int question, int answer) const {
        Field missing = end_;
        missing.number = next_ < fields_.size() ? fields_[next_].field.number : end_.number;
        return {findings_.FailureAt(missing, role, question, answer), missing.problemLine};
    }

private:
    const std::vector<KeyField>& fields_;
    Field end_;
    Findings& findings_;
    std::size_t next_ = 0;
};

// Each ion's name as typed without superscripts ("Ag+", "Cu2+"), entry 0
// empty; worked out once.
const std::array<std::string, kIonCount + 1>& TypedIonNames() {
    static const std::array<std::string, kIonCount + 1> typed = [] {
        std::array<std::string, kIonCount + 1> names;
        for (int ion = 1; ion <= kIonCount; ++ion) {
            const std::string_view name = IonName(ion);
            std::string& out = names[static_cast<std::size_t>(ion)];
            for (std::size_t i = 0; i < name.size();) {
                const char32_t c = NextCodePoint(name, i);
                if (c < 0x80) {
                    out += static_cast<char>(c);
                } else {
                    out += Replacement(c);
                }
            }
        }
        return names;
    }();
    return typed;
}

// The ion whose name `raw` is, as typed without superscripts; 0 when it
// names none.
int IonNamed(std::string_view raw) {
    while (!raw.empty() && IsBlank(raw.front())) raw.remove_prefix(1);
    while (!raw.empty() && IsBlank(raw.back())) raw.remove_suffix(1);
    const auto& typed = TypedIonNames();
    for (int ion = 1; ion <= kIonCount; ++ion) {
        if (raw == typed[static_cast<std::size_t>(ion)]) return ion;
    }
    return 0;
}

struct NumberAdvice {
    FieldHint hint = FieldHint::kNone;
    int ion = 0;
};

// What the checker adds on a number the game cannot read.
NumberAdvice NumberHint(const Field& field) {
    if (field.problem != ContentFault::kNotANumber) return {};
    if (const int ion = IonNamed(field.raw)) return {FieldHint::kIonName, ion};
    if (HoldsFullWidthComma(field.raw)) return {FieldHint::kCommaBetweenNumbers};
    if (HasFullWidthDigit(field.raw)) return {FieldHint::kFullWidthDigit};
    return {FieldHint::kWholeNumber};
}

// Returns false where the file ends.
bool CheckAnswers(KeyWalker& walker, Findings& findings, int q, int count, int toRead,
                  const KeyField& countField) {
    std::array<int, kIonCount + 1> seen{};  // ion -> the first answer that names it; 0 for none yet
    for (int k = 1; k <= toRead; ++k) {
        const KeyField* f = walker.Next(FieldRole::kAnswer, q, k);
        if (f == nullptr) {
            auto [failure, line] = walker.End(FieldRole::kAnswer, q, k);
            findings.AsRead(Severity::kError, line, AnswersRunOut{std::move(failure), count, countField.field.line});
            return false;
        }
        if (f->field.problem) {
            const NumberAdvice advice = NumberHint(f->field);
            findings.FieldError(f->field, FieldRole::kAnswer, q, k, advice.hint, false, advice.ion);
            continue;
        }
        const int ion = f->field.number16;
        if (ion < 1 || ion > kIonCount) {
            findings.AsRead(Severity::kError, f->field.line, AnswerNotAnIon{q, k, ion});
            continue;
        }
        // More answers than ions repeat one of necessity: the count says it.
        int& first = seen[static_cast<std::size_t>(ion)];
        if (first == 0) {
            first = k;
        } else if (count <= kIonCount) {
            findings.AsRead(Severity::kError, f->field.line, AnswerTwice{q, ion, first, k});
        }
    }
    return true;
}

}  // namespace

bool LooksLikeUtf16(std::string_view bytes) {
    if (bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF')))
        return true;
    // A Shift-JIS text holds no zero byte but by damage; random bytes and
    // archives hold them, but on both sides of their pairs alike.
    std::size_t even = 0;
    std::size_t odd = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\0') ++(i % 2 == 0 ? even : odd);
    const std::size_t zeros = even + odd;
    return zeros >= 2 && zeros * 16 >= bytes.size() && std::max(even, odd) * 10 >= zeros * 9;
}

bool LooksLikeUtf8(std::string_view bytes) {
    const bool beyondAscii = std::any_of(bytes.begin(), bytes.end(),
                                         [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return beyondAscii && IsValidUtf8(bytes);
}

QuestionTextsInspection InspectQuestionTexts(const std::string& displayPath,
                                             std::string_view bytes, int n) {
    QuestionTextsInspection result;
    Findings findings(displayPath);
    if (bytes.empty()) {
        // Line 1, as the game names it: the line where the first text is missing.
        findings.Error(1, TextsFileEmpty{n});
        result.findings = findings.Words();
        return result;
    }
    if (LooksLikeUtf16(bytes)) {
        findings.Error(0, SavedAsUtf16{});
        result.findings = findings.Words();
        return result;
    }
    const bool utf8 = LooksLikeUtf8(bytes);
    if (utf8) ReportUtf8(findings, bytes, 0);

    FieldTokenizer tokenizer(bytes);
    for (int i = 1; i <= n; ++i) {
        const bool last = i == n;
        Field field = tokenizer.NextText();
        if (field.problem == ContentFault::kFileEnds) {
            findings.AsRead(Severity::kError, field.problemLine,
                            TextsRunOut{findings.FailureAt(field, FieldRole::kQuestionText, i, 0), i - 1, n});
            result.findings = findings.Words();
            return result;
        }
        if (field.problem == ContentFault::kUnclosedQuote) {
            findings.FieldError(field, FieldRole::kQuestionText, i, 0, FieldHint::kNone);
            result.findings = findings.Words();
            return result;
        }
        const bool fullWidthQuotes =
            HoldsCharacter(field.raw, kOpeningQuote) || HoldsCharacter(field.raw, kClosingQuote);
        const bool inFullWidthQuotes = field.raw.substr(0, 2) == kOpeningQuote && field.raw.size() >= 4 &&
                                       field.raw.substr(field.raw.size() - 2) == kClosingQuote;
        if (field.quoted && field.endLine != field.line) {
            findings.Shift(field.line, TextSpansLines{i, field.endLine, last});
        } else if (!field.quoted && field.endsAtComma && tokenizer.ContentLeftOnLine()) {
            findings.Shift(field.line, TextEndsAtComma{i, last, fullWidthQuotes});
        } else if (!field.quoted && inFullWidthQuotes) {
            findings.Warning(field.line, FullWidthQuotesShown{i});
        }
        if (field.problem == ContentFault::kTextAfterQuote) {
            const bool fullWidthComma = field.problemBytes.substr(0, 2) == kFullWidthComma ||
                                        field.problemBytes.substr(0, 2) == kFullWidthComma2;
            // Else most likely a half-width quote meant as part of the text.
            findings.FieldError(field, FieldRole::kQuestionText, i, 0,
                                fullWidthComma ? FieldHint::kCommaBetweenTexts : FieldHint::kQuoteInsideText);
            continue;
        }
        if (field.problem == ContentFault::kInvalidShiftJis) {
            // In a UTF-8 file the error at the file says where the game stops.
            if (!utf8) findings.FieldError(field, FieldRole::kQuestionText, i, 0, FieldHint::kSaveAsShiftJis);
            continue;
        }
        if (utf8) continue;
        if (field.raw.empty()) {
            if (tokenizer.ContentLeft()) {
                findings.Shift(field.line, EmptyTextShifts{i, last});
            } else {
                findings.AsRead(Severity::kWarning, field.line, EmptyTextShown{i});
            }
            continue;
        }
        result.texts.push_back({i, field.line, std::move(field.text)});
    }
    if (const auto rest = FirstContent(bytes, tokenizer.Offset())) {
        // A question written but never asked.
        findings.AsRead(Severity::kWarning, LineOf(bytes, *rest), TextsLeftUnread{n});
    }
    result.findings = findings.Words();
    return result;
}

std::vector<Finding> InspectAnswerKey(const std::string& displayPath, std::string_view bytes,
                                      int n) {
    Findings findings(displayPath);
    if (bytes.empty()) {
        findings.Error(1, KeyFileEmpty{n});
        return findings.Words();
    }
    if (LooksLikeUtf16(bytes)) {
        findings.Error(0, SavedAsUtf16{});
        return findings.Words();
    }
    Field end;
    const std::vector<KeyField> fields = NumberFields(bytes, end);
    KeyWalker walker(fields, end, findings);
    for (int q = 1; q <= n; ++q) {
        const bool last = q == n;
        const KeyField* f = walker.Next(FieldRole::kAnswerCount, q, 0);
        if (f == nullptr) {
            auto [failure, line] = walker.End(FieldRole::kAnswerCount, q, 0);
            findings.AsRead(Severity::kError, line, KeyRunsOut{std::move(failure), q - 1, n});
            return findings.Words();
        }
        if (f->field.problem) {
            const NumberAdvice advice = NumberHint(f->field);
            if (f->startsLine) {
                // One question to a line: the next line is the next question.
                findings.FieldError(f->field, FieldRole::kAnswerCount, q, 0, advice.hint, false, advice.ion);
                walker.SkipLine(f->field.line);
                continue;
            }
            findings.FieldError(f->field, FieldRole::kAnswerCount, q, 0, advice.hint, true, advice.ion);
            return findings.Words();
        }
        const int count = f->field.number16;
        const int line = f->field.line;
        if (count < 0) {
            findings.AsRead(Severity::kError, line, CountNegative{q, count});
            continue;
        }
        if (count == 0) {
            // The game accepts it, but the question has no right answer: it
            // ends only through a miss, which costs points.
            findings.AsRead(Severity::kWarning, line, CountZero{q});
            continue;
        }
        const int onLine = f->fieldsOnLine - 1;
        int toRead = count;
        if (count > kMaxAnswersPerQuestion) {
            findings.AsRead(Severity::kError, line, CountAboveSlots{q, count});
            if (f->startsLine && onLine > 0) toRead = onLine;
        } else if (f->startsLine && onLine > 0 && onLine != count) {
            if (onLine > count && last) {
                findings.AsRead(Severity::kWarning, line, ExtraAnswersUnread{q, count, onLine});
            } else if (findings.Shifted()) {
                findings.AsRead(Severity::kError, line, CountOffTheLine{q, count, onLine, last, true});
            } else {
                findings.Shift(line, CountOffTheLine{q, count, onLine, last, false});
            }
        }
        if (!CheckAnswers(walker, findings, q, count, toRead, *f)) return findings.Words();
    }
    if (const KeyField* rest = walker.Remaining()) {
        findings.AsRead(Severity::kNote, rest->field.line, KeyLeftUnread{n});
    }
    return findings.Words();
}

std::vector<Finding> InspectExplanation(const std::string& displayPath, std::string_view bytes) {
    Findings findings(displayPath);
    if (LooksLikeUtf16(bytes)) {
        findings.Error(0, SavedAsUtf16{});
        return findings.Words();
    }
    const ParsedExplanation parsed = TryParseExplanationLine(displayPath, bytes);
    if (parsed.failure && parsed.failure->fault == ContentFault::kEmptyFile) {
        findings.Error(0, ExplanationFileEmpty{});
        return findings.Words();
    }
    const std::size_t lineEnd = std::min(bytes.find_first_of("\r\n"), bytes.size());
    const std::string_view line = bytes.substr(0, lineEnd);
    if (LooksLikeUtf8(line)) {
        ReportUtf8(findings, line, 1);
    } else if (parsed.failure) {
        findings.Error(1, UnreadableField{*parsed.failure, FieldHint::kSaveAsShiftJis, GameStops::kAtProgramStart});
    } else if (FirstContent(line, 0) == std::nullopt) {
        findings.Warning(1, ExplanationLineBlank{});
    }
    if (const auto rest = FirstContent(bytes, lineEnd)) {
        findings.Warning(LineOf(bytes, *rest), ExplanationLinesUnshown{});
    }
    return findings.Words();
}

}  // namespace soruberia
