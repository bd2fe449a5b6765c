// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "bankedit/TextFlags.h"

#include "bankedit/CharacterStandIns.h"
#include "content/ShiftJis.h"
#include "content/Utf8Scan.h"

namespace soruberia::bankedit {

namespace {

// `character` of `text` at `at` if it cannot be written as it stands.
std::optional<TextFlag> FlagFor(char32_t c, std::string_view character, TextRole role) {
    TextFlag flag;
    flag.character = std::string(character);
    if (c == U'\r' || c == U'\n') {
        flag.reason = FlagReason::kLineBreak;
        flag.replacement = "";
        return flag;
    }
    if ((c < 0x20 && c != U'\t') || c == 0x7F) {
        flag.reason = FlagReason::kControl;
        flag.replacement = "";
        return flag;
    }
    if (c >= 0xD800 && c <= 0xDFFF) {
        // Half of a pair whose other half was lost (a paste cut short): no
        // character at all, and invisible.
        flag.reason = FlagReason::kNotInCodePage932;
        flag.replacement = "";
        return flag;
    }
    if (c == U'"' && role == TextRole::kQuestion) {
        flag.reason = FlagReason::kDoubleQuote;
        flag.replacement = "”";
        return flag;
    }
    const sjis::Encoded encoded = sjis::Encode(character);
    const std::optional<std::string_view> standIn = StandInFor(c);
    if (encoded.unmappableAt) {
        flag.reason = FlagReason::kNotInCodePage932;
        if (standIn) flag.replacement = std::string(*standIn);
        return flag;
    }
    const std::string readBack = sjis::Decode(encoded.cp932).utf8;
    if (readBack == character) return std::nullopt;
    flag.reason = FlagReason::kChangedByCodePage932;
    flag.replacement = standIn ? std::string(*standIn) : readBack;
    return flag;
}

}  // namespace

std::vector<TextFlag> FlagsOf(std::string_view text, TextRole role) {
    std::vector<TextFlag> flags;
    std::size_t units = 0;
    for (std::size_t i = 0; i < text.size();) {
        utf8::CodePoint c = utf8::NextCodePoint(text, i);
        if (c.length == 0) {
            const std::optional<char16_t> half = utf8::SurrogateAt(text, i);
            c = half ? utf8::CodePoint{*half, 3} : utf8::CodePoint{0xFFFD, 1};  // neither is writable
        }
        std::size_t length = c.length;
        if (text.substr(i, 2) == "\r\n") length = 2;
        const std::size_t unitLength = length == 2 && c.value == U'\r' ? 2 : c.value >= 0x10000 ? 2 : 1;
        if (std::optional<TextFlag> flag = FlagFor(c.value, text.substr(i, length), role)) {
            flag->at = units;
            flag->length = unitLength;
            flag->byteAt = i;
            flag->byteLength = length;
            flags.push_back(std::move(*flag));
        }
        units += unitLength;
        i += length;
    }
    return flags;
}

std::string WithReplacements(std::string_view text, TextRole role) {
    std::string out;
    std::size_t from = 0;
    for (const TextFlag& flag : FlagsOf(text, role)) {
        if (!flag.replacement) continue;
        out += text.substr(from, flag.byteAt - from);
        out += *flag.replacement;
        from = flag.byteAt + flag.byteLength;
    }
    out += text.substr(from);
    return out;
}

std::string_view ReasonText(FlagReason reason) {
    switch (reason) {
        case FlagReason::kNotInCodePage932: return "Shift-JIS にない文字です";
        case FlagReason::kChangedByCodePage932: return "Shift-JIS では別の文字になります";
        case FlagReason::kDoubleQuote: return "半角の \" は問題の文の終わりになってしまいます";
        case FlagReason::kLineBreak: return "改行は書けません";
        case FlagReason::kControl: return "目に見えない制御文字です";
    }
    return {};
}

std::vector<DraftFlag> FlagsOf(const BankDraft& draft) {
    std::vector<DraftFlag> flags;
    for (std::size_t i = 0; i < draft.questions.size(); ++i) {
        for (TextFlag& flag : FlagsOf(draft.questions[i].text, TextRole::kQuestion)) {
            flags.push_back({static_cast<int>(i + 1), std::move(flag)});
        }
    }
    for (TextFlag& flag : FlagsOf(draft.explanation, TextRole::kExplanation)) flags.push_back({0, std::move(flag)});
    return flags;
}

BankDraft WithReplacements(BankDraft draft) {
    for (DraftQuestion& question : draft.questions) question.text = WithReplacements(question.text, TextRole::kQuestion);
    draft.explanation = WithReplacements(draft.explanation, TextRole::kExplanation);
    return draft;
}

}  // namespace soruberia::bankedit
