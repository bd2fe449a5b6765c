// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "content/BankInspection.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <type_traits>
#include <utility>

#include "content/Bytes.h"
#include "content/ContentFile.h"
#include "content/ShiftJis.h"

namespace soruberia {

namespace {

using bytes::Hex;
using bytes::IsBlank;
using bytes::IsDigit;
using bytes::IsLineEnd;

// Whether every byte belongs to a well-formed UTF-8 sequence.
bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 0;
        if (length == 0 || i + length > bytes.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
        }
        i += length;
    }
    return true;
}

// Line numbers as the game's reader counts them: CR LF, a lone CR and a
// lone LF each end a line.
class LineTable {
public:
    explicit LineTable(std::string_view bytes) {
        starts_.push_back(0);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            if (IsLineEnd(bytes[i])) starts_.push_back(i + 1);
        }
    }
    int LineOf(std::size_t offset) const {
        return static_cast<int>(std::upper_bound(starts_.begin(), starts_.end(), offset) -
                                starts_.begin());
    }
    std::size_t StartOf(int line) const { return starts_[static_cast<std::size_t>(line - 1)]; }

private:
    std::vector<std::size_t> starts_;
};

class Findings {
public:
    Findings(std::string file, std::vector<Finding>& out) : file_(std::move(file)), out_(out) {}
    void Add(Severity severity, int line, std::string message) {
        out_.push_back({severity, file_, line, std::move(message)});
    }
    void Error(int line, std::string message) { Add(Severity::kError, line, std::move(message)); }
    void Warning(int line, std::string message) { Add(Severity::kWarning, line, std::move(message)); }
    void Note(int line, std::string message) { Add(Severity::kNote, line, std::move(message)); }

private:
    std::string file_;
    std::vector<Finding>& out_;
};

