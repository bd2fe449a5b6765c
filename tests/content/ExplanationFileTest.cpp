// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "content/ExplanationFile.h"

#include "content/ContentFile.h"
#include "content/ContentPaths.h"

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
        EXPECT_EQ(ParseExplanationLine({"問題/setumei.txt", c.bytes}), c.expected);
    }
}

TEST(ReadExplanationLine, FailuresAreFatalAndNamed) {
    const TestFolder folder;
    const std::string path = folder.TextPath("setumei.txt");
    const auto read = [&] { ReadExplanationLine(folder.Base()); };

    EXPECT_EQ(FatalMessage(read).rfind(path + ": エラー: ファイルがありません", 0), 0u);

    folder.Write("setumei.txt", "");
    EXPECT_EQ(FatalMessage(read).rfind(path + ": エラー: ファイルが空です", 0), 0u);

    folder.Write("setumei.txt", Sjis("説明") + "\x80");
    EXPECT_EQ(FatalMessage(read).rfind(path + ":1: エラー: Shift-JIS（コードページ 932）として読めないバイトがあります: "
                                              "行の 5 バイト目の 0x80", 0),
              0u);

    std::filesystem::remove_all(folder.Texts());
    EXPECT_NE(FatalMessage(read).find("（フォルダ " + DisplayPath(FullPath(folder.Base(), "\\問題")) + " がありません）"), std::string::npos);
}

}  // namespace
}  // namespace soruberia
