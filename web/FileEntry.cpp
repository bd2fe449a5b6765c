// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The entries by which a page hands its files to either module (the game's
// and the checker's), and the one rule for the folder ?bank= asks for.
// Strings are UTF-8; a returned one lives until the next call.
#include <cstddef>
#include <new>
#include <string>

#include "content/BankFolderQuery.h"
#include "web/EntryState.h"
#include "web/Json.h"

using soruberia::web::Files;
using soruberia::web::Returned;

extern "C" {

// The most bytes the page may read of the file at a path relative to the
// page; a larger one it hands in with soruberia_put_too_large, unread.
double soruberia_file_limit(const char* pagePath) {
    return static_cast<double>(soruberia::web::PageFileLimit(pagePath));
}

// A file the page fetched or the teacher picked, by its path relative to
// the page; the bytes are copied. 0 when there was no memory for the copy:
// the file is then not there.
int soruberia_put_file(const char* pagePath, const char* bytes, std::size_t size) {
    try {
        Files().Put(pagePath, std::string(bytes, size));
        return 1;
    } catch (const std::bad_alloc&) {
        Files().Drop(pagePath);
        return 0;
    }
}

// A file the page measured as larger than soruberia_file_limit: the
// readers refuse it as too large, as they would its bytes.
void soruberia_put_too_large(const char* pagePath) { Files().PutTooLarge(pagePath); }

// Lets go of a file handed in, or of every one below a folder, relative to
// the page.
void soruberia_drop_files(const char* folder) { Files().Drop(folder); }

// The folder, relative to the page, whose mondai.txt, kotae.txt and
// setumei.txt stand in for those of 問題.
void soruberia_set_bank_folder(const char* folder) { Files().SetBankFolder(folder); }

// What the page's query (location.search) asks of ?bank=: {"kind":"none"},
// {"kind":"refused"}, or {"kind":"folder","name":"a/b"}.
const char* soruberia_bank_query(const char* search) {
    const soruberia::BankFolderQuery query = soruberia::ReadBankFolderQuery(search);
    switch (query.kind) {
        case soruberia::BankFolderQuery::Kind::kNone: return Returned(R"({"kind":"none"})");
        case soruberia::BankFolderQuery::Kind::kRefused: return Returned(R"({"kind":"refused"})");
        case soruberia::BankFolderQuery::Kind::kFolder: break;
    }
    return Returned(R"({"kind":"folder","name":)" + soruberia::web::JsonString(query.Name()) + "}");
}

}  // extern "C"
