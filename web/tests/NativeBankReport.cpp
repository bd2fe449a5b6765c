// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The bank report of a folder, read by the desktop programs' own sources,
// for the browser build's tests to compare the module with:
//   soruberia-bank-report <basePath>
#include <iostream>

#include "appcore/FolderExplanation.h"
#include "engine/FolderBank.h"
#include "web/BankReport.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: soruberia-bank-report <folder that holds 問題>\n";
        return 2;
    }
    soruberia::engine::FolderBank bank(argv[1]);
    soruberia::appcore::FolderExplanation explanation(argv[1]);
    std::cout << soruberia::web::BankReport(bank, explanation) << '\n';
    return 0;
}
