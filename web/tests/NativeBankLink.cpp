// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Bank links by the desktop programs' zlib, for the page's tests to hold
// the browser's DEFLATE to:
//   soruberia-bank-link encode <folder with the three files>   prints the fragment
//   soruberia-bank-link decode <link> <folder>                 writes the three files,
//                                                              or prints the fault and exits 1
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <variant>

#include "banklink/BankLink.h"
#include "banklink/ZlibDeflate.h"

namespace {

namespace fs = std::filesystem;
namespace banklink = soruberia::banklink;

std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const fs::path& file, const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }

}  // namespace

int main(int argc, char** argv) {
    const std::string verb = argc > 1 ? argv[1] : "";
    if (verb == "encode" && argc == 3) {
        const fs::path folder = fs::u8path(argv[2]);
        const banklink::BankBytes bank{Read(folder / "mondai.txt"), Read(folder / "kotae.txt"),
                                       Read(folder / "setumei.txt")};
        std::cout << banklink::Encode(bank, banklink::ZlibDeflate) << '\n';
        return 0;
    }
    if (verb == "decode" && argc == 4) {
        const auto decoded = banklink::Decode(argv[2], banklink::ZlibInflate);
        if (const auto* fault = std::get_if<banklink::LinkFault>(&decoded)) {
            std::cout << banklink::DescribeLinkFault(*fault) << '\n';
            return 1;
        }
        const auto& bank = std::get<banklink::BankBytes>(decoded);
        const fs::path folder = fs::u8path(argv[3]);
        Write(folder / "mondai.txt", bank.texts);
        Write(folder / "kotae.txt", bank.key);
        Write(folder / "setumei.txt", bank.explanation);
        return 0;
    }
    std::cerr << "usage: soruberia-bank-link encode <folder> | decode <link> <folder>\n";
    return 2;
}
