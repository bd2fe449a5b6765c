// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The game and its checker give one verdict on a hostile picture or sound
// (tests/media, shared by every front-end's tests), on each desktop: the Qt
// program beside soruberia-check, the Windows program beside
// soruberia-check.exe under Wine. A picture the checker calls an error ends
// the game's start with a message naming the file, for the same reason; a
// sound it says will not be played is reported by the game, which plays on.
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <fstream>
#include <ostream>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>

#include "tests/e2e/FrontEnd.h"
#include "tests/e2e/Play.h"
#include "tests/e2e/Session.h"
#include "tests/support/ChildProcess.h"

namespace soruberia::e2e {
namespace {

std::string Hostile(const char* name) {
    std::ifstream in(std::string(SORUBERIA_SOURCE_DIR "/tests/media/") + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

QString CheckerOf(FrontEnd front) {
    return QString::fromUtf8(front == FrontEnd::Qt ? SORUBERIA_CHECKER : SORUBERIA_WINDOWS_CHECKER);
}

// The checker's report on the program's folder: what it says of `relative`
// ("エラー: …"), or nothing.
std::optional<QString> CheckerSays(Session& session, const QString& relative) {
    QProcess checker;
    testsupport::DieWithTest(checker);
    checker.setProcessEnvironment(session.DesktopEnvironment());
    checker.setStandardInputFile(QProcess::nullDevice());
    if (session.Wine() != nullptr) {
        checker.start(QString::fromLatin1(kWine), {CheckerOf(session.Front()), WinePrefix::WindowsPath(session.ProgramFolder())});
    } else {
        checker.start(CheckerOf(session.Front()), {session.ProgramFolder()});
    }
    EXPECT_TRUE(checker.waitForFinished(120000)) << "the checker did not finish";
    const QString head = session.ShownPath(relative) + QStringLiteral(": ");
    for (const QString& line : QString::fromUtf8(checker.readAllStandardOutput()).remove(QLatin1Char('\r')).split(QLatin1Char('\n'))) {
        if (line.startsWith(head)) return line.mid(head.size());
    }
    return std::nullopt;
}

// The game's line on stderr that begins with `head`, without "ソルベリア: ".
std::optional<QString> GameSaid(Session& session, const QString& head) {
    const QString prefix = QStringLiteral("ソルベリア: ");
    for (const QString& line : session.Errors().remove(QLatin1Char('\r')).split(QLatin1Char('\n'))) {
        if (line.startsWith(prefix + head)) return line.mid(prefix.size());
    }
    return std::nullopt;
}

struct PictureCase {
    const char* name;
    const char* fixture;
    const char* file;    // below the program's folder
    const char* reason;  // the content rule's, the same on every front-end
};

void PrintTo(const PictureCase& c, std::ostream* out) { *out << c.name; }

const PictureCase kPictures[] = {
    {"LyingAboutItsSize", "lying.gif", "図/ion(1).gif",
     "画像が大きすぎます: 20000 x 20000 px です。幅も高さも 1024 px までにしてください"},
    {"CutInItsImageData", "cut.gif", "図/ion(2).gif", "画像のデータが壊れています"},
};

class MediaPictureTest : public ::testing::TestWithParam<std::tuple<PictureCase, FrontEnd>> {};

TEST_P(MediaPictureTest, RefusedByTheGameAtItsStartAndByTheChecker) {
    const auto& [c, front] = GetParam();
    if (const std::string missing = MissingFor(front); !missing.empty()) GTEST_SKIP() << missing;
    if (!QFile::exists(CheckerOf(front))) GTEST_SKIP() << CheckerOf(front).toStdString() << " is not built";
    Session session(front);
    const QString file = QString::fromUtf8(c.file);
    session.WriteFile(file, Hostile(c.fixture));
    const QString reason = QString::fromUtf8(c.reason);

    EXPECT_EQ(CheckerSays(session, file).value_or(QString()).toStdString(),
              (QStringLiteral("エラー: 画像を読み込めません (") + reason +
               QStringLiteral(")。ゲームはこの画像が要る場面で止まります")).toStdString());

    const std::optional<MenuView> menu = StartAtMenu(session);
    ASSERT_TRUE(menu);
    ASSERT_TRUE(WaitUntil([&] { return menu->ShowsStart(); })) << "no start button";
    menu->Press("Command3");
    const QString head = QStringLiteral("画像を読み込めません: ");
    std::optional<QString> said;
    ASSERT_TRUE(WaitUntil([&] { return (said = GameSaid(session, head)).has_value(); }))
        << "no message: " << session.Errors().toStdString();
    EXPECT_EQ(said->toStdString(), (head + session.ShownPath(file) + QStringLiteral(" (") + reason + QLatin1Char(')')).toStdString());
    // The message box, and the program ends once it is dismissed.
    XServer& x = session.X();
    std::optional<TopWindow> box;
    ASSERT_TRUE(WaitUntil([&] {
        for (const TopWindow& window : x.Windows())
            if (window.dialog) box = window;
        return box.has_value();
    })) << "no message box: " << Shown(x);
    x.Key(Centre(box->area), QStringLiteral("Return"));
    const std::optional<int> status = session.WaitForExit();
    ASSERT_TRUE(status) << "the program did not end after its message";
    EXPECT_NE(*status, 0);
}

INSTANTIATE_TEST_SUITE_P(Hostile, MediaPictureTest,
                         ::testing::Combine(::testing::ValuesIn(kPictures),
                                            ::testing::Values(FrontEnd::Qt, FrontEnd::Wine)),
                         [](const ::testing::TestParamInfo<MediaPictureTest::ParamType>& param) {
                             return std::string(std::get<0>(param.param).name) + "_" +
                                    NameOf(std::get<1>(param.param));
                         });

class MediaSoundTest : public ::testing::TestWithParam<FrontEnd> {};

// A real MP3 named o.wav (the right press's sound) and a WAV header with no
// data as x.wav (the wrong press's): the checker warns of both, the game
// reports both when it would play them and plays on.
TEST_P(MediaSoundTest, NeitherPlayedByTheGameAndBothWarnedOfByTheChecker) {
    const FrontEnd front = GetParam();
    if (const std::string missing = MissingFor(front); !missing.empty()) GTEST_SKIP() << missing;
    if (!QFile::exists(CheckerOf(front))) GTEST_SKIP() << CheckerOf(front).toStdString() << " is not built";
    Session session(front);
    const QString mp3 = QStringLiteral("音/o.wav");
    const QString empty = QStringLiteral("音/x.wav");
    session.WriteFile(mp3, Hostile("mp3.wav"));
    session.WriteFile(empty, Hostile("header-only.wav"));
    const QString skipped = QStringLiteral("。ゲームはこの音を鳴らさずに続きます");

    EXPECT_EQ(CheckerSays(session, mp3).value_or(QString()).toStdString(),
              (QStringLiteral("警告: WAV ファイルではありません（MP3 など別の形式のファイルは、名前を .wav にしても "
                              "WAV にはなりません。WAV 形式で書き出してください）") + skipped).toStdString());
    const QString emptySays = CheckerSays(session, empty).value_or(QString());

    const std::optional<MenuView> menu = StartAtMenu(session);
    ASSERT_TRUE(menu);
    const std::optional<GameView> game = StartGame(session, *menu);
    ASSERT_TRUE(game);
    game->ClickIon(1);
    const QString head = QStringLiteral("音を鳴らせません: ");
    ASSERT_TRUE(WaitUntil([&] { return GameSaid(session, head + session.ShownPath(mp3) + QStringLiteral(" (")).has_value(); }))
        << "the MP3 is not reported: " << session.Errors().toStdString();
    game->ClickIon(kWrongIon);
    std::optional<QString> said;
    ASSERT_TRUE(WaitUntil([&] {
        return (said = GameSaid(session, head + session.ShownPath(empty) + QStringLiteral(" ("))).has_value();
    })) << "the empty WAV is not reported: " << session.Errors().toStdString();
    // The same reason from the game and the checker.
    const QString reason = said->mid(said->indexOf(QStringLiteral(" (")) + 2).chopped(1);
    EXPECT_EQ(emptySays.toStdString(),
              (QStringLiteral("警告: 音を鳴らせません (") + reason + QLatin1Char(')') + skipped).toStdString());
    EXPECT_TRUE(session.Running()) << "the game ended: " << session.Errors().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Hostile, MediaSoundTest, ::testing::Values(FrontEnd::Qt, FrontEnd::Wine),
                         [](const ::testing::TestParamInfo<FrontEnd>& param) { return NameOf(param.param); });

}  // namespace
}  // namespace soruberia::e2e
