// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Bank links with zlib, as the desktop checker writes them: every bank
// back byte for byte, and every damage a link meets on its way (cut short
// by a messaging app, a character changed, a newer program's, a bomb)
// gives its message and never a bank.
#include "banklink/BankLink.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <variant>
#include <vector>

#include "banklink/Base64Url.h"
#include "banklink/ZlibDeflate.h"
#include "content/ContentFile.h"

namespace soruberia::banklink {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

BankBytes BankIn(const fs::path& folder) {
    return {Bytes(folder / "mondai.txt"), Bytes(folder / "kotae.txt"), Bytes(folder / "setumei.txt")};
}

// The banks every link test uses, here and in the page's (web/tests).
std::vector<std::pair<std::string, BankBytes>> Banks() {
    // u8: on Windows a plain literal would be read in the ANSI code page.
    std::vector<std::pair<std::string, BankBytes>> banks{{"default", BankIn(fs::path(DEFAULT_CONTENT) / fs::path(u8"問題"))}};
    for (const char* name : {"odd-layout", "fullest", "empty-explanation"}) {
        banks.emplace_back(name, BankIn(fs::path(LINK_BANKS) / name));
    }
    return banks;
}

std::variant<BankBytes, LinkFault> Decoded(std::string_view link) { return Decode(link, ZlibInflate); }

LinkFault FaultOf(std::string_view link) {
    const auto decoded = Decoded(link);
    EXPECT_TRUE(std::holds_alternative<LinkFault>(decoded)) << "a bank from " << link;
    return std::holds_alternative<LinkFault>(decoded) ? std::get<LinkFault>(decoded) : LinkFault::kNotALink;
}

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

// The link's bytes, and a link of bytes with its checksum made right again
// by zlib's CRC-32.
std::string Unpacked(std::string_view fragment) {
    return FromBase64Url(fragment.substr(kFragmentPrefix.size()))->bytes;
}

std::string Packed(std::string bytes) {
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), 1);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data() + 5), static_cast<uInt>(bytes.size() - 5));
    for (int i = 0; i < 4; ++i) bytes[static_cast<std::size_t>(1 + i)] = static_cast<char>((crc >> (8 * i)) & 0xFF);
    return std::string(kFragmentPrefix) + ToBase64Url(bytes);
}

TEST(BankLink, EveryBankComesBackByteForByte) {
    for (const auto& [name, bank] : Banks()) {
        SCOPED_TRACE(name);
        ASSERT_FALSE(bank.texts.empty()) << "the bank's files were not read";
        const std::string fragment = Encode(bank, ZlibDeflate);
        const auto link = LinkTo("https://school.example/soruberia/?x=1#old", fragment);
        ASSERT_TRUE(link);
        EXPECT_EQ(*link, "https://school.example/soruberia/?x=1#" + fragment);
        const auto decoded = Decoded(*link);
        ASSERT_TRUE(std::holds_alternative<BankBytes>(decoded));
        EXPECT_TRUE(std::get<BankBytes>(decoded) == bank);
        // The checksum is the CRC-32 everyone computes.
        EXPECT_EQ(Packed(Unpacked(fragment)), fragment);
        std::cout << "[ link ] " << name << ": " << Payload(bank).size() << " bytes, " << fragment.size()
                  << " characters after the #\n";
    }
}

TEST(BankLink, ACutLinkSaysSoAtEveryLength) {
    for (const auto& [name, bank] : Banks()) {
        const std::string fragment = Encode(bank, ZlibDeflate);
        for (std::size_t length = 0; length < fragment.size(); ++length) {
            const LinkFault fault = FaultOf(fragment.substr(0, length));
            EXPECT_EQ(fault, length < kFragmentPrefix.size() ? LinkFault::kNotALink : LinkFault::kCutShort)
                << name << " cut to " << length;
        }
    }
}

