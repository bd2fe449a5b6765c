// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "content/BankFolderQuery.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace soruberia {
namespace {

struct QueryCase {
    std::string query, verdict, name, address;
};

// bank-folder-queries.tsv: query, verdict, name, address by tabs.
std::vector<QueryCase> Cases() {
    std::ifstream file(BANK_FOLDER_QUERIES, std::ios::binary);
    std::vector<QueryCase> cases;
    for (std::string line; std::getline(file, line);) {
        if (line.starts_with('#')) continue;
        std::vector<std::string> fields(1);
        for (const char c : line) {
            if (c == '\t') {
                fields.emplace_back();
            } else {
                fields.back() += c;
            }
        }
        fields.resize(4);
        cases.push_back({fields[0], fields[1], fields[2], fields[3]});
    }
    return cases;
}

const char* VerdictOf(BankFolderQuery::Kind kind) {
    switch (kind) {
        case BankFolderQuery::Kind::kNone: return "none";
        case BankFolderQuery::Kind::kFolder: return "folder";
        case BankFolderQuery::Kind::kRefused: return "refused";
    }
    return "?";
}

TEST(BankFolderQuery, KeepsEveryValueBelowThePagesFolder) {
    const std::vector<QueryCase> cases = Cases();
    ASSERT_FALSE(cases.empty()) << "the table was not read: " << BANK_FOLDER_QUERIES;
    for (const QueryCase& c : cases) {
        SCOPED_TRACE(c.query);
        const BankFolderQuery read = ReadBankFolderQuery(c.query);
        EXPECT_STREQ(VerdictOf(read.kind), c.verdict.c_str());
        if (read.kind == BankFolderQuery::Kind::kFolder) {
            EXPECT_EQ(read.Name(), c.name);
        } else {
            EXPECT_TRUE(read.segments.empty());
        }
    }
}

}  // namespace
}  // namespace soruberia