std::string Plural(int n, const std::string& word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

constexpr const char* kUtf8Advice =
    "the file is UTF-8, but the game reads Shift-JIS (code page 932) and would stop or show "
    "garbled text; save it as Shift-JIS (\"ANSI\" in Notepad on Japanese Windows, or "
    "\"Shift_JIS\"/\"CP932\" in other editors)";

// "not valid Shift-JIS: ..." for the byte at `offset` of the file.
std::string ShiftJisProblem(std::string_view bytes, const LineTable& lines, std::size_t offset) {
    const int line = lines.LineOf(offset);
    const std::size_t column = offset - lines.StartOf(line) + 1;
    std::string found = "byte " + Hex(static_cast<unsigned char>(bytes[offset]));
    if (offset + 1 < bytes.size() && !IsLineEnd(bytes[offset + 1])) {
        found += " (followed by " + Hex(static_cast<unsigned char>(bytes[offset + 1])) + ")";
    }
    return "not valid Shift-JIS: " + found + " at byte " + std::to_string(column) +
           " of the line; save the file as Shift-JIS (code page 932)";
}

// ---- question texts --------------------------------------------------

class TextScanner {
public:
    TextScanner(std::string_view bytes, const LineTable& lines) : bytes_(bytes), lines_(lines) {}

    bool AtEnd() const { return pos_ >= bytes_.size(); }
    std::size_t Pos() const { return pos_; }
    char Peek() const { return bytes_[pos_]; }

    void SkipBlanks() {
        while (!AtEnd() && IsBlank(bytes_[pos_])) ++pos_;
    }
    void SkipToSeparator() {
        while (!AtEnd() && bytes_[pos_] != ',' && !IsLineEnd(bytes_[pos_])) ++pos_;
    }
    // One comma or one line end, as the game's reader takes it.
    void ConsumeSeparator() {
        if (AtEnd()) return;
        if (bytes_[pos_] == ',') {
            ++pos_;
        } else if (IsLineEnd(bytes_[pos_])) {
            if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n') ++pos_;
            ++pos_;
        }
    }
    // Whether anything but blanks follows on the current line, after `from`.
    bool MoreOnLine(std::size_t from) const {
        for (std::size_t i = from; i < bytes_.size() && !IsLineEnd(bytes_[i]); ++i) {
            if (!IsBlank(bytes_[i])) return true;
        }
        return false;
    }
    void Seek(std::size_t pos) { pos_ = pos; }
    int Line() const { return lines_.LineOf(pos_); }

private:
    std::string_view bytes_;
    const LineTable& lines_;
    std::size_t pos_ = 0;
};

// The first offset from `from` on that holds something other than blanks
// and line ends.
std::optional<std::size_t> FirstContent(std::string_view bytes, std::size_t from) {
    for (std::size_t i = from; i < bytes.size(); ++i) {
        if (!IsBlank(bytes[i]) && !IsLineEnd(bytes[i])) return i;
    }
    return std::nullopt;
}

int LastContentLine(std::string_view bytes, const LineTable& lines) {
    for (std::size_t i = bytes.size(); i > 0; --i) {
        if (!IsBlank(bytes[i - 1]) && !IsLineEnd(bytes[i - 1])) return lines.LineOf(i - 1);
    }
    return 0;
}

// ---- answer key ------------------------------------------------------

struct NumberToken {
    int line = 0;
    std::string_view text;  // empty for an empty field
    bool startsLine = false;  // the first field with content on its line
    int fieldsOnLine = 0;     // fields with content on its line, from this one on
};

// Every field of a file of number fields. A number field ends at a blank,
// a comma or a line end; blanks, then one comma or line end follow it.
std::vector<NumberToken> TokenizeNumbers(std::string_view bytes, const LineTable& lines) {
    std::vector<NumberToken> tokens;
    TextScanner scanner(bytes, lines);
    for (;;) {
        scanner.SkipBlanks();
        if (scanner.AtEnd()) break;
        const std::size_t start = scanner.Pos();
        std::size_t end = start;
        while (end < bytes.size() && !IsBlank(bytes[end]) && bytes[end] != ',' &&
               !IsLineEnd(bytes[end])) {
            ++end;
        }
        tokens.push_back({lines.LineOf(start), bytes.substr(start, end - start), false, 0});
        scanner.Seek(end);
        scanner.SkipBlanks();
        scanner.ConsumeSeparator();
    }
    int previousLine = 0;
    for (auto& token : tokens) {
        if (token.text.empty()) continue;
        token.startsLine = token.line != previousLine;
        previousLine = token.line;
    }
    for (std::size_t i = tokens.size(); i > 0; --i) {
        NumberToken& token = tokens[i - 1];
        if (token.text.empty()) continue;
        token.fieldsOnLine = 1;
        for (std::size_t j = i; j < tokens.size() && tokens[j].line == token.line; ++j) {
            if (!tokens[j].text.empty()) {
                token.fieldsOnLine += tokens[j].fieldsOnLine;
                break;
            }
        }
    }
    return tokens;
}

struct ParsedNumber {
    std::optional<int> value;
    std::string problem;
};

bool HasFullWidthDigit(std::string_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const auto trail = static_cast<unsigned char>(text[i + 1]);
        if (lead == 0x82 && trail >= 0x4F && trail <= 0x58) return true;
    }
    return false;
}

// A decimal integer with an optional minus sign, in the 16-bit range.
ParsedNumber ParseNumber(std::string_view text) {
    ParsedNumber parsed;
    std::size_t p = text.front() == '-' ? 1 : 0;
    const std::size_t digits = p;
    long magnitude = 0;
    while (p < text.size() && IsDigit(text[p])) {
        if (magnitude <= 32768) magnitude = magnitude * 10 + (text[p] - '0');
        ++p;
    }
    if (p == digits || p != text.size()) {
        parsed.problem = "not a number: " + DescribeBytes(text) +
                         (HasFullWidthDigit(text) ? " (full-width digits; write 0 to 9 half-width)"
                                                  : " (a whole number in half-width digits is expected)");
        return parsed;
    }
    const long value = text.front() == '-' ? -magnitude : magnitude;
    if (value < -32768 || value > 32767) {
        parsed.problem = "number " + DescribeBytes(text) + " is outside -32768 to 32767";
        return parsed;
    }
    parsed.value = static_cast<int>(value);
    return parsed;
}

class KeyWalker {
public:
    KeyWalker(const std::vector<NumberToken>& tokens, Findings& findings)
        : tokens_(tokens), findings_(findings) {}

