// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "content/ContentMessages.h"

#include <filesystem>
#include <optional>
#include <utility>

#include "content/Bytes.h"
#include "content/Joined.h"
#include "content/QuestionBank.h"
#include "content/ShiftJis.h"

namespace soruberia {

namespace {

using bytes::Hex;

// Control characters are escaped so a message stays one line.
std::string Escape(std::string_view text, bool escapeHigh) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (byte < 0x20 || byte == 0x7F || (escapeHigh && byte >= 0x80)) {
            out.append("\\x").append(Hex(byte), 2, 2);
        } else {
            out += c;
        }
    }
    return out;
}

std::string HexBytes(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 5);
    for (const char c : bytes) {
        if (!out.empty()) out += ' ';
        out += Hex(static_cast<unsigned char>(c));
    }
    return out;
}

std::string Problem(const ContentFailure& f) {
    switch (f.fault) {
    case ContentFault::kFileMissing:
        return "ファイルがありません";
    case ContentFault::kFolderMissing:
        return Joined({"ファイルがありません（フォルダ ", f.detail, " がありません）"});
    case ContentFault::kIsFolder:
        return "ファイルではなくフォルダです";
    case ContentFault::kNotRegularFile:
        return "普通のファイルではありません";
    case ContentFault::kCannotOpen:
        return f.detail.empty() ? std::string("ファイルを開けません") : Joined({"ファイルを開けません: ", f.detail});
    case ContentFault::kReadFailed:
        return "ファイルを読み込めません";
    case ContentFault::kTooLarge:
        return Joined({std::to_string(f.value), " バイトを超えていて、内容のファイルとしては大きすぎます"});
    case ContentFault::kEmptyFile:
        return "ファイルが空です。最初の行がメニューの説明になります";
    case ContentFault::kFileEnds:
        return Joined({RoleName(f.role, f.question, f.answer), "を読む前にファイルが終わっています"});
    case ContentFault::kUnclosedQuote:
        return "文の始めの二重引用符 \" が閉じられていません";
    case ContentFault::kTextAfterQuote:
        return Joined({"閉じる二重引用符 \" のあとに文字があります: ", DescribeBytes(f.found)});
    case ContentFault::kEmptyNumber:
        return "数が入るはずの項目が空です";
    case ContentFault::kNotANumber:
        return Joined({"数ではありません: ", DescribeBytes(f.found)});
    case ContentFault::kNumberOutOfRange:
        return Joined({"数 ", DescribeBytes(f.found), " が -32768 から 32767 の範囲の外です"});
    case ContentFault::kInvalidShiftJis:
        return Joined({"Shift-JIS（コードページ 932）として読めないバイトがあります: 行の ", std::to_string(f.column),
                       " バイト目の ", HexBytes(f.found)});
    case ContentFault::kCountAboveSlots:
        return Joined({"正解の数 ", std::to_string(f.value), " が正解の枠の数 ", std::to_string(kMaxAnswersPerQuestion),
                       " を超えています"});
    case ContentFault::kTooManyQuestions:
        return Joined({std::to_string(f.value), " 問を読むように求められましたが、問題の表には 30 問までしか入りません"});
    }
    return {};
}

}  // namespace

std::string RoleName(FieldRole role, int question, int answer) {
    switch (role) {
    case FieldRole::kNone:
        return "項目";
    case FieldRole::kQuestionText:
        return Joined({"問題 ", std::to_string(question), " の文"});
    case FieldRole::kAnswerCount:
        return Joined({"問題 ", std::to_string(question), " の正解の数"});
    case FieldRole::kAnswer:
        return Joined({"問題 ", std::to_string(question), " の ", std::to_string(answer), " 番目の正解"});
    case FieldRole::kExplanation:
        return "説明の行";
    }
    return {};
}

std::string DescribeFailure(const ContentFailure& failure) {
    if (failure.field == 0 || failure.role == FieldRole::kNone) return Problem(failure);
    return Joined({std::to_string(failure.field), " 番目の項目（", RoleName(failure.role, failure.question, failure.answer),
                   "）: ", Problem(failure)});
}

std::string RenderFailure(const ContentFailure& failure) {
    return Joined({failure.file, failure.line > 0 ? ":" : "", failure.line > 0 ? std::to_string(failure.line) : std::string(),
                   ": エラー: ", DescribeFailure(failure)});
}

std::string DescribeBytes(std::string_view bytes) {
    constexpr std::size_t kShown = 40;
    const bool cut = bytes.size() > kShown;
    std::string_view shown = bytes.substr(0, kShown);
    std::optional<std::string> text;
    // The cut may split a two-byte character; one byte less then decodes.
    for (int attempt = 0; attempt < 2 && !text && !shown.empty(); ++attempt) {
        const sjis::Decoded decoded = sjis::Decode(shown);
        if (!decoded.invalidAt) {
            text = Escape(decoded.utf8, false);
        } else if (cut) {
            shown.remove_suffix(1);
        } else {
            break;
        }
    }
    if (!text) text = Escape(bytes.substr(0, kShown), true);
    return Joined({"「", *text, cut ? "…」" : "」"});
}

std::string CheckerAdvice(const std::string& file) {
    const std::u8string folder =
        std::filesystem::path(std::u8string(file.begin(), file.end())).parent_path().parent_path().u8string();
    std::string shown = folder.empty() ? std::string(".") : std::string(folder.begin(), folder.end());
    if (shown.find(' ') != std::string::npos) shown = std::string("\"").append(shown).append("\"");
    return std::string("問題点をすべて確かめるには、soruberia-check ").append(shown).append(" を実行してください。");
}

ContentError::ContentError(ContentFailure failure)
    : FatalError(Joined({RenderFailure(failure), "\n", CheckerAdvice(failure.file)})), failure_(std::move(failure)) {}

}  // namespace soruberia
