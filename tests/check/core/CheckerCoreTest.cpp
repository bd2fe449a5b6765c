// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The checker's core over fake services: what it asks the platform and how
// it words the answers.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "check/core/ContentCheck.h"
#include "content/ContentFile.h"
#include "content/ContentPaths.h"
#include "tests/check/core/CoreFixture.h"

namespace soruberia::check {
namespace {

using test::ContentCopy;
using test::FakeLabel;
using test::FakePictures;
using test::FakeSounds;

struct Services {
    FakeLabel label;
    FakePictures pictures;
    FakeSounds sounds;
    std::vector<Finding> Check(const ContentCopy& content) {
        return CheckContent(content.Base(), {label, pictures, sounds});
    }
};

// The report line below the copy, as the program prints it.
std::vector<std::string> Lines(const std::vector<Finding>& findings, const ContentCopy& content) {
    std::vector<std::string> lines;
    const std::string base = DisplayPath(content.Base()) + std::string(1, NativePath("\\").string()[0]);
    for (const Finding& finding : findings) {
        std::string line = FormatFinding(finding);
        if (line.rfind(base, 0) == 0) line.erase(0, base.size());
        std::replace(line.begin(), line.end(), '\\', '/');
        lines.push_back(line);
    }
    return lines;
}

TEST(CheckerCore, DefaultContentAsksForEveryFileAndFindsNothing) {
    const ContentCopy content;
    Services services;
    EXPECT_TRUE(services.Check(content).empty());
    EXPECT_EQ(services.label.measured.size(), 26u);
    EXPECT_EQ(services.label.measured.front(), "希塩酸を加えると白色沈殿を生じるイオンは？");
    EXPECT_EQ(services.pictures.asked.size(), 26u);
    EXPECT_EQ(services.sounds.asked,
              (std::vector<std::string>{"o.wav", "x.wav", "pan.wav", "dame.wav", "gokaku.wav"}));
}

// Each answer of the services, and the report line it becomes.
TEST(CheckerCore, ServicesAnswersBecomeReportLines) {
    const struct {
        const char* name;
        void (*arrange)(Services&);
        std::vector<std::string> expected;
    } cases[] = {
        {"a text cut off at the label's lower edge",
         [](Services& s) { s.label.cutPrefix = "希塩酸を"; },
         {"問題/mondai.txt:1: エラー: 問題 1 の文が切れています: 3 行、高さ 60 px に折り返されますが、"
          "問題の欄に出るのは 49 px（2 行）です。生徒には「酸を加えると白色沈殿を生じるイオンは？」が見えません。文を短くしてください"}},
        {"a cut of 25 characters shown by its first 24",
         [](Services& s) { s.label.cutPrefix = "少量のNH3"; },
         {"問題/mondai.txt:2: エラー: 問題 2 の文が切れています: 3 行、高さ 60 px に折り返されますが、"
          "問題の欄に出るのは 49 px（2 行）です。生徒には「のNH3水で沈殿し、過剰に加えると溶けるイオンは…」が見えません。"
          "文を短くしてください"}},
        {"the font's note first, once; a cut of 24 characters shown whole",
         [](Services& s) {
             s.label.note = "別のフォントで測っています";
             s.label.cutPrefix = "クロム酸カリウム水溶液で赤";
         },
         {"問題/mondai.txt: 注: 別のフォントで測っています",
          "問題/mondai.txt:3: エラー: 問題 3 の文が切れています: 3 行、高さ 60 px に折り返されますが、"
          "問題の欄に出るのは 49 px（2 行）です。生徒には「ム酸カリウム水溶液で赤褐色沈殿を生じるイオンは？」が見えません。"
          "文を短くしてください"}},
        {"a picture the game cannot decode",
         [](Services& s) { s.pictures.answers["batu.gif"] = MediaFault{"壊れています"}; },
         {"図/batu.gif: エラー: 画像を読み込めません (壊れています)。ゲームはこの画像が要る場面で止まります"}},
        {"an ion picture wider than its button",
         [](Services& s) { s.pictures.answers["ion(3).gif"] = PictureSize{103, 61}; },
         {"図/ion(3).gif: 警告: 画像が 103 x 61 px で、イオンボタン (102 x 61 px) より大きいため、ゲームでは真ん中の 102 x 61 px だけが見えます"}},
        {"a mark of any size",
         [](Services& s) { s.pictures.answers["maru.gif"] = PictureSize{145, 145}; }, {}},
        {"a sound the channel cannot play",
         [](Services& s) { s.sounds.answers["pan.wav"] = MediaFault{"WAV ファイルではありません"}; },
         {"音/pan.wav: 警告: 音を鳴らせません (WAV ファイルではありません)。ゲームはこの音を鳴らさずに続きます"}},
        {"a sound cut short",
         [](Services& s) { s.sounds.answers["o.wav"] = SoundShape{100, 400, 2, 8000}; },
         {"音/o.wav: 警告: 音のデータが途中で終わっています: 400 フレームのうち 100 フレームしか読めないため、"
          "音が途中で切れます"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ContentCopy content;
        Services services;
        c.arrange(services);
        EXPECT_EQ(Lines(services.Check(content), content), c.expected);
    }
}

TEST(CheckerCore, MissingFilesAreNotHandedToTheServices) {
    const ContentCopy content;
    std::filesystem::remove(content.File("図/maru.gif"));
    std::filesystem::remove(content.File("音/x.wav"));
    std::filesystem::remove_all(content.File("問題"));
    Services services;
    const std::vector<std::string> lines = Lines(services.Check(content), content);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("問題: エラー: フォルダがありません", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind("図/maru.gif: エラー: ファイルがありません (正解の印の画像)", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2].rfind("音/x.wav: 警告: ファイルがありません (不正解の音)", 0), 0u) << lines[2];
    EXPECT_TRUE(services.label.measured.empty());
    EXPECT_EQ(std::count(services.pictures.asked.begin(), services.pictures.asked.end(), "maru.gif"), 0);
    EXPECT_EQ(services.pictures.asked.size(), 25u);
    EXPECT_EQ(services.sounds.asked, (std::vector<std::string>{"o.wav", "pan.wav", "dame.wav", "gokaku.wav"}));
}

}  // namespace
}  // namespace soruberia::check
