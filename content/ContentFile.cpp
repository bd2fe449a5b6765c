// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "content/ContentFile.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <system_error>
#include <type_traits>
#include <utility>
#include <vector>

#include "content/Bytes.h"
#include "content/ContentPaths.h"
#include "content/FatalError.h"
#include "content/ShiftJis.h"

namespace soruberia {

namespace {

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

using bytes::Hex;
using bytes::IsBlank;
using bytes::IsDigit;
using bytes::IsLineEnd;

// Control characters and the quote are escaped so a message stays one line.
std::string Escape(std::string_view text, bool escapeHigh) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7F || (escapeHigh && byte >= 0x80)) {
            out += "\\x" + Hex(byte).substr(2);
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::string DisplayPath(const std::string& fullPath) { return Utf8(NativePath(fullPath)); }

ContentFile ReadContentFile(const std::string& fullPath) {
    namespace fs = std::filesystem;
    ContentFile file{DisplayPath(fullPath), {}};
    const fs::path path = NativePath(fullPath);

    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) {
        std::error_code folderError;
        const fs::path folder = path.parent_path();
        if (!folder.empty() && !fs::is_directory(folder, folderError)) {
            throw FatalError(file.displayPath + ": file not found (folder " + Utf8(folder) +
                             " does not exist)");
        }
        throw FatalError(file.displayPath + ": file not found");
    }
    if (error) {
        throw FatalError(file.displayPath + ": cannot be opened: " + error.message());
    }
    if (fs::is_directory(status)) {
        throw FatalError(file.displayPath + ": is a folder, not a file");
    }
    // A pipe or device could block or never end.
    if (!fs::is_regular_file(status)) {
        throw FatalError(file.displayPath + ": is not a regular file");
    }

    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const int cause = errno;
        throw FatalError(file.displayPath + ": cannot be opened" +
                         (cause != 0 ? ": " + std::generic_category().message(cause) : ""));
    }
    std::vector<char> chunk(64 * 1024);
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        file.bytes.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
        if (file.bytes.size() > kMaxContentFileBytes) {
            throw FatalError(file.displayPath + ": larger than " +
                             std::to_string(kMaxContentFileBytes) +
                             " bytes, too large for a content file");
        }
    }
    if (in.bad()) {
        throw FatalError(file.displayPath + ": read error");
    }
    return file;
}

std::string DecodeShiftJis(std::string_view bytes, const std::string& where) {
    sjis::Decoded decoded = sjis::Decode(bytes);
    if (decoded.invalidAt) {
        const std::size_t offset = *decoded.invalidAt;
        std::string found = Hex(static_cast<unsigned char>(bytes[offset]));
        if (offset + 1 < bytes.size()) {
            found += " " + Hex(static_cast<unsigned char>(bytes[offset + 1]));
        } else {
            found += " (the last byte)";
        }
        throw FatalError(where + ": not valid Shift-JIS: byte " + std::to_string(offset + 1) +
                         " of the text is " + found);
    }
    return std::move(decoded.utf8);
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
    if (!text) {
        text = Escape(bytes.substr(0, kShown), true);
    }
    return "\"" + *text + (cut ? "...\"" : "\"");
}

FieldReader::FieldReader(std::string displayPath, std::string bytes)
    : path_(std::move(displayPath)), bytes_(std::move(bytes)) {}

std::string FieldReader::Where(std::string_view what) const {
    return path_ + ": line " + std::to_string(fieldLine_) + ", field " + std::to_string(field_) +
           " (" + std::string(what) + ")";
}

void FieldReader::Fail(std::string_view what, const std::string& problem) const {
    throw FatalError(Where(what) + ": " + problem);
}

void FieldReader::SkipBlanks() {
    while (!AtEnd() && IsBlank(bytes_[pos_])) {
        ++pos_;
    }
}

// CR LF, a lone CR and a lone LF each end one line.
void FieldReader::ConsumeLineEnd() {
    if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n') {
        ++pos_;
    }
    ++pos_;
    ++line_;
}

void FieldReader::ConsumeSeparator() {
    if (AtEnd()) {
        return;
    }
    if (bytes_[pos_] == ',') {
        ++pos_;
    } else if (IsLineEnd(bytes_[pos_])) {
        ConsumeLineEnd();
    }
}

void FieldReader::BeginField(std::string_view what) {
    ++field_;
    SkipBlanks();
    fieldLine_ = line_;
    if (AtEnd()) {
        Fail(what, "the file ends before this field");
    }
}

std::string FieldReader::ReadText(std::string_view what) {
    BeginField(what);
    std::string_view raw;
    const std::string_view all(bytes_);
    if (bytes_[pos_] == '"') {
        const std::size_t close = bytes_.find('"', pos_ + 1);
        if (close == std::string::npos) {
            Fail(what, "the double quote that opens the text is never closed");
        }
        raw = all.substr(pos_ + 1, close - pos_ - 1);
        // A line end between the quotes belongs to the text.
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') {
                ++i;
            }
            if (IsLineEnd(raw[i])) {
                ++line_;
            }
        }
        pos_ = close + 1;
        SkipBlanks();
        if (!AtEnd() && bytes_[pos_] != ',' && !IsLineEnd(bytes_[pos_])) {
            std::size_t end = pos_;
            while (end < bytes_.size() && bytes_[end] != ',' && !IsLineEnd(bytes_[end])) {
                ++end;
            }
            Fail(what, "text after the closing double quote: " +
                           DescribeBytes(all.substr(pos_, end - pos_)));
        }
    } else {
        const std::size_t start = pos_;
        while (!AtEnd() && bytes_[pos_] != ',' && !IsLineEnd(bytes_[pos_])) {
            ++pos_;
        }
        std::size_t end = pos_;
        while (end > start && IsBlank(bytes_[end - 1])) {
            --end;
        }
        raw = all.substr(start, end - start);
    }
    ConsumeSeparator();
    return DecodeShiftJis(raw, Where(what));
}

std::int16_t FieldReader::ReadNumber(std::string_view what) {
    BeginField(what);
    const std::string_view all(bytes_);
    const std::size_t start = pos_;
    std::size_t p = pos_;
    const bool negative = bytes_[p] == '-';
    if (negative) {
        ++p;
    }
    const std::size_t digits = p;
    std::int64_t magnitude = 0;
    while (p < bytes_.size() && IsDigit(bytes_[p])) {
        if (magnitude <= 32768) {  // enough to tell the range; no overflow
            magnitude = magnitude * 10 + (bytes_[p] - '0');
        }
        ++p;
    }
    std::size_t end = p;
    while (end < bytes_.size() && !IsBlank(bytes_[end]) && bytes_[end] != ',' &&
           !IsLineEnd(bytes_[end])) {
        ++end;
    }
    const std::string_view token = all.substr(start, end - start);
    if (token.empty()) {
        Fail(what, "empty field where a number is expected");
    }
    if (p == digits || end != p) {
        Fail(what, "not a number: " + DescribeBytes(token));
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < -32768 || value > 32767) {
        Fail(what, "number " + DescribeBytes(token) + " is outside -32768 to 32767");
    }
    pos_ = p;
    SkipBlanks();
    ConsumeSeparator();
    return static_cast<std::int16_t>(value);
}

}  // namespace soruberia
