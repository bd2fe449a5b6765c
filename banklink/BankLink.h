// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

// A question bank carried whole in a page's address, after the '#': the
// three files' exact bytes, compressed with raw DEFLATE and written in
// base64url, behind a version and a checksum. Browsers never send what
// follows the '#' to any server, so the bank goes wherever the link goes
// and nowhere else.
//
// The compressing is the platform's (zlib on the desktop, the browser's
// CompressionStream in the page), so encoding and decoding come in two
// steps around it.
namespace soruberia::banklink {

// What follows the '#' of a bank link begins with this.
inline constexpr std::string_view kFragmentPrefix = "b=";
// The version this program writes and reads.
inline constexpr std::uint8_t kVersion = 1;

struct BankBytes {
    std::string texts;        // mondai.txt
    std::string key;          // kotae.txt
    std::string explanation;  // setumei.txt

    bool operator==(const BankBytes&) const = default;
};

// Why a link gives no bank.
enum class LinkFault {
    kNotALink,   // no bank link at all (no prefix)
    kCutShort,   // fewer characters than it was written with
    kChanged,    // a character changed, added or lost in the middle
    kNewer,      // written by a newer version of the program
    kTooLarge,   // a file larger than the readers take
};

// In Japanese, for the pages and the checker.
std::string DescribeLinkFault(LinkFault fault);

// Encoding, step 1: the bytes to compress (the three files one after
// another).
std::string Payload(const BankBytes& bank);
// Step 2: the text after the '#', prefix included, of the bank whose
// payload compressed (raw DEFLATE) to `compressed`.
std::string Fragment(const BankBytes& bank, std::string_view compressed);

// Decoding, step 1: the link's compressed payload and what it must
// inflate to, once the text after the '#' (the '#' itself may lead, and
// a whole address is read from its '#') proves whole and of this version.
struct Sealed {
    std::string compressed;
    std::size_t textsSize = 0, keySize = 0, explanationSize = 0;
    std::size_t PayloadSize() const { return textsSize + keySize + explanationSize; }
};
std::variant<Sealed, LinkFault> Open(std::string_view link);
// Step 2: the bank, from the payload inflated, which the inflater stopped
// after at most sealed.PayloadSize() + 1 bytes.
std::variant<BankBytes, LinkFault> Unseal(const Sealed& sealed, std::string_view payload);

// The link to a page's address (http or https; what followed a '#' in it
// is dropped): address#fragment. None for an address that is no web
// page's.
std::optional<std::string> LinkTo(std::string_view pageAddress, std::string_view fragment);
// Whether students' devices cannot reach the address: this machine's own
// (localhost, 127.x.x.x, [::1]).
bool OnlyThisMachine(std::string_view pageAddress);

// Both steps with a compressor at hand (the desktop's zlib; the tests').
// inflate gets the compressed bytes and the most bytes it may give; it
// gives none (nullopt) for data that is not raw DEFLATE, and stops at the
// limit.
using Deflate = std::function<std::string(std::string_view raw)>;
using Inflate = std::function<std::optional<std::string>(std::string_view compressed, std::size_t limit)>;
std::string Encode(const BankBytes& bank, const Deflate& deflate);
std::variant<BankBytes, LinkFault> Decode(std::string_view link, const Inflate& inflate);

}  // namespace soruberia::banklink
