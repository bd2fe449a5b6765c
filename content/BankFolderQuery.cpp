// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "content/BankFolderQuery.h"

#include <optional>
#include <utility>

#include "content/Utf8Scan.h"

namespace soruberia {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// application/x-www-form-urlencoded, as a browser's URLSearchParams reads
// it: + is a space, %XX a byte, any other % itself.
std::string FormDecoded(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '+') {
            decoded += ' ';
        } else if (c == '%' && at + 2 < text.size() && HexDigit(text[at + 1]) >= 0 && HexDigit(text[at + 2]) >= 0) {
            decoded += static_cast<char>(HexDigit(text[at + 1]) * 16 + HexDigit(text[at + 2]));
            at += 2;
        } else {
            decoded += c;
        }
    }
    return decoded;
}

// The first value of `name` in the query, decoded; none if it is not there.
std::optional<std::string> FirstValue(std::string_view query, std::string_view name) {
    if (!query.empty() && query.front() == '?') query.remove_prefix(1);
    while (!query.empty()) {
        const std::size_t end = query.find('&');
        const std::string_view pair = query.substr(0, end);
        query = end == std::string_view::npos ? std::string_view() : query.substr(end + 1);
        if (pair.empty()) continue;
        const std::size_t equals = pair.find('=');
        if (FormDecoded(pair.substr(0, equals)) != name) continue;
        return equals == std::string_view::npos ? std::string() : FormDecoded(pair.substr(equals + 1));
    }
    return std::nullopt;
}

bool Control(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

// A folder name's one segment: a name, never a step elsewhere.
bool SegmentAllowed(std::string_view segment) {
    if (segment.empty() || segment == "." || segment == "..") return false;
    for (std::size_t at = 0; at < segment.size();) {
        const utf8::CodePoint c = utf8::NextCodePoint(segment, at);
        if (c.length == 0 || Control(c.value)) return false;
        if (c.value == '\\' || c.value == '%' || c.value == '?' || c.value == '#') return false;
        at += c.length;
    }
    return true;
}

}  // namespace

std::string BankFolderQuery::Name() const {
    std::string name;
    for (const std::string& segment : segments) {
        if (!name.empty()) name += '/';
        name += segment;
    }
    return name;
}

BankFolderQuery ReadBankFolderQuery(std::string_view query) {
    BankFolderQuery result;
    const std::optional<std::string> value = FirstValue(query, "bank");
    if (!value) return result;
    result.kind = BankFolderQuery::Kind::kRefused;
    std::string_view folder = *value;
    while (!folder.empty() && folder.back() == '/') folder.remove_suffix(1);
    if (folder.empty()) return result;
    std::vector<std::string> segments;
    for (std::size_t start = 0;;) {
        const std::size_t slash = folder.find('/', start);
        const std::string_view segment = folder.substr(start, slash - start);
        if (!SegmentAllowed(segment)) return result;
        segments.emplace_back(segment);
        if (slash == std::string_view::npos) break;
        start = slash + 1;
    }
    result.kind = BankFolderQuery::Kind::kFolder;
    result.segments = std::move(segments);
    return result;
}

}  // namespace soruberia
