// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "bankedit/ReaderParts.h"

#include "content/BankInspection.h"

namespace soruberia::bankedit::reading {

FileReading ReadingOf(const std::optional<std::string>& bytes, std::string_view file, std::string_view what,
                      std::vector<std::string>& notes) {
    const std::string name(file);
    if (!bytes) {
        notes.push_back(name + " がありません。" + std::string(what) + "は空で始めます");
        return {};
    }
    std::string_view view(*bytes);
    // UTF-16 is named by the checker's rule (a byte order mark, or zero
    // bytes in its pattern); any other zero byte is no text either (a zip, a
    // picture): Shift-JIS has none.
    const bool utf16 = LooksLikeUtf16(view);
    if (utf16 || view.find('\0') != std::string_view::npos) {
        notes.push_back(name + " は Shift-JIS のテキストではありません" +
                        (utf16 ? " (UTF-16 で保存されていませんか)。" : "。") + std::string(what) + "は空で始めます");
        return {};
    }
    if (view.starts_with("\xEF\xBB\xBF") || LooksLikeUtf8(view)) {
        if (view.starts_with("\xEF\xBB\xBF")) view.remove_prefix(3);
        notes.push_back(name + " は UTF-8 で保存されていました。書き出すと Shift-JIS で書き直します");
        return {FileEncoding::kUtf8, view};
    }
    return {FileEncoding::kShiftJis, view};
}

std::string AtLine(std::string_view file, int line, std::string_view text) {
    return std::string(file) + " " + std::to_string(line) + " 行目: " + std::string(text);
}

std::string Quoted(std::string_view bytes, FileEncoding encoding) {
    return "「" + DecodeLeniently(bytes, encoding).utf8 + "」";
}

}  // namespace soruberia::bankedit::reading