    // The next field with content. An empty field on the way is reported,
    // unless nothing but empty fields follow (then the file simply ends).
    const NumberToken* Next() {
        while (next_ < tokens_.size()) {
            const NumberToken& token = tokens_[next_++];
            if (!token.text.empty()) return &token;
            if (RemainingContent() != nullptr) {
                findings_.Error(token.line,
                                "empty field where a number is expected (two commas in a row, a "
                                "comma at the end of a line, or an empty line); the game stops here");
            }
        }
        return nullptr;
    }
    const NumberToken* RemainingContent() const {
        for (std::size_t i = next_; i < tokens_.size(); ++i) {
            if (!tokens_[i].text.empty()) return &tokens_[i];
        }
        return nullptr;
    }
    void SkipLine(int line) {
        while (next_ < tokens_.size() && tokens_[next_].line == line) ++next_;
    }

private:
    const std::vector<NumberToken>& tokens_;
    Findings& findings_;
    std::size_t next_ = 0;
};

void CheckAnswers(KeyWalker& walker, Findings& findings, int q, int count, int toRead,
                  const NumberToken& countToken, int endLine, bool& ended) {
    std::map<int, std::pair<int, int>> seen;  // ion -> answer number, line
    const std::string ofQuestion = " of question " + std::to_string(q);
    for (int k = 1; k <= toRead; ++k) {
        const NumberToken* token = walker.Next();
        const std::string name = "answer " + std::to_string(k) + ofQuestion;
        if (token == nullptr) {
            findings.Error(endLine, "the file ends before " + name + " (its count " +
                                        std::to_string(count) + " is on line " +
                                        std::to_string(countToken.line) + "); the game stops here");
            ended = true;
            return;
        }
        const ParsedNumber parsed = ParseNumber(token->text);
        if (!parsed.value) {
            findings.Error(token->line, name + ": " + parsed.problem + "; the game stops here");
            continue;
        }
        const int ion = *parsed.value;
        if (ion < 1 || ion > 12) {
            findings.Error(token->line,
                           name + " is " + std::to_string(ion) +
                               ", not an ion number (1 to 12): no press ever matches it, so "
                               "question " + std::to_string(q) + " can never be completed");
            continue;
        }
        const auto [where, fresh] = seen.emplace(ion, std::make_pair(k, token->line));
        if (!fresh) {
            findings.Error(token->line,
                           "ion " + std::to_string(ion) + " (" + IonName(ion) +
                               ") is listed twice for question " + std::to_string(q) +
                               " (answers " + std::to_string(where->second.first) + " and " +
                               std::to_string(k) + "): one press finds it, so the answers left "
                               "never reach 0 and the question can never be completed");
        }
    }
}

}  // namespace

std::optional<std::size_t> FirstInvalidShiftJis(std::string_view bytes) {
    return sjis::Decode(bytes).invalidAt;
}

