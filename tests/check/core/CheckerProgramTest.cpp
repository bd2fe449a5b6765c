// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The checker's command line, report and exit status, shared by every
// platform's program, with the content check replaced.

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "check/core/CheckerProgram.h"
#include "content/ContentFile.h"
#include "content/ContentPaths.h"
#include "tests/check/core/CoreFixture.h"

namespace soruberia::check {
namespace {

using Kind = Invocation::Kind;

TEST(CheckerArguments, ReadAsTheUsageSays) {
    const struct {
        std::vector<std::string> arguments;
        Kind kind;
        std::string folder;
        std::string problem;
    } cases[] = {
        {{}, Kind::kCheck, "", ""},
        {{"C:\\ソルベリア"}, Kind::kCheck, "C:\\ソルベリア", ""},
        {{"-h"}, Kind::kHelp, "", ""},
        {{"--help"}, Kind::kHelp, "", ""},
        {{"-help"}, Kind::kHelp, "", ""},
        {{"folder", "--version"}, Kind::kVersion, "", ""},
        {{"-v"}, Kind::kVersion, "", ""},
        {{"--help", "--version"}, Kind::kHelp, "", ""},
        {{"--", "-h"}, Kind::kCheck, "-h", ""},
        {{"-"}, Kind::kCheck, "-", ""},
        {{"--frobnicate"}, Kind::kBadUsage, "", "不明なオプション「--frobnicate」です"},
        {{"-x", "--help"}, Kind::kBadUsage, "", "不明なオプション「-x」です"},
        {{"a", "b"}, Kind::kBadUsage, "", "フォルダは一つまでですが、2 個与えられました"},
        {{"--link", "https://s.example/x/", "a"}, Kind::kCheck, "a", ""},
        {{"a", "--link=http://s.example/"}, Kind::kCheck, "a", ""},
        {{"--link"}, Kind::kBadUsage, "", "--link にはゲームのページのアドレスが要ります"},
        {{"--link", "a"}, Kind::kBadUsage, "",
         "「a」はページのアドレスではありません (https:// か http:// で始めてください)"},
        {{"--", "--link"}, Kind::kCheck, "--link", ""},
    };
    for (const auto& c : cases) {
        std::string shown;
        for (const std::string& argument : c.arguments) shown += argument + " ";
        SCOPED_TRACE(shown);
        const Invocation invocation = ParseArguments(c.arguments);
        EXPECT_EQ(invocation.kind, c.kind);
        EXPECT_EQ(invocation.folder, c.folder);
        EXPECT_EQ(invocation.problem, c.problem);
    }
}

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
    std::vector<std::string> checked;
};

Outcome RunWith(const std::vector<std::string>& arguments, const std::vector<Finding>& findings,
            bool throws = false) {
    Outcome run;
    std::ostringstream out;
    std::ostringstream err;
    run.status = RunChecker(
        arguments,
        [&](const std::string& basePath) {
            run.checked.push_back(basePath);
            if (throws) throw std::runtime_error("out of memory");
            return findings;
        },
        out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

TEST(CheckerProgramCore, ReportAndExitStatus) {
    const test::ContentCopy content;
    const std::string base = content.Base();
    const std::string where = DisplayPath(base);
    const std::string file = DisplayPath(FullPath(base, "\\問題\\kotae.txt"));
    const struct {
        const char* name;
        std::vector<Finding> findings;
        int status;
        std::string out;
    } cases[] = {
        {"nothing found", {}, 0, "soruberia-check: " + where + ": 問題点は見つかりませんでした\n"},
        {"a note alone", {{Severity::kNote, file, 0, "注意"}}, 0,
         file + ": 注: 注意\nsoruberia-check: " + where + ": 問題点は見つかりませんでした\n"},
        {"a warning", {{Severity::kWarning, file, 5, "少ない"}}, 0,
         file + ":5: 警告: 少ない\nsoruberia-check: " + where + ": エラー 0 件、警告 1 件\n"},
        {"errors and a warning",
         {{Severity::kError, file, 3, "一"}, {Severity::kWarning, file, 4, "二"}, {Severity::kError, file, 0, "三"}}, 1,
         file + ":3: エラー: 一\n" + file + ":4: 警告: 二\n" + file + ": エラー: 三\nsoruberia-check: " + where +
             ": エラー 2 件、警告 1 件\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome run = RunWith({base}, c.findings);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.checked, std::vector<std::string>{base});
    }
}

TEST(CheckerProgramCore, UsageProblemsExitWithTwoWithoutChecking) {
    const test::ContentCopy content;
    const std::string missing = content.Base() + "/no-such-folder";
    const std::string file = DisplayPath(FullPath(content.Base(), "\\問題\\kotae.txt"));
    const struct {
        std::vector<std::string> arguments;
        std::string message;
    } cases[] = {
        {{"--frobnicate"}, "soruberia-check: 不明なオプション「--frobnicate」です\n"},
        {{content.Base(), content.Base()}, "soruberia-check: フォルダは一つまでですが、2 個与えられました\n"},
        {{missing}, "soruberia-check: " + missing + ": そのようなフォルダはありません\n"},
        {{file}, "soruberia-check: " + file + ": そのようなフォルダはありません\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const Outcome run = RunWith(c.arguments, {});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, c.message + "詳しくは 'soruberia-check --help' を見てください。\n");
        EXPECT_TRUE(run.checked.empty());
    }
}

TEST(CheckerProgramCore, HelpVersionAndAFailedCheck) {
    const Outcome help = RunWith({"--help"}, {});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("使い方: soruberia-check [--link アドレス] [フォルダ]\n", 0), 0u) << help.out;
    EXPECT_TRUE(help.checked.empty());
    const Outcome version = RunWith({"-v"}, {});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "soruberia-check 1.00\n");

    const test::ContentCopy content;
    const Outcome failed = RunWith({content.Base()}, {}, true);
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out, "");
    EXPECT_EQ(failed.err, "soruberia-check: 調べる途中で失敗しました: out of memory\n");
}

}  // namespace
}  // namespace soruberia::check
