// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "web/PageOps.h"

#include <cstdio>
#include <utility>

#include "web/Json.h"

namespace soruberia::web {

PageOps& PageOps::Begin(std::string_view op) {
    if (!ops_.empty()) ops_ += ',';
    ops_ += "{\"op\":" + JsonString(op);
    return *this;
}

PageOps& PageOps::Text(std::string_view name, std::string_view text) {
    ops_ += ',' + JsonString(name) + ':' + JsonString(text);
    return *this;
}

PageOps& PageOps::Number(std::string_view name, double number) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.9g", number);
    ops_ += ',' + JsonString(name) + ':' + digits;
    return *this;
}

PageOps& PageOps::Flag(std::string_view name, bool flag) {
    ops_ += ',' + JsonString(name) + ':' + (flag ? "true" : "false");
    return *this;
}

PageOps& PageOps::Null(std::string_view name) {
    ops_ += ',' + JsonString(name) + ":null";
    return *this;
}

void PageOps::End() { ops_ += '}'; }

std::string PageOps::Take() {
    std::string taken = '[' + std::move(ops_) + ']';
    ops_.clear();
    return taken;
}

}  // namespace soruberia::web
