// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "content/ContentPaths.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/TestFolder.h"

namespace soruberia {
namespace {

std::string U8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

struct BaseCase {
    const char* folder;
    const char* base;
};

TEST(DeriveBasePath, RemovesAtMostOneTrailingSeparator) {
    const std::vector<BaseCase> cases = {
#ifdef _WIN32
        {"C:\\Games\\soruberia", "C:\\Games\\soruberia"},
        {"C:\\", "C:"},
        {"D:\\x\\", "D:\\x"},
        {"C:\\\\", "C:\\"},
        {"C:/", "C:/"},
#else
        {"/home/player/soruberia", "/home/player/soruberia"},
        {"/", ""},
        {"/opt/game/", "/opt/game"},
        {"/opt//", "/opt/"},
        {"C:\\", "C:\\"},  // a backslash is no separator here
#endif
        {"", ""},
    };
    for (const BaseCase& c : cases) {
        EXPECT_EQ(DeriveBasePath(c.folder), c.base) << "folder \"" << c.folder << "\"";
    }
}

TEST(FullPath, RootFolderGivesOneSeparator) {
#ifdef _WIN32
    const std::string full = FullPath(DeriveBasePath("C:\\"), paths::kQuestionTexts);
    EXPECT_EQ(full, "C:\\問題\\mondai.txt");
    EXPECT_EQ(U8(NativePath(full)), "C:\\問題\\mondai.txt");
#else
    const std::string full = FullPath(DeriveBasePath("/"), paths::kQuestionTexts);
    EXPECT_EQ(full, "\\問題\\mondai.txt");
    EXPECT_EQ(U8(NativePath(full)), "/問題/mondai.txt");
#endif
}

TEST(FullPath, OrdinaryFolderNamesTheAnswerKey) {
    const std::string full = FullPath("/opt/game", paths::kAnswerKey);
    EXPECT_EQ(full, "/opt/game\\問題\\kotae.txt");
#ifndef _WIN32
    EXPECT_EQ(U8(NativePath(full)), "/opt/game/問題/kotae.txt");
    EXPECT_EQ(U8(NativePath(full).filename()), "kotae.txt");
#endif
}

TEST(IonPictureName, PlainDecimalWithoutPadding) {
    EXPECT_EQ(IonPictureName(1, false), "\\図\\ion(1).gif");
    EXPECT_EQ(IonPictureName(9, false), "\\図\\ion(9).gif");
    EXPECT_EQ(IonPictureName(10, false), "\\図\\ion(10).gif");
    EXPECT_EQ(IonPictureName(12, false), "\\図\\ion(12).gif");
    EXPECT_EQ(IonPictureName(1, true), "\\図\\ion'(1).gif");
    EXPECT_EQ(IonPictureName(12, true), "\\図\\ion'(12).gif");
#ifndef _WIN32
    EXPECT_EQ(U8(NativePath(FullPath("/g", IonPictureName(3, true)))), "/g/図/ion'(3).gif");
#endif
}

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
// Started through a link in another folder, the program still finds the
// folder its own file lies in.
TEST(ExecutableFolder, FollowsALinkToTheExecutable) {
    const std::filesystem::path probe = std::filesystem::canonical(EXE_FOLDER_PROBE);
    const test::TestFolder folder;
    const std::filesystem::path link = folder.Root() / "linked-probe";
    std::filesystem::create_symlink(probe, link);

    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(("'" + link.string() + "'").c_str(), "r"),
                                                     &pclose);
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe.get()) != nullptr) {
        output += buffer;
    }
    EXPECT_EQ(output, probe.parent_path().string());
}
#endif

}  // namespace
}  // namespace soruberia
