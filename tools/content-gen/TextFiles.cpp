// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "tools/content-gen/TextFiles.h"

#include <iconv.h>

#include <cerrno>
#include <fstream>
#include <memory>

#include "content/FatalError.h"

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
    const iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw FatalError("iconv has no CP932 converter");
    const std::unique_ptr<void, int (*)(iconv_t)> closer(cd, iconv_close);

    std::string in = utf8;
    std::string out(in.size() * 2 + 4, '\0');
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        const auto at = static_cast<std::size_t>(inPtr - in.data());
        throw FatalError("no Shift-JIS code for '" + in.substr(at, 3) + "' in '" + utf8 + "'" +
                         (errno == EILSEQ ? "" : " (conversion failed)"));
    }
    out.resize(out.size() - outLeft);
    return out;
}

void WriteCp932Lines(const std::filesystem::path& path, const std::vector<std::string>& utf8Lines) {
    std::string bytes;
    for (const auto& line : utf8Lines) bytes += ToCp932(line) + "\r\n";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw FatalError("cannot write " + path.string());
}

}  // namespace soruberia::contentgen
