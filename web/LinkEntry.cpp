// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Bank links in either module: the format is the core's (banklink), the
// compressing the browser's, so the page passes the bytes between the
// steps (bank-link.js). Strings are UTF-8; a returned one lives until the
// next call; returned bytes until the next call of the same kind.
#include <cstddef>
#include <string>
#include <utility>
#include <variant>

#include "banklink/BankLink.h"
#include "web/EntryState.h"
#include "web/Json.h"

using soruberia::web::Files;
using soruberia::web::Returned;
namespace banklink = soruberia::banklink;

namespace {

const char* kFaultNames[] = {"not-a-link", "cut-short", "changed", "newer", "too-large"};

const char* FaultReturned(banklink::LinkFault fault) {
    return Returned(std::string(R"({"fault":")") + kFaultNames[static_cast<std::size_t>(fault)] + R"(","message":)" +
                    soruberia::web::JsonString(banklink::DescribeLinkFault(fault)) + "}");
}

banklink::Sealed& Opened() {
    static banklink::Sealed sealed;
    return sealed;
}

std::string& Bytes() {
    static std::string bytes;
    return bytes;
}

std::string In(const char* folder, const char* name) { return std::string(folder) + '/' + name; }

}  // namespace

extern "C" {

// Decoding, step 1: the link (an address, or what follows its '#'):
// {"payload": the most bytes its payload may inflate to} with its
// compressed bytes at soruberia_link_bytes, or {"fault", "message"}.
const char* soruberia_link_open(const char* link) {
    auto opened = banklink::Open(link);
    if (const auto* fault = std::get_if<banklink::LinkFault>(&opened)) return FaultReturned(*fault);
    Opened() = std::move(std::get<banklink::Sealed>(opened));
    Bytes() = Opened().compressed;
    return Returned(R"({"payload":)" + std::to_string(Opened().PayloadSize()) + "}");
}

// The bytes of the last open or payload, and their number.
const char* soruberia_link_bytes() { return Bytes().data(); }
std::size_t soruberia_link_bytes_size() { return Bytes().size(); }

// Step 2: the payload as the page inflated it. The three files go into
// `folder` (relative to the page), all or none: {"ok":true} or a fault.
const char* soruberia_link_unseal(const char* folder, const char* payload, std::size_t size) {
    auto unsealed = banklink::Unseal(Opened(), std::string_view(payload, size));
    if (const auto* fault = std::get_if<banklink::LinkFault>(&unsealed)) return FaultReturned(*fault);
    auto& bank = std::get<banklink::BankBytes>(unsealed);
    Files().Drop(folder);
    Files().Put(In(folder, "mondai.txt"), std::move(bank.texts));
    Files().Put(In(folder, "kotae.txt"), std::move(bank.key));
    Files().Put(In(folder, "setumei.txt"), std::move(bank.explanation));
    return Returned(R"({"ok":true})");
}

// Encoding, step 1: the bytes to compress of the bank in `folder`, at
// soruberia_link_bytes; false for a folder without its three files.
bool soruberia_link_payload(const char* folder) {
    const std::string* texts = Files().Find(In(folder, "mondai.txt"));
    const std::string* key = Files().Find(In(folder, "kotae.txt"));
    const std::string* explanation = Files().Find(In(folder, "setumei.txt"));
    if (!texts || !key || !explanation) return false;
    Bytes() = banklink::Payload({*texts, *key, *explanation});
    return true;
}

// Step 2: what follows the '#' of the link, from the payload compressed.
const char* soruberia_link_fragment(const char* folder, const char* compressed, std::size_t size) {
    const std::string* texts = Files().Find(In(folder, "mondai.txt"));
    const std::string* key = Files().Find(In(folder, "kotae.txt"));
    const std::string* explanation = Files().Find(In(folder, "setumei.txt"));
    if (!texts || !key || !explanation) return Returned("");
    return Returned(banklink::Fragment({*texts, *key, *explanation}, std::string_view(compressed, size)));
}

}  // extern "C"
