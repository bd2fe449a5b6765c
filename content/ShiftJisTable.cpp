// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Code page 932 from tables of the program's own, written once from glibc's
// iconv by make-cp932-table.py: one behaviour on every system, with no
// converter to open per field. Gives exactly what iconv's CP932 gives.
#include <array>
#include <cstdint>
#include <string>

#include "content/ShiftJis.h"
#include "content/Utf8Scan.h"

namespace soruberia::sjis {
namespace {

#include "content/Cp932Table.inc"

constexpr char16_t kRefused = u'\uFFFF';
constexpr std::uint16_t kUnmappable = 0xFFFF;
constexpr std::size_t kTrailsPerRow = 188;  // 0x40..0xFC without 0x7F
constexpr unsigned kUserAreaFirstLead = 0xF0;
constexpr unsigned kUserAreaLastLead = 0xF9;
constexpr char16_t kUserAreaFirst = u'\uE000';

bool IsLead(unsigned byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

// Single bytes: ASCII as itself, 0xA1..0xDF the half-width katakana.
bool IsSingle(unsigned byte) { return byte < 0x80 || (byte >= 0xA1 && byte <= 0xDF); }
char16_t SingleCharacter(unsigned byte) {
    return static_cast<char16_t>(byte < 0x80 ? byte : 0xFF61 + (byte - 0xA1));
}

// The index of a second byte in a row; kTrailsPerRow for a byte no pair has.
std::size_t TrailIndex(unsigned trail) {
    if (trail < 0x40 || trail > 0xFC || trail == 0x7F) return kTrailsPerRow;
    return trail - 0x40 - (trail > 0x7F ? 1 : 0);
}
unsigned TrailByte(std::size_t index) {
    return static_cast<unsigned>(index + 0x40 + (index >= 0x3F ? 1 : 0));
}

// The row of kRows for each lead byte; -1 where it has none.
constexpr std::array<int, 256> kRowOfLead = [] {
    std::array<int, 256> rows{};
    rows.fill(-1);
    for (std::size_t row = 0; row < kRowLeads.size(); ++row) rows[kRowLeads[row]] = static_cast<int>(row);
    return rows;
}();

char16_t PairCharacter(unsigned lead, unsigned trail) {
    const std::size_t index = TrailIndex(trail);
    if (index == kTrailsPerRow) return kRefused;
    if (lead >= kUserAreaFirstLead && lead <= kUserAreaLastLead) {
        return static_cast<char16_t>(kUserAreaFirst + (lead - kUserAreaFirstLead) * kTrailsPerRow + index);
    }
    const int row = kRowOfLead[lead];
    return row < 0 ? kRefused : kRows[row][index];
}

// The code of each BMP character: the first code that decodes to it, the
// single bytes first, then the rows, with NEC's copy of the IBM characters
// (lead bytes 0xED, 0xEE) after IBM's own, then the user-defined area; the
// characters only iconv's encoder knows come last.
class EncodeTable {
public:
    EncodeTable() {
        codes_.fill(kUnmappable);
        for (unsigned byte = 0; byte < 0x100; ++byte) {
            if (IsSingle(byte)) Offer(SingleCharacter(byte), static_cast<std::uint16_t>(byte));
        }
        for (const bool necCopy : {false, true}) {
            for (std::size_t row = 0; row < kRowLeads.size(); ++row) {
                const unsigned lead = kRowLeads[row];
                if ((lead == 0xED || lead == 0xEE) != necCopy) continue;
                for (std::size_t index = 0; index < kTrailsPerRow; ++index) {
                    if (kRows[row][index] == kRefused) continue;
                    Offer(kRows[row][index], static_cast<std::uint16_t>(lead << 8 | TrailByte(index)));
                }
            }
        }
        for (unsigned lead = kUserAreaFirstLead; lead <= kUserAreaLastLead; ++lead) {
            for (std::size_t index = 0; index < kTrailsPerRow; ++index) {
                Offer(PairCharacter(lead, TrailByte(index)), static_cast<std::uint16_t>(lead << 8 | TrailByte(index)));
            }
        }
        for (const ExtraCode& extra : kExtraCodes) Offer(extra.character, extra.code);
    }

    std::uint16_t Code(char16_t character) const { return codes_[character]; }

private:
    void Offer(char16_t character, std::uint16_t code) {
        if (codes_[character] == kUnmappable) codes_[character] = code;
    }

    std::array<std::uint16_t, 0x10000> codes_;
};

const EncodeTable& Encoder() {
    static const EncodeTable table;
    return table;
}

// The character at `at` and how many bytes it takes; 0 bytes where none
// begins there.
struct Read {
    char16_t character = kRefused;
    std::size_t length = 0;
};
Read ReadAt(std::string_view cp932, std::size_t at) {
    const auto byte = static_cast<unsigned char>(cp932[at]);
    if (IsSingle(byte)) return {SingleCharacter(byte), 1};
    if (!IsLead(byte) || at + 1 >= cp932.size()) return {};
    const char16_t character = PairCharacter(byte, static_cast<unsigned char>(cp932[at + 1]));
    return character == kRefused ? Read{} : Read{character, 2};
}

std::size_t Utf8Length(char16_t character) { return character < 0x80 ? 1 : character < 0x800 ? 2 : 3; }

}  // namespace

Decoded Decode(std::string_view cp932) {
    // Measured first, then written: the text is allocated once at its size,
    // with nothing to fill or cut.
    Decoded result;
    std::size_t length = 0;
    std::size_t at = 0;
    while (at < cp932.size()) {
        const Read read = ReadAt(cp932, at);
        if (read.length == 0) {
            result.invalidAt = at;
            break;
        }
        length += Utf8Length(read.character);
        at += read.length;
    }
    std::string& out = result.utf8;
    out.resize(length);
    std::size_t written = 0;
    for (std::size_t from = 0; from < at;) {
        const Read read = ReadAt(cp932, from);
        written += utf8::PutBmp(out.data() + written, read.character);
        from += read.length;
    }
    return result;
}

Encoded Encode(std::string_view text) {
    Encoded result;
    const EncodeTable& table = Encoder();
    for (std::size_t at = 0; at < text.size();) {
        const utf8::CodePoint next = utf8::NextCodePoint(text, at);
        const std::uint16_t code =
            next.length == 0 || next.value > 0xFFFF ? kUnmappable : table.Code(static_cast<char16_t>(next.value));
        if (code == kUnmappable) {
            result.unmappableAt = at;
            break;
        }
        if (code > 0xFF) result.cp932 += static_cast<char>(code >> 8);
        result.cp932 += static_cast<char>(code & 0xFF);
        at += next.length;
    }
    return result;
}

}  // namespace soruberia::sjis
