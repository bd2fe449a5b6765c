// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tools/content-gen/TextFiles.h"

#include <fstream>
#include <utility>

#include "content/FatalError.h"
#include "content/ShiftJis.h"

namespace soruberia::contentgen {

int HalfWidths(const std::string& utf8) {
    int width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        if (length == 0 || i + length > utf8.size())
            throw FatalError("malformed UTF-8 in '" + utf8 + "'");
        char32_t cp = length == 1 ? lead : lead & (0xFFu >> (length + 1));
        for (std::size_t k = 1; k < length; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
        width += (cp < 0x80 || (cp >= 0xFF61 && cp <= 0xFF9F)) ? 1 : 2;
        i += length;
    }
    return width;
}

std::string ToCp932(const std::string& utf8) {
    sjis::Encoded encoded = sjis::Encode(utf8);
    if (encoded.unmappableAt) {
        throw FatalError("no Shift-JIS code for '" + utf8.substr(*encoded.unmappableAt, 3) +
                         "' in '" + utf8 + "'");
    }
    return std::move(encoded.cp932);
}

void WriteCp932Lines(const std::filesystem::path& path, const std::vector<std::string>& utf8Lines) {
    std::string bytes;
    for (const auto& line : utf8Lines) bytes += ToCp932(line) + "\r\n";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw FatalError("cannot write " + path.string());
}

}  // namespace soruberia::contentgen
