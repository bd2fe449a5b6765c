// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The program's own code page 932 tables held to glibc's iconv (CP932)
// itself, not to digests of it: every one- and two-byte sequence decoded,
// every one- and two-byte sequence and every BMP character encoded, and
// random longer texts, where a wrong stop offset or a character lost after
// a good one would show; the one difference, kept on purpose, is pinned
// down below. Linux only: Windows and the browser have no
// faithful iconv to hold them to.
#include <iconv.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "content/ShiftJis.h"
#include "HexDump.h"

namespace soruberia::sjis {
namespace {

struct Converted {
    std::string out;
    std::optional<std::size_t> stoppedAt;
    bool operator==(const Converted&) const = default;
};

// One iconv converter, reset before each text: converts as far as the input
// allows, a refused or cut-off character stopping it at its first byte.
class Iconv {
public:
    Iconv(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Iconv() {
        if (Opened()) iconv_close(handle_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool Opened() const { return handle_ != reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1)); }

    Converted Convert(std::string_view input) {
        Converted result;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        std::string in(input);
        std::string out(in.size() * 2 + 8, '\0');
        char* inPtr = in.data();
        std::size_t inLeft = in.size();
        char* outPtr = out.data();
        std::size_t outLeft = out.size();
        while (inLeft > 0) {
            if (iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) break;
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

private:
    iconv_t handle_;
};

std::string Describe(const Converted& c) {
    return HexDump(c.out) + (c.stoppedAt ? " stopped at " + std::to_string(*c.stoppedAt) : std::string());
}

// Collects the inputs on which the tables and iconv differ; the first few
// are spelled out.
class Disagreements {
public:
    void Compare(std::string_view input, const Converted& tables, const Converted& iconv) {
        if (tables == iconv) return;
        if (++count_ <= 10) {
            shown_ += "\n  " + HexDump(input) + ": tables " + Describe(tables) + ", iconv " + Describe(iconv);
        }
    }
    void ExpectNone() const { EXPECT_EQ(count_, 0) << shown_; }

private:
    int count_ = 0;
    std::string shown_;
};

class ShiftJisAgainstIconv : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(decoder_.Opened() && encoder_.Opened()) << "this system's iconv has no CP932";
    }

    void CompareDecode(std::string_view cp932) {
        const Decoded decoded = Decode(cp932);
        disagreements_.Compare(cp932, {decoded.utf8, decoded.invalidAt}, decoder_.Convert(cp932));
    }
    void CompareEncode(std::string_view utf8) {
        const Encoded encoded = Encode(utf8);
        disagreements_.Compare(utf8, {encoded.cp932, encoded.unmappableAt}, encoder_.Convert(utf8));
    }

    Iconv decoder_{"UTF-8", "CP932"};
    Iconv encoder_{"CP932", "UTF-8"};
    Disagreements disagreements_;
};

// Every byte, and every byte after every byte: the single bytes, each
// pair, a lead byte cut off by the end and the bytes no character begins with.
TEST_F(ShiftJisAgainstIconv, DecodeEveryOneAndTwoByteSequence) {
    for (int first = 0; first < 256; ++first) {
        const char a = static_cast<char>(first);
        CompareDecode(std::string{a});
        for (int second = 0; second < 256; ++second) CompareDecode(std::string{a, static_cast<char>(second)});
    }
    disagreements_.ExpectNone();
}

std::string Utf8(char32_t codePoint) {
    std::string out;
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | codePoint >> 6);
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | codePoint >> 12);
        out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | codePoint >> 18);
        out += static_cast<char>(0x80 | (codePoint >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return out;
}

// Every character of the BMP, and every one- and two-byte input, well-formed
// UTF-8 or not (overlong, cut off, stray continuation bytes).
TEST_F(ShiftJisAgainstIconv, EncodeEveryBmpCharacterAndEveryOneAndTwoByteSequence) {
    for (char32_t codePoint = 0; codePoint < 0x10000; ++codePoint) {
        if (codePoint < 0xD800 || codePoint > 0xDFFF) CompareEncode(Utf8(codePoint));
    }
    for (int first = 0; first < 256; ++first) {
        const char a = static_cast<char>(first);
        CompareEncode(std::string{a});
        for (int second = 0; second < 256; ++second) CompareEncode(std::string{a, static_cast<char>(second)});
    }
    disagreements_.ExpectNone();
}

// The tag characters U+E0000..U+E007F, invisible marks of a language or of
// a flag's region. glibc drops them when it encodes; the tables refuse them
// as every other character beyond the BMP, as Windows' converter did, so
// that the checker shows them among the characters code page 932 lacks.
bool IsTag(char32_t codePoint) { return codePoint >> 7 == 0xE0000 >> 7; }

TEST_F(ShiftJisAgainstIconv, TagCharactersAreRefusedThoughIconvDropsThem) {
    for (char32_t tag = 0xE0000; IsTag(tag); ++tag) {
        const std::string text = "a" + Utf8(tag) + "b";
        EXPECT_EQ(encoder_.Convert(text), (Converted{"ab", std::nullopt})) << HexDump(text);
        const Encoded encoded = Encode(text);
        EXPECT_EQ(encoded.cp932, "a") << HexDump(text);
        EXPECT_EQ(encoded.unmappableAt, 1u) << HexDump(text);
    }
}

// Longer texts, mostly well-formed, with now and then a byte or character
// that stops the conversion somewhere in the middle.
TEST_F(ShiftJisAgainstIconv, RandomTextsConvertAsIconvDoes) {
    std::mt19937 random(932);
    const auto below = [&random](unsigned limit) {
        return std::uniform_int_distribution<unsigned>(0, limit - 1)(random);
    };
    for (int text = 0; text < 20000; ++text) {
        std::string cp932;
        std::string utf8;
        const unsigned length = 1 + below(40);
        for (unsigned i = 0; i < length; ++i) {
            const unsigned kind = below(100);
            if (kind < 30) {
                cp932 += static_cast<char>(0x20 + below(0x5F));
                utf8 += Utf8(0x20 + below(0x5F));
            } else if (kind < 35) {
                cp932 += static_cast<char>(0xA1 + below(0x3F));
                utf8 += Utf8(0xFF61 + below(0x3F));
            } else if (kind < 97) {
                // A pair from the lead bytes' ranges, assigned or not; its
                // decoding, where it has one, is a character CP932 holds.
                const unsigned lead = below(2) ? 0x81 + below(0x1F) : 0xE0 + below(0x1D);
                const std::string pair{static_cast<char>(lead), static_cast<char>(0x40 + below(0xBD))};
                cp932 += pair;
                const Decoded decoded = Decode(pair);
                utf8 += decoded.invalidAt ? Utf8(0x80 + below(0xFF80)) : decoded.utf8;
            } else if (kind < 99) {
                cp932 += static_cast<char>(below(256));
                utf8 += static_cast<char>(below(256));
            } else {
                cp932 += static_cast<char>(0x80 + below(0x80));
                char32_t beyondBmp = 0x10000 + below(0x100000);
                if (IsTag(beyondBmp)) beyondBmp -= 0x80;
                utf8 += Utf8(beyondBmp);
            }
        }
        CompareDecode(cp932);
        CompareEncode(utf8);
    }
    disagreements_.ExpectNone();
}

}  // namespace
}  // namespace soruberia::sjis
