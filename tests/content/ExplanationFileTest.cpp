// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "content/ExplanationFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/TestFolder.h"

namespace soruberia {
namespace {

using test::FatalMessage;
using test::Sjis;
using test::TestFolder;

struct LineCase {
    const char* name;
    std::string bytes;
    std::string expected;  // UTF-8
};

TEST(ReadExplanationLine, FirstLineOnly) {
    const std::vector<LineCase> cases = {
        {"commas, quotes and blanks kept", Sjis(" \"説明\", a,b \t\r\n二行目"), " \"説明\", a,b \t"},
        {"only the first of several lines", Sjis("一行目\r\n二行目\r\n三行目\r\n"), "一行目"},
        {"begins with a line end", Sjis("\r\nあ"), ""},
        {"no line end at all", Sjis("全部で一行"), "全部で一行"},
        {"lone LF ends the line", Sjis("上\n下"), "上"},
        {"lone CR ends the line", Sjis("上\r下"), "上"},
        {"Windows-only character", Sjis("①から⑫まで"), "①から⑫まで"},
        {"later lines never decoded", "ok\r\n\x80\xFF", "ok"},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TestFolder folder;
        folder.Write("setumei.txt", c.bytes);
        EXPECT_EQ(ReadExplanationLine(folder.Base()), c.expected);
    }
}

TEST(ReadExplanationLine, FailuresAreFatalAndNamed) {
    const TestFolder folder;
    const std::string path = folder.TextPath("setumei.txt");
    const auto read = [&] { ReadExplanationLine(folder.Base()); };

    EXPECT_NE(FatalMessage(read).find(path + ": file not found"), std::string::npos);

    folder.Write("setumei.txt", "");
    EXPECT_NE(FatalMessage(read).find(path + ": the file is empty"), std::string::npos);

    folder.Write("setumei.txt", Sjis("説明") + "\x80");
    const std::string message = FatalMessage(read);
    EXPECT_NE(message.find(path + ": line 1"), std::string::npos) << message;
    EXPECT_NE(message.find("0x80"), std::string::npos) << message;

    std::filesystem::remove_all(folder.Texts());
    EXPECT_NE(FatalMessage(read).find("does not exist"), std::string::npos);
}

}  // namespace
}  // namespace soruberia
