// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// Broken content as the player meets it: a message box that names the file,
// and then the program ends with a failure status.
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <ostream>

#include <optional>
#include <string>
#include <string_view>
#include <tuple>

#include "tests/e2e/FrontEnd.h"
#include "tests/e2e/Play.h"
#include "tests/e2e/Screens.h"
#include "tests/e2e/Session.h"
#include "tests/e2e/XServer.h"
#include "tests/support/ChildProcess.h"

namespace soruberia::e2e {
namespace {

// When the program meets the broken file.
enum class When {
    AtStart,        // reading the explanation, before any window
    AtGameStart,    // the menu's start button reads the bank and the ion pictures
    AtRightAnswer,  // a press on ion 1
    AtWrongAnswer,  // a press on the wrong ion
};

// How the player dismisses the message box.
enum class Dismiss { EnterKey, CloseBox };

struct FatalCase {
    const char* name;
    void (*spoil)(const Session&);
    const char* namedFile;  // below the program's folder
    const char* says;       // in Japanese, right after the file's name for a content file
    When when;
    Dismiss dismiss;
};

void PrintTo(const FatalCase& c, std::ostream* out) { *out << c.name; }

std::string Bank(int questions, const std::string& first = {}) {
    std::string key = first;
    for (int q = first.empty() ? 1 : 2; q <= questions; ++q) key += "1,1\r\n";
    return key;
}

std::string Texts(int questions, const std::string& first = {}) {
    std::string texts = first;
    for (int q = first.empty() ? 1 : 2; q <= questions; ++q) texts += ToShiftJis(QStringLiteral("問%1").arg(q)) + "\r\n";
    return texts;
}

const FatalCase kCases[] = {
    {"NoQuestionFolder", [](const Session& s) { s.Remove(QStringLiteral("問題")); },
     "問題/setumei.txt",
     ": エラー: ファイルがありません（フォルダ ", When::AtStart, Dismiss::EnterKey},
    {"NoExplanationFile", [](const Session& s) { s.Remove(QStringLiteral("問題/setumei.txt")); },
     "問題/setumei.txt",
     ": エラー: ファイルがありません", When::AtStart, Dismiss::CloseBox},
    {"EmptyExplanationFile", [](const Session& s) { s.WriteFile(QStringLiteral("問題/setumei.txt"), ""); },
     "問題/setumei.txt",
     ": エラー: ファイルが空です。最初の行がメニューの説明になります", When::AtStart, Dismiss::EnterKey},
    {"ExplanationNotShiftJis",
     [](const Session& s) { s.WriteFile(QStringLiteral("問題/setumei.txt"), "\xff\xfe\r\n"); },
     "問題/setumei.txt",
     ":1: エラー: Shift-JIS（コードページ 932）として読めないバイトがあります: 行の 1 バイト目の 0xFF", When::AtStart, Dismiss::EnterKey},
    {"NoQuestionTexts", [](const Session& s) { s.Remove(QStringLiteral("問題/mondai.txt")); },
     "問題/mondai.txt",
     ": エラー: ファイルがありません", When::AtGameStart, Dismiss::EnterKey},
    {"NoAnswerKey", [](const Session& s) { s.Remove(QStringLiteral("問題/kotae.txt")); },
     "問題/kotae.txt",
     ": エラー: ファイルがありません", When::AtGameStart, Dismiss::CloseBox},
    {"QuestionTextsTooShort", [](const Session& s) { s.WriteFile(QStringLiteral("問題/mondai.txt"), Texts(25)); },
     "問題/mondai.txt",
     ":25: エラー: 26 番目の項目（問題 26 の文）: 問題 26 の文を読む前にファイルが終わっています", When::AtGameStart, Dismiss::EnterKey},
    {"AnswerKeyTooShort", [](const Session& s) { s.WriteFile(QStringLiteral("問題/kotae.txt"), Bank(25)); },
     "問題/kotae.txt",
     ":25: エラー: 51 番目の項目（問題 26 の正解の数）: 問題 26 の正解の数を読む前にファイルが終わっています", When::AtGameStart, Dismiss::EnterKey},
    {"CountOf13",
     [](const Session& s) {
         s.WriteFile(QStringLiteral("問題/kotae.txt"), Bank(26, "13,1,2,3,4,5,6,7,8,9,10,11,12,1\r\n"));
     },
     "問題/kotae.txt",
     ":1: エラー: 1 番目の項目（問題 1 の正解の数）: 正解の数 13 が正解の枠の数 12 を超えています", When::AtGameStart, Dismiss::CloseBox},
    {"NumberOutOfRange",
     [](const Session& s) { s.WriteFile(QStringLiteral("問題/kotae.txt"), Bank(26, "1,40000\r\n")); },
     "問題/kotae.txt",
     ":1: エラー: 2 番目の項目（問題 1 の 1 番目の正解）: 数 「40000」 が -32768 から 32767 の範囲の外です", When::AtGameStart, Dismiss::EnterKey},
    {"QuestionTextNotShiftJis",
     [](const Session& s) { s.WriteFile(QStringLiteral("問題/mondai.txt"), Texts(26, "\x82\xff\r\n")); },
     "問題/mondai.txt",
     ":1: エラー: 1 番目の項目（問題 1 の文）: Shift-JIS（コードページ 932）として読めないバイトがあります: 行の 1 バイト目の 0x82 0xFF", When::AtGameStart, Dismiss::EnterKey},
    {"NoPictureFolder", [](const Session& s) { s.Remove(QStringLiteral("図")); },
     "図/ion(1).gif", "画像を読み込めません", When::AtGameStart, Dismiss::EnterKey},
    {"NoPlainPictureOfIon12", [](const Session& s) { s.Remove(QStringLiteral("図/ion(12).gif")); },
     "図/ion(12).gif", "画像を読み込めません", When::AtGameStart, Dismiss::CloseBox},
    {"UndecodablePlainPicture",
     [](const Session& s) { s.WriteFile(QStringLiteral("図/ion(3).gif"), "GIF89a\x01\x02 not a picture"); },
     "図/ion(3).gif", "画像を読み込めません", When::AtGameStart, Dismiss::EnterKey},
    {"NoFoundPicture", [](const Session& s) { s.Remove(QStringLiteral("図/ion'(1).gif")); },
     "図/ion'(1).gif", "画像を読み込めません", When::AtRightAnswer, Dismiss::EnterKey},
    {"UndecodableRightMark",
     [](const Session& s) { s.WriteFile(QStringLiteral("図/maru.gif"), "not a picture"); },
     "図/maru.gif", "画像を読み込めません", When::AtRightAnswer, Dismiss::CloseBox},
    {"NoWrongMark", [](const Session& s) { s.Remove(QStringLiteral("図/batu.gif")); },
     "図/batu.gif", "画像を読み込めません", When::AtWrongAnswer, Dismiss::EnterKey},
};

// The last failure the program wrote to stderr, without its "ソルベリア: ",
// with the lines that follow it.
QString ReportedMessage(const QString& errors) {
    const QString prefix = QStringLiteral("ソルベリア: ");
    QStringList message;
    // The Windows program's stderr ends its lines with CR LF.
    for (const QString& line : QString(errors).remove(QLatin1Char('\r')).split(QLatin1Char('\n'))) {
        if (line.startsWith(prefix))
            message = QStringList{line.mid(prefix.size())};
        else if (!message.isEmpty())
            message << line;
    }
    while (!message.isEmpty() && message.back().isEmpty()) message.removeLast();
    return message.join(QLatin1Char('\n'));
}

// The box on screen against a twin box showing `message`: the same size and
// the same pixels above the button row (where the keyboard focus, which only
// one of them can hold, is drawn). The Windows program's box is read as a
// screen reader reads it.
void ExpectBoxShows(Session& session, const TopWindow& box, const QString& message) {
    if (session.Front() == FrontEnd::Wine) {
        EXPECT_EQ(session.ReadMessageBox(box.title).remove(QLatin1Char('\r')).toStdString(), message.toStdString());
        return;
    }
    XServer& x = session.X();
    QProcess twin;
    testsupport::DieWithTest(twin);
    twin.setProcessEnvironment(session.DesktopEnvironment());
    twin.start(QStringLiteral(SORUBERIA_MESSAGE_BOX_TWIN), {message});
    std::optional<TopWindow> twinBox;
    const bool shown = WaitUntil([&] {
        for (const TopWindow& window : x.Windows())
            if (window.dialog && window.id != box.id && window.area.topLeft() == QPoint(0, 0)) twinBox = window;
        return twinBox.has_value();
    });
    EXPECT_TRUE(shown) << "the twin box did not come";
    if (shown) {
        EXPECT_EQ(twinBox->area.size(), box.area.size()) << "the boxes differ in size: not the same text";
        constexpr int kButtonRow = 50;
        const QSize text(box.area.width(), box.area.height() - kButtonRow);
        bool same = false;
        // The twin may need a moment for its first paint.
        WaitUntil([&] {
            same = x.Grab(QRect(twinBox->area.topLeft(), text)) == x.Grab(QRect(box.area.topLeft(), text));
            return same;
        }, 5s);
        EXPECT_TRUE(same) << "the box does not show: " << message.toStdString();
    }
    twin.kill();
    twin.waitForFinished();
}

class FatalMessageTest : public ::testing::TestWithParam<std::tuple<FatalCase, FrontEnd>> {};

// Brings the program to the point where it meets the broken file.
void PlayUntil(Session& session, When when) {
    XServer& x = session.X();
    if (when == When::AtStart) return;
    std::optional<TopWindow> window;
    ASSERT_TRUE(WaitUntil([&] {
        window = x.Find(QStringLiteral("メニュー"));
        return window && MenuView(x, *window).ShowsStart();
    })) << "no menu: " << session.Errors().toStdString();
    MenuView(x, *window).Press("Command3");
    if (when == When::AtGameStart) return;

    ASSERT_TRUE(WaitUntil([&] {
        window = x.Find(QStringLiteral("ソルベリア"));
        return window && !window->dialog && GameView(x, *window).IonShows(1, kPlainIon);
    })) << "no game: " << session.Errors().toStdString();
    GameView(x, *window).ClickIon(when == When::AtRightAnswer ? 1 : kWrongIon);
}

TEST_P(FatalMessageTest, MessageNamesTheFileAndTheProgramEnds) {
    const auto& [c, front] = GetParam();
    if (const std::string missing = MissingFor(front); !missing.empty()) GTEST_SKIP() << missing;
    Session session(front);
    c.spoil(session);
    XServer& x = session.X();
    session.Start();
    PlayUntil(session, c.when);
    if (HasFatalFailure()) return;

    std::optional<TopWindow> box;
    ASSERT_TRUE(WaitUntil([&] {
        for (const TopWindow& window : x.Windows())
            if (window.dialog) box = window;
        return box.has_value();
    })) << "no message box; windows: " << x.Titles().join(QLatin1Char(',')).toStdString()
        << "; errors: " << session.Errors().toStdString();
    EXPECT_EQ(box->title, QStringLiteral("ソルベリア"));
    // Before the game window is up, the box is alone: the menu is gone
    // (or was never shown). Later the game window stays behind it.
    QStringList expected{QStringLiteral("ソルベリア")};
    if (c.when == When::AtRightAnswer || c.when == When::AtWrongAnswer) expected << QStringLiteral("ソルベリア");
    EXPECT_EQ(x.Titles(), expected);

    // The program reports the failure on stderr too. A twin box with that
    // text, drawn by the same Qt on the same screen, looks exactly like the
    // program's box only if the program's box shows that text.
    QString message;
    ASSERT_TRUE(WaitUntil([&] {
        message = ReportedMessage(session.Errors());
        return !message.isEmpty();
    })) << "no failure on stderr: " << session.Errors().toStdString();
    ExpectBoxShows(session, *box, message);
    const QString file = session.ShownPath(QString::fromUtf8(c.namedFile));
    EXPECT_TRUE(message.contains(file))
        << "the message does not name " << file.toStdString() << ":\n" << message.toStdString();
    const QString says = QString::fromUtf8(c.says);
    const bool contentFile = std::string_view(c.namedFile).starts_with("問題/");
    EXPECT_TRUE(message.contains(contentFile ? file + says : says))
        << "the message does not say " << c.says << ":\n" << message.toStdString();
    if (contentFile) {
        // The last line sends the teacher to the checker, with the folder,
        // quoted for its space.
        EXPECT_TRUE(message.endsWith(QStringLiteral("\n問題点をすべて確かめるには、soruberia-check \"") +
                                     session.ShownPath(QStringLiteral("問題")).chopped(3) +
                                     QStringLiteral("\" を実行してください。")))
            << message.toStdString();
    }

    const QPoint middle = Centre(box->area);
    if (c.dismiss == Dismiss::EnterKey)
        x.Key(middle, QStringLiteral("Return"));
    else
        x.PressCloseBox(*box);
    const std::optional<int> status = session.WaitForExit();
    ASSERT_TRUE(status) << "the program did not end after its message";
    EXPECT_NE(*status, 0);
    EXPECT_TRUE(x.Titles().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Content, FatalMessageTest,
                         ::testing::Combine(::testing::ValuesIn(kCases),
                                            ::testing::Values(FrontEnd::Qt, FrontEnd::Wine)),
                         [](const ::testing::TestParamInfo<FatalMessageTest::ParamType>& param) {
                             return std::string(std::get<0>(param.param).name) + "_" +
                                    NameOf(std::get<1>(param.param));
                         });

}  // namespace
}  // namespace soruberia::e2e
