// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Any text as a bank link either gives its fault, in words, or a bank
// within the readers' sizes that a link of its own gives back unchanged.
// An input whose first byte is odd has the rest sealed as a link of this
// version, with a right length and checksum, so that the sizes and the
// inflating meet crafted data too.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "banklink/Base64Url.h"
#include "banklink/BankLink.h"
#include "banklink/ZlibDeflate.h"
#include "content/ContentFile.h"

namespace {

namespace banklink = soruberia::banklink;

std::size_t VarintWidth(std::size_t value) {
    std::size_t width = 1;
    while (value >= 0x80) value >>= 7, ++width;
    return width;
}

std::string Sealed(std::string_view rest) {
    std::string bytes(5, '\0');
    bytes[0] = static_cast<char>(banklink::kVersion);
    // The whole's length counts its own varint.
    std::size_t width = 1;
    while (VarintWidth(5 + width + rest.size()) != width) ++width;
    for (std::size_t value = 5 + width + rest.size(); value >= 0x80; value >>= 7) {
        bytes += static_cast<char>(0x80 | (value & 0x7F));
    }
    bytes += static_cast<char>((5 + width + rest.size()) >> (7 * (width - 1)));
    bytes += rest;
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), 1);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data() + 5), static_cast<uInt>(bytes.size() - 5));
    for (std::size_t i = 0; i < 4; ++i) bytes[1 + i] = static_cast<char>((crc >> (8 * i)) & 0xFF);
    return std::string(banklink::kFragmentPrefix) + banklink::ToBase64Url(bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const bool seal = !input.empty() && (static_cast<unsigned char>(input.front()) & 1) != 0;
    const std::string link = seal ? Sealed(input.substr(1)) : std::string(input);
    const auto decoded = banklink::Decode(link, banklink::ZlibInflate);
    if (const auto* fault = std::get_if<banklink::LinkFault>(&decoded)) {
        if (banklink::DescribeLinkFault(*fault).empty()) std::abort();
        return 0;
    }
    const auto& bank = std::get<banklink::BankBytes>(decoded);
    for (const std::string* file : {&bank.texts, &bank.key, &bank.explanation}) {
        if (file->size() > soruberia::kMaxContentFileBytes) std::abort();
    }
    const auto again = banklink::Decode(banklink::Encode(bank, banklink::ZlibDeflate), banklink::ZlibInflate);
    if (!std::holds_alternative<banklink::BankBytes>(again) || !(std::get<banklink::BankBytes>(again) == bank)) {
        std::abort();
    }
    return 0;
}