TEST(BankLink, EveryChangedCharacterIsFound) {
    const std::string fragment = Encode(Banks().front().second, ZlibDeflate);
    for (std::size_t at = kFragmentPrefix.size(); at < fragment.size(); ++at) {
        const std::size_t own = kAlphabet.find(fragment[at]);
        for (const char other : {kAlphabet[(own + 1) % 64], kAlphabet[(own + 32) % 64], '+', '%'}) {
            std::string changed = fragment;
            changed[at] = other;
            const LinkFault fault = FaultOf(changed);
            EXPECT_NE(fault, LinkFault::kNotALink) << at;
            // The whole's length is in the first bytes: a change there may
            // read as a cut.
            if (at >= kFragmentPrefix.size() + 10) {
                EXPECT_EQ(fault, LinkFault::kChanged) << at << " " << other;
            }
        }
    }
    // Characters added or lost in the middle (a loss reads as a cut: the
    // link is shorter than it says), and the prefix itself.
    EXPECT_EQ(FaultOf(fragment.substr(0, 100) + fragment.substr(101)), LinkFault::kCutShort);
    EXPECT_EQ(FaultOf(fragment.substr(0, 100) + "A" + fragment.substr(100)), LinkFault::kChanged);
    EXPECT_EQ(FaultOf(fragment + "A"), LinkFault::kChanged);
    EXPECT_EQ(FaultOf("c" + fragment.substr(1)), LinkFault::kNotALink);
    EXPECT_EQ(FaultOf(""), LinkFault::kNotALink);
    // White space around a pasted link is no damage.
    EXPECT_TRUE(std::holds_alternative<BankBytes>(Decoded(" \n#" + fragment + "\r\n")));
}

TEST(BankLink, ANewerVersionSaysSo) {
    std::string bytes = Unpacked(Encode(Banks().front().second, ZlibDeflate));
    bytes[0] = static_cast<char>(kVersion + 1);
    EXPECT_EQ(FaultOf(Packed(bytes)), LinkFault::kNewer);
    bytes[0] = 0;
    EXPECT_EQ(FaultOf(Packed(bytes)), LinkFault::kChanged);
}

// A link whose checksum is right but whose sizes lie: the inflating stops
// one byte past what the sizes promise, however much the data holds.
TEST(BankLink, ABombInflatesNoMoreThanItsSizesSay) {
    const BankBytes small{"\"a\"\r\n", "1,1\r\n", "b\r\n"};
    std::string bytes = Unpacked(Encode(small, ZlibDeflate));
    const std::string bomb = ZlibDeflate(std::string(64u << 20, 'a'));
    const std::size_t header = bytes.size() - ZlibDeflate(Payload(small)).size();
    bytes = bytes.substr(0, header) + bomb;
    // The whole's length, at byte 5, grows with the data.
    std::string length;
    for (std::size_t value = bytes.size() + 2; value > 0; value >>= 7) {
        length += static_cast<char>((value & 0x7F) | (value >= 0x80 ? 0x80 : 0));
    }
    std::size_t old = 5;
    while ((static_cast<unsigned char>(bytes[old]) & 0x80) != 0) ++old;
    bytes = bytes.substr(0, 5) + length + bytes.substr(old + 1);
    ASSERT_EQ(std::get<Sealed>(Open(Packed(bytes))).PayloadSize(), Payload(small).size());
    std::size_t inflated = 0;
    const auto counting = [&inflated](std::string_view compressed, std::size_t limit) {
        auto out = ZlibInflate(compressed, limit);
        inflated = out ? out->size() : 0;
        return out;
    };
    const auto decoded = Decode(Packed(bytes), counting);
    ASSERT_TRUE(std::holds_alternative<LinkFault>(decoded));
    EXPECT_EQ(std::get<LinkFault>(decoded), LinkFault::kChanged);
    EXPECT_EQ(inflated, Payload(small).size() + 1);

    // Sizes past what the readers take are refused before any inflating.
    std::string sizes;
    for (std::size_t value = kMaxContentFileBytes + 1; value > 0; value >>= 7) {
        sizes += static_cast<char>((value & 0x7F) | (value >= 0x80 ? 0x80 : 0));
    }
    std::string huge = bytes.substr(0, 5) + std::string(1, '\0') + sizes + std::string(1, '\0') + std::string(1, '\0');
    huge[5] = static_cast<char>(huge.size());
    EXPECT_EQ(FaultOf(Packed(huge)), LinkFault::kTooLarge);
}

TEST(BankLink, PageAddresses) {
    EXPECT_FALSE(LinkTo("file:///home/t/index.html", "b=x"));
    EXPECT_FALSE(LinkTo("school.example/soruberia/", "b=x"));
    EXPECT_FALSE(LinkTo("https:///x", "b=x"));
    EXPECT_FALSE(LinkTo("https://school.example/a b/", "b=x"));
    for (const char* local : {"http://localhost:8000/", "http://127.0.0.1/s/", "http://[::1]:80/", "http://LOCALHOST/"}) {
        EXPECT_TRUE(OnlyThisMachine(local)) << local;
    }
    for (const char* remote : {"https://school.example/", "https://t.github.io/soruberia/", "http://192.168.1.5/"}) {
        EXPECT_FALSE(OnlyThisMachine(remote)) << remote;
    }
}

}  // namespace
}  // namespace soruberia::banklink
