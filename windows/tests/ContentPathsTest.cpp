// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The Windows side of the resource locations: the drive root, backslashes
// kept as they are, and UTF-8 paths opened as Unicode.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "content/ContentPaths.h"
#include "windows/tests/TempFolder.h"

namespace soruberia {
namespace {

TEST(ContentPathsWin32, BasePathFromTheProgramsFolder) {
    struct Case {
        const char* folder;
        const char* basePath;
    };
    const Case cases[] = {
        {"C:\\", "C:"},  // the root of a drive loses its one backslash
        {"C:\\ソルベリア", "C:\\ソルベリア"},
        {"D:\\授業\\化学\\", "D:\\授業\\化学"},
        {"\\\\server\\share\\soruberia", "\\\\server\\share\\soruberia"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        EXPECT_EQ(DeriveBasePath(c.folder), c.basePath);
    }
    EXPECT_EQ(FullPath(DeriveBasePath("C:\\"), paths::kAnswerKey), "C:\\問題\\kotae.txt");
}

TEST(ContentPathsWin32, NativePathIsTheSameTextInUtf16) {
    EXPECT_EQ(NativePath("C:\\ソルベリア\\問題\\mondai.txt").wstring(),
              L"C:\\ソルベリア\\問題\\mondai.txt");
    EXPECT_EQ(NativePath(std::string("C:") + std::string(paths::kSoundPass)).wstring(),
              L"C:\\音\\gokaku.wav");
}

TEST(ContentPathsWin32, ExecutableFolderHoldsThisProgram) {
    const std::string folder = ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '\\');
    EXPECT_TRUE(std::filesystem::exists(NativePath(folder + "\\windows_platform_tests.exe")))
        << folder;
}

TEST(ContentPathsWin32, FilesBelowJapaneseFoldersOpenThroughTheirUtf8Path) {
    windows::test::TempFolder folder;
    folder.Write("\\問題\\setumei.txt", "abc");
    std::ifstream in(NativePath(folder.Full("\\問題\\setumei.txt")), std::ios::binary);
    std::string text;
    in >> text;
    EXPECT_EQ(text, "abc");
    EXPECT_NE(folder.Base().find("ソルベリア試験"), std::string::npos);
}

}  // namespace
}  // namespace soruberia
