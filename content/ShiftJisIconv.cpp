// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <type_traits>

#include "content/FatalError.h"
#include "content/ShiftJis.h"

namespace soruberia::sjis {

namespace {

using Converter = std::unique_ptr<std::remove_pointer_t<iconv_t>, decltype(&iconv_close)>;

// glibc's "CP932" is the Windows flavour of Shift-JIS: plain "SHIFT_JIS"
// lacks characters such as ① that Windows files hold.
Converter Open(const char* to, const char* from) {
    iconv_t handle = iconv_open(to, from);
    if (handle == reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1))) {
        throw FatalError(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    return Converter(handle, &iconv_close);
}

struct Converted {
    std::string out;
    std::optional<std::size_t> stoppedAt;
};

// Converts as far as the input allows; a refused or cut-off character stops
// the conversion at its first byte.
Converted Convert(const char* to, const char* from, std::string_view input) {
    Converted result;
    if (input.empty()) {
        return result;
    }
    const Converter converter = Open(to, from);
    std::string in(input);
    std::string out(in.size() * 2 + 8, '\0');
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(converter.get(), &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno == E2BIG) {
            const auto used = static_cast<std::size_t>(outPtr - out.data());
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        result.stoppedAt = static_cast<std::size_t>(inPtr - in.data());
        break;
    }
    out.resize(static_cast<std::size_t>(outPtr - out.data()));
    result.out = std::move(out);
    return result;
}

}  // namespace

Decoded Decode(std::string_view cp932) {
    Converted converted = Convert("UTF-8", "CP932", cp932);
    return {std::move(converted.out), converted.stoppedAt};
}

Encoded Encode(std::string_view utf8) {
    Converted converted = Convert("CP932", "UTF-8", utf8);
    return {std::move(converted.out), converted.stoppedAt};
}

}  // namespace soruberia::sjis