bool LooksLikeUtf8(std::string_view bytes) {
    const bool beyondAscii = std::any_of(bytes.begin(), bytes.end(),
                                         [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return beyondAscii && IsValidUtf8(bytes);
}

std::string IonName(int ionNumber) {
    static constexpr std::array<const char*, 13> kNames{
        "", "Ag⁺", "Al³⁺", "Ba²⁺", "Ca²⁺", "Cu²⁺", "Fe²⁺", "Fe³⁺", "Hg²⁺", "Mg²⁺", "Pb²⁺", "Sn²⁺", "Zn²⁺"};
    if (ionNumber < 1 || ionNumber > 12) return "";
    return kNames[static_cast<std::size_t>(ionNumber)];
}

QuestionTextsInspection InspectQuestionTexts(const std::string& displayPath,
                                             std::string_view bytes, int n) {
    QuestionTextsInspection result;
    Findings findings(displayPath, result.findings);
    if (bytes.empty()) {
        findings.Error(0, "the file is empty; the game reads " + Plural(n, "question text") +
                              " from it and stops at the start of a game");
        return result;
    }
    const bool utf8 = LooksLikeUtf8(bytes);
    if (utf8) findings.Error(0, kUtf8Advice);

    const LineTable lines(bytes);
    TextScanner scanner(bytes, lines);
    for (int i = 1; i <= n; ++i) {
        const std::string name = "the text of question " + std::to_string(i);
        scanner.SkipBlanks();
        const int line = scanner.Line();
        if (scanner.AtEnd()) {
            findings.Error(std::max(LastContentLine(bytes, lines), 1),
                           "the file ends after " + Plural(i - 1, "question text") +
                               "; the game reads " + std::to_string(n) +
                               " and stops at the start of a game");
            return result;
        }
        std::size_t rawStart = 0;
        std::size_t rawEnd = 0;
        if (scanner.Peek() == '"') {
            const std::size_t open = scanner.Pos();
            const std::size_t close = bytes.find('"', open + 1);
            if (close == std::string_view::npos) {
                findings.Error(line, "the double quote that opens " + name +
                                         " is never closed; the game stops here");
                return result;
            }
            rawStart = open + 1;
            rawEnd = close;
            const int closeLine = lines.LineOf(close);
            if (closeLine != line) {
                findings.Warning(line, name + " runs on to line " + std::to_string(closeLine) +
                                           ": its double quotes hold a line end (is a closing "
                                           "double quote missing on this line?)");
            }
            scanner.Seek(close + 1);
            scanner.SkipBlanks();
            if (!scanner.AtEnd() && scanner.Peek() != ',' && !IsLineEnd(scanner.Peek())) {
                const std::size_t after = scanner.Pos();
                scanner.SkipToSeparator();
                findings.Error(lines.LineOf(after),
                               "text after the closing double quote of " + name + ": " +
                                   DescribeBytes(bytes.substr(after, scanner.Pos() - after)) +
                                   "; the game stops here");
            }
        } else {
            rawStart = scanner.Pos();
            scanner.SkipToSeparator();
            rawEnd = scanner.Pos();
            while (rawEnd > rawStart && IsBlank(bytes[rawEnd - 1])) --rawEnd;
            if (!scanner.AtEnd() && scanner.Peek() == ',' && scanner.MoreOnLine(scanner.Pos() + 1)) {
                findings.Warning(
                    line, name + " has no double quotes and so ends at a comma; " +
                              (i < n ? "what follows the comma becomes the text of question " +
                                           std::to_string(i + 1) + ", and every later text moves "
                                           "down one place"
                                     : std::string("what follows the comma is never read")) +
                              " (put the text between double quotes if the comma belongs to it)");
            }
        }
        scanner.ConsumeSeparator();

        const std::string_view raw = bytes.substr(rawStart, rawEnd - rawStart);
        if (utf8) continue;
        if (const auto bad = FirstInvalidShiftJis(raw)) {
            const std::size_t offset = rawStart + *bad;
            findings.Error(lines.LineOf(offset),
                           name + " is " + ShiftJisProblem(bytes, lines, offset) +
                               "; the game stops here");
            continue;
        }
        if (raw.empty()) {
            findings.Warning(line, name + " is empty, so the question label stays blank (two "
                                          "commas in a row, a comma at the end of a line and an "
                                          "empty line each make an empty text)");
            continue;
        }
        result.texts.push_back({i, line, DecodeShiftJis(raw, displayPath)});
    }
    if (const auto rest = FirstContent(bytes, scanner.Pos())) {
        findings.Note(lines.LineOf(*rest), "from here on the file is never read: the game reads " +
                                               Plural(n, "question text"));
    }
    return result;
}

std::vector<Finding> InspectAnswerKey(const std::string& displayPath, std::string_view bytes,
                                      int n) {
    std::vector<Finding> out;
    Findings findings(displayPath, out);
    if (bytes.empty()) {
        findings.Error(0, "the file is empty; the game reads the answers of " +
                              Plural(n, "question") + " from it and stops at the start of a game");
        return out;
    }
    const LineTable lines(bytes);
    const std::vector<NumberToken> tokens = TokenizeNumbers(bytes, lines);
    const int endLine = std::max(LastContentLine(bytes, lines), 1);
    KeyWalker walker(tokens, findings);
    for (int q = 1; q <= n; ++q) {
        const std::string countName = "the answer count of question " + std::to_string(q);
        const NumberToken* token = walker.Next();
        if (token == nullptr) {
            findings.Error(endLine, "the file ends before " + countName + ": it holds the answers of " +
                                        Plural(q - 1, "question") + ", the game reads " +
                                        std::to_string(n) + " and stops at the start of a game");
            return out;
        }
        const ParsedNumber parsed = ParseNumber(token->text);
        if (!parsed.value) {
            std::string message = countName + ": " + parsed.problem + "; the game stops here";
            if (token->startsLine) {
                // One question to a line: the next line is the next question.
                walker.SkipLine(token->line);
                findings.Error(token->line, message);
                continue;
            }
            findings.Error(token->line,
                           message + " (the rest of the file is not checked, as it cannot be "
                                     "told where the next question begins)");
            return out;
        }
        const int count = *parsed.value;
        const std::string countText = std::to_string(count);
        if (count < 0) {
            findings.Error(token->line,
                           countName + " is " + countText +
                               ": no ion is read for it, and its answers left start at " +
                               countText + " and never reach 0, so the question can never be "
                               "completed (only the fifth miss ends it); the count must be 1 to 12");
            continue;
        }
        if (count == 0) {
            // The game accepts it, but the question has no right answer: it
            // ends only through a miss, which costs points.
            findings.Warning(token->line,
                             countName + " is 0: the question has no correct ion, so every press "
                                         "is a miss (-100 points) and the first press ends it");
            continue;
        }
        const int onLine = token->fieldsOnLine - 1;
        int toRead = count;
        if (count > 12) {
            findings.Error(token->line,
                           countName + " is " + countText +
                               ", above 12 (12 ion buttons, 12 answer slots): the game stops "
                               "with an error at the start of every game");
            if (token->startsLine && onLine > 0) toRead = onLine;
        } else if (token->startsLine && onLine > 0 && onLine != count) {
            std::string consequence;
            if (onLine < count) {
                consequence = "so " + Plural(count - onLine, "more number") +
                               (count - onLine == 1 ? " is" : " are") +
                               " taken from the lines below and every later question is shifted";
            } else if (q < n) {
                consequence = "so the last " + Plural(onLine - count, "number") +
                               " of this line start question " + std::to_string(q + 1) +
                               " and every later question is shifted";
            } else {
                consequence = "so the last " + Plural(onLine - count, "number") +
                               " of this line are never read";
            }
            findings.Warning(token->line, "question " + std::to_string(q) + ": the count " +
                                              countText + " is followed by " +
                                              Plural(onLine, "ion number") +
                                              " on its line; the game takes the next " + countText +
                                              " numbers wherever they stand, " + consequence);
        }
        bool ended = false;
        CheckAnswers(walker, findings, q, count, toRead, *token, endLine, ended);
        if (ended) return out;
    }
    if (const NumberToken* rest = walker.RemainingContent()) {
        findings.Note(rest->line, "from here on the file is never read: the game reads the answers "
                                  "of " + Plural(n, "question"));
    }
    return out;
}

std::vector<Finding> InspectExplanation(const std::string& displayPath, std::string_view bytes) {
    std::vector<Finding> out;
    Findings findings(displayPath, out);
    if (bytes.empty()) {
        findings.Error(0, "the file is empty; the menu shows its first line as the explanation, "
                          "and the game stops at start-up without it");
        return out;
    }
    const std::size_t lineEnd = std::min(bytes.find_first_of("\r\n"), bytes.size());
    const std::string_view line = bytes.substr(0, lineEnd);
    if (LooksLikeUtf8(line)) {
        findings.Error(1, kUtf8Advice);
    } else if (const auto bad = FirstInvalidShiftJis(line)) {
        const LineTable lines(bytes);
        findings.Error(1, "the explanation is " + ShiftJisProblem(bytes, lines, *bad) +
                              "; the game stops at start-up");
    } else if (FirstContent(line, 0) == std::nullopt) {
        findings.Warning(1, "the first line is empty, so the menu's explanation shows nothing");
    }
    if (const auto rest = FirstContent(bytes, lineEnd)) {
        const LineTable lines(bytes);
        findings.Warning(lines.LineOf(*rest), "the menu shows only the first line of the file; "
                                              "this and every later line are never shown");
    }
    return out;
}

}  // namespace soruberia
