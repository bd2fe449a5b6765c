// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "banklink/BankLink.h"

#include <array>
#include <utility>

#include "banklink/Base64Url.h"
#include "content/ContentFile.h"

namespace soruberia::banklink {

// The link's bytes, in every version:
//   [0]     the version
//   [1..4]  CRC-32 (little-endian) of byte 0 and of every byte from 5 on
//   [5..]   the number of bytes of the whole, as a varint
// and in version 1, then the sizes of mondai.txt, kotae.txt and setumei.txt
// as varints, and the three files one after another as raw DEFLATE.
namespace {

constexpr std::size_t kChecked = 5;  // the bytes before what the checksum covers

std::uint32_t Crc32(std::uint32_t crc, std::string_view bytes) {
    static const std::array<std::uint32_t, 256> kTable = [] {
        std::array<std::uint32_t, 256> table{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        return table;
    }();
    crc = ~crc;
    for (const char byte : bytes) crc = kTable[(crc ^ static_cast<unsigned char>(byte)) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t Checksum(std::string_view link) {
    return Crc32(Crc32(0, link.substr(0, 1)), link.substr(kChecked));
}

void PutVarint(std::string& out, std::size_t value) {
    while (value >= 0x80) {
        out += static_cast<char>(0x80 | (value & 0x7F));
        value >>= 7;
    }
    out += static_cast<char>(value);
}

// A varint at `at`, moving past it; none if the bytes end first or it
// runs past what a size can be.
std::optional<std::size_t> Varint(std::string_view bytes, std::size_t& at) {
    std::size_t value = 0;
    for (int shift = 0; shift < 35 && at < bytes.size(); shift += 7) {
        const auto byte = static_cast<unsigned char>(bytes[at++]);
        value |= static_cast<std::size_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) return value;
    }
    return std::nullopt;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::string DescribeLinkFault(LinkFault fault) {
    switch (fault) {
        case LinkFault::kNotALink:
            return "問題のリンクではありません。先生から受け取ったリンクをそのまま開いてください。";
        case LinkFault::kCutShort:
            return "問題のリンクが途中で切れています。リンクを最後までコピーして、もう一度開いてください。";
        case LinkFault::kChanged:
            return "問題のリンクの文字が変わっています（どこかが書き換わったか、欠けています）。"
                   "先生から受け取ったリンクを、もう一度そのまま開いてください。";
        case LinkFault::kNewer:
            return "この問題のリンクは、新しい版のソルベリアで作られています。"
                   "このページでは開けません。新しい版のページで開いてください。";
        case LinkFault::kTooLarge:
            return "問題のリンクのファイルが大きすぎます (1 つのファイルは " +
                   std::to_string(kMaxContentFileBytes) + " バイトまでです)。";
    }
    return {};
}

std::string Payload(const BankBytes& bank) { return bank.texts + bank.key + bank.explanation; }

std::string Fragment(const BankBytes& bank, std::string_view compressed) {
    std::string sizes;
    PutVarint(sizes, bank.texts.size());
    PutVarint(sizes, bank.key.size());
    PutVarint(sizes, bank.explanation.size());
    // The whole's length counts its own varint.
    const std::size_t rest = kChecked + sizes.size() + compressed.size();
    std::string length;
    for (std::size_t width = 1;; ++width) {
        length.clear();
        PutVarint(length, rest + width);
        if (length.size() == width) break;
    }
    std::string link(kChecked, '\0');
    link[0] = static_cast<char>(kVersion);
    link += length;
    link += sizes;
    link += compressed;
    const std::uint32_t crc = Checksum(link);
    for (std::size_t i = 0; i < 4; ++i) link[1 + i] = static_cast<char>((crc >> (8 * i)) & 0xFF);
    return std::string(kFragmentPrefix) + ToBase64Url(link);
}

std::variant<Sealed, LinkFault> Open(std::string_view link) {
    if (const std::size_t hash = link.find('#'); hash != std::string_view::npos) link.remove_prefix(hash + 1);
    while (!link.empty() && IsSpace(link.front())) link.remove_prefix(1);
    while (!link.empty() && IsSpace(link.back())) link.remove_suffix(1);
    if (!link.starts_with(kFragmentPrefix)) return LinkFault::kNotALink;
    link.remove_prefix(kFragmentPrefix.size());

    const std::optional<Base64UrlBytes> unpacked = FromBase64Url(link);
    if (!unpacked) return LinkFault::kChanged;
    const std::string& bytes = unpacked->bytes;
    std::size_t at = kChecked;
    const std::optional<std::size_t> total = bytes.size() > kChecked ? Varint(bytes, at) : std::nullopt;
    if (!total) return LinkFault::kCutShort;
    if (*total > bytes.size()) return LinkFault::kCutShort;
    if (*total < bytes.size() || !unpacked->canonical) return LinkFault::kChanged;
    std::uint32_t crc = 0;
    for (std::size_t i = 0; i < 4; ++i) crc |= std::uint32_t{static_cast<unsigned char>(bytes[1 + i])} << (8 * i);
    if (crc != Checksum(bytes)) return LinkFault::kChanged;
    const auto version = static_cast<unsigned char>(bytes[0]);
    if (version > kVersion) return LinkFault::kNewer;
    if (version < kVersion) return LinkFault::kChanged;

    Sealed sealed;
    const auto texts = Varint(bytes, at);
    const auto key = Varint(bytes, at);
    const auto explanation = Varint(bytes, at);
    if (!texts || !key || !explanation) return LinkFault::kChanged;
    if (*texts > kMaxContentFileBytes || *key > kMaxContentFileBytes || *explanation > kMaxContentFileBytes) {
        return LinkFault::kTooLarge;
    }
    sealed.textsSize = *texts;
    sealed.keySize = *key;
    sealed.explanationSize = *explanation;
    sealed.compressed = bytes.substr(at);
    return sealed;
}

std::variant<BankBytes, LinkFault> Unseal(const Sealed& sealed, std::string_view payload) {
    if (payload.size() != sealed.PayloadSize()) return LinkFault::kChanged;
    BankBytes bank;
    bank.texts = std::string(payload.substr(0, sealed.textsSize));
    bank.key = std::string(payload.substr(sealed.textsSize, sealed.keySize));
    bank.explanation = std::string(payload.substr(sealed.textsSize + sealed.keySize));
    return bank;
}

std::optional<std::string> LinkTo(std::string_view pageAddress, std::string_view fragment) {
    if (const std::size_t hash = pageAddress.find('#'); hash != std::string_view::npos) {
        pageAddress = pageAddress.substr(0, hash);
    }
    const bool web = pageAddress.starts_with("https://") || pageAddress.starts_with("http://");
    const std::size_t host = pageAddress.find("//") + 2;
    if (!web || host >= pageAddress.size() || pageAddress[host] == '/') return std::nullopt;
    for (const char c : pageAddress) {
        if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F) return std::nullopt;
    }
    return std::string(pageAddress) + '#' + std::string(fragment);
}

bool OnlyThisMachine(std::string_view pageAddress) {
    const std::size_t scheme = pageAddress.find("://");
    if (scheme == std::string_view::npos) return true;
    std::string_view host = pageAddress.substr(scheme + 3);
    host = host.substr(0, host.find_first_of("/?#"));
    if (const std::size_t at = host.rfind('@'); at != std::string_view::npos) host.remove_prefix(at + 1);
    if (host.starts_with("[")) return host.starts_with("[::1]");
    host = host.substr(0, host.find(':'));
    std::string lower(host);
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower == "localhost" || lower.ends_with(".localhost") || lower.starts_with("127.") || lower == "0.0.0.0";
}

std::string Encode(const BankBytes& bank, const Deflate& deflate) { return Fragment(bank, deflate(Payload(bank))); }

std::variant<BankBytes, LinkFault> Decode(std::string_view link, const Inflate& inflate) {
    auto opened = Open(link);
    if (const auto* fault = std::get_if<LinkFault>(&opened)) return *fault;
    const Sealed& sealed = std::get<Sealed>(opened);
    const std::optional<std::string> payload = inflate(sealed.compressed, sealed.PayloadSize());
    if (!payload) return LinkFault::kChanged;
    return Unseal(sealed, *payload);
}

}  // namespace soruberia::banklink
