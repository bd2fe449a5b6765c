// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The checker as a teacher runs it: on copies of the default content, each
// broken in one way, its report and its exit status.

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/TestFolder.h"

namespace soruberia {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;

    bool HasLineStartingWith(const std::string& start) const {
        std::istringstream lines(out);
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind(start, 0) == 0) return true;
        }
        return false;
    }
    int Count(const std::string& what) const {
        int count = 0;
        for (std::size_t at = out.find(what); at != std::string::npos; at = out.find(what, at + 1)) ++count;
        return count;
    }
};

Outcome RunChecker(const QStringList& arguments, const QString& program = QStringLiteral(CHECKER_PROGRAM)) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Outcome run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "the checker did not finish normally";
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// A copy of the committed default content in a temporary folder.
class ContentCopy {
public:
    ContentCopy() {
        fs::copy(fs::path(DEFAULT_CONTENT), Root(), fs::copy_options::recursive);
    }
    std::string Base() const { return dir_.path().toStdString(); }
    fs::path Root() const { return fs::path(Base()); }
    fs::path File(const std::string& relative) const { return Root() / fs::path(relative); }

    // Line `line` (from 1) of a CR LF file becomes `bytes`.
    void SetLine(const std::string& relative, int line, const std::string& bytes) const {
        std::vector<std::string> lines;
        const std::string text = ReadBytes(File(relative));
        std::size_t start = 0;
        for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
            lines.push_back(text.substr(start, end - start));
        }
        if (start < text.size()) lines.push_back(text.substr(start));
        lines.at(static_cast<std::size_t>(line - 1)) = bytes;
        std::string joined;
        for (const std::string& l : lines) joined += l + "\r\n";
        WriteBytes(File(relative), joined);
    }
    void Append(const std::string& relative, const std::string& bytes) const {
        WriteBytes(File(relative), ReadBytes(File(relative)) + bytes);
    }

private:
    QTemporaryDir dir_;
};

const std::string kTexts = "問題/mondai.txt";
const std::string kKey = "問題/kotae.txt";
const std::string kExplanation = "問題/setumei.txt";

struct BrokenCase {
    const char* name;
    std::function<void(const ContentCopy&)> breakIt;
    int exitCode;
    std::vector<std::string> expected;  // starts of report lines, below the folder
};

TEST(CheckerProgram, DefaultContentPasses) {
    const ContentCopy content;
    const Outcome run = RunChecker({QString::fromStdString(content.Base())});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(run.out, "soruberia-check: " + content.Base() + ": 問題点は見つかりませんでした\n");
    EXPECT_EQ(run.err, "");
}

TEST(CheckerProgram, ReportsEachBrokenThing) {
    const std::string longText =
        "\"" + test::Sjis("過剰のアンモニア水を加えると一度生じた沈殿が溶けて深青色の溶液になるイオンはどれとどれか") + "\"";
    const std::vector<BrokenCase> cases = {
        {"missing folder", [](const ContentCopy& c) { fs::remove_all(c.File("図")); }, 1,
         {"図: エラー: フォルダがありません"}},
        {"missing question texts", [](const ContentCopy& c) { fs::remove(c.File(kTexts)); }, 1,
         {"問題/mondai.txt: エラー: ファイルがありません。ゲームはここから問題の文を読みます"}},
        {"missing explanation", [](const ContentCopy& c) { fs::remove(c.File(kExplanation)); }, 1,
         {"問題/setumei.txt: エラー: ファイルがありません"}},
        {"empty explanation", [](const ContentCopy& c) { WriteBytes(c.File(kExplanation), ""); }, 1,
         {"問題/setumei.txt: エラー: ファイルが空です"}},
        {"25 question texts",
         [](const ContentCopy& c) {
             std::string text = ReadBytes(c.File(kTexts));
             text.resize(text.rfind("\r\n", text.size() - 3) + 2);
             WriteBytes(c.File(kTexts), text);
         },
         1, {"問題/mondai.txt:25: エラー: 26 番目の項目（問題 26 の文）: 問題 26 の文を読む前にファイルが終わっています"}},
        {"20 answers",
         [](const ContentCopy& c) {
             std::string key = ReadBytes(c.File(kKey));
             std::size_t end = 0;
             for (int line = 0; line < 20; ++line) end = key.find("\r\n", end) + 2;
             WriteBytes(c.File(kKey), key.substr(0, end));
         },
         1, {"問題/kotae.txt:20: エラー: 64 番目の項目（問題 21 の正解の数）: 問題 21 の正解の数を読む前に"}},
        {"answers run out", [](const ContentCopy& c) { c.SetLine(kKey, 26, "3,1,2"); }, 1,
         {"問題/kotae.txt:26: エラー: 問題 26: 正解の数 3 のあとに、この行にはイオンの番号が 2 個あります",
          "問題/kotae.txt:26: 注: 87 番目の項目（問題 26 の 3 番目の正解）: 問題 26 の 3 番目の正解を読む前に"}},
        {"count 13",
         [](const ContentCopy& c) { c.SetLine(kKey, 4, "13,1,2,3,4,5,6,7,8,9,10,11,12,1"); }, 1,
         {"問題/kotae.txt:4: エラー: 問題 4 の正解の数 13 が 12 を超えています"}},
        {"count 0", [](const ContentCopy& c) { c.SetLine(kKey, 5, "0"); }, 0,
         {"問題/kotae.txt:5: 警告: 問題 5 の正解の数が 0 です"}},
        {"negative count", [](const ContentCopy& c) { c.SetLine(kKey, 6, "-1"); }, 1,
         {"問題/kotae.txt:6: エラー: 問題 6 の正解の数が -1 です"}},
        {"ion twice", [](const ContentCopy& c) { c.SetLine(kKey, 7, "3,5,9,5"); }, 1,
         {"問題/kotae.txt:7: エラー: イオン 5（Cu²⁺）が問題 7 に二度書かれています"}},
        {"ion 13", [](const ContentCopy& c) { c.SetLine(kKey, 8, "2,13,1"); }, 1,
         {"問題/kotae.txt:8: エラー: 問題 8 の 1 番目の正解が 13 で、イオンの番号（1 から 12）ではありません"}},
        {"number beyond 16 bits", [](const ContentCopy& c) { c.SetLine(kKey, 9, "1,70000"); }, 1,
         {"問題/kotae.txt:9: エラー: 30 番目の項目（問題 9 の 1 番目の正解）: 数 「70000」 が -32768 から 32767 の範囲の外です"}},
        {"number without digits", [](const ContentCopy& c) { c.SetLine(kKey, 10, "1," + test::Sjis("３")); }, 1,
         {"問題/kotae.txt:10: エラー: 32 番目の項目（問題 10 の 1 番目の正解）: 数ではありません: 「３」（全角の数字です"}},
        {"question cut off", [&longText](const ContentCopy& c) { c.SetLine(kTexts, 11, longText); }, 1,
         {"問題/mondai.txt:11: エラー: 問題 11 の文が切れています"}},
        {"bad Shift-JIS", [](const ContentCopy& c) { c.SetLine(kTexts, 12, "\"ab\x81\x7F\""); }, 1,
         {"問題/mondai.txt:12: エラー: 12 番目の項目（問題 12 の文）: Shift-JIS（コードページ 932）として読めないバイトがあります: "
          "行の 4 バイト目の 0x81 0x7F"}},
        {"UTF-8 texts",
         [](const ContentCopy& c) {
             std::string utf8;
             for (int q = 1; q <= 26; ++q) utf8 += "\"沈殿するイオンは？\"\r\n";
             WriteBytes(c.File(kTexts), utf8);
         },
         1, {"問題/mondai.txt: エラー: ファイルが UTF-8 で保存されています"}},
        {"unquoted comma", [](const ContentCopy& c) { c.SetLine(kTexts, 13, test::Sjis("沈殿,するイオン")); }, 1,
         {"問題/mondai.txt:13: エラー: 問題 13 の文は二重引用符で囲まれていないので、半角のコンマ , で終わります",
          "問題/mondai.txt:26: 注: ここから先は読まれません。ゲームが読むのは 26 問の文だけです（13 行目のずれによる）"}},
        {"missing found picture", [](const ContentCopy& c) { fs::remove(c.File("図/ion'(7).gif")); }, 1,
         {"図/ion'(7).gif: エラー: ファイルがありません (イオンボタン 7 (Fe³⁺) の正解後の画像)。ゲームはこの画像が要る場面で止まります"}},
        {"picture named in other case",
         [](const ContentCopy& c) { fs::rename(c.File("図/maru.gif"), c.File("図/MARU.GIF")); }, 1,
         {"図/maru.gif: エラー: ファイルがありません (正解の印の画像)。フォルダーにあるのは大文字と小文字だけが違う「MARU.GIF」です"}},
        {"undecodable picture", [](const ContentCopy& c) { WriteBytes(c.File("図/batu.gif"), "GIF89a not really"); }, 1,
         {"図/batu.gif: エラー: 画像を読み込めません ("}},
        {"picture larger than its button",
         [](const ContentCopy& c) { fs::copy_file(c.File("図/maru.gif"), c.File("図/ion(3).gif"),
                                                  fs::copy_options::overwrite_existing); }, 0,
         {"図/ion(3).gif: 警告: 画像が 145 x 145 px で、イオンボタン (102 x 61 px) より大きいため"}},
        {"missing sound", [](const ContentCopy& c) { fs::remove(c.File("音/x.wav")); }, 1,
         {"音/x.wav: エラー: ファイルがありません (不正解の音)。ゲームはこの音を鳴らさずに続きます"}},
        {"undecodable sound", [](const ContentCopy& c) { WriteBytes(c.File("音/pan.wav"), "RIFF....WAVEjunk"); }, 1,
         {"音/pan.wav: エラー: 音を鳴らせません ("}},
        {"broken fields after the 26th question",
         [](const ContentCopy& c) {
             c.Append(kTexts, "\"\x81\x7F\",\"never closed\r\n");
             c.Append(kKey, "abc,70000,,-1,13\r\n");
         },
         0, {"問題/mondai.txt:27: 注:", "問題/kotae.txt:27: 注:"}},
    };
    for (const BrokenCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ContentCopy content;
        c.breakIt(content);
        const Outcome run = RunChecker({QString::fromStdString(content.Base())});
        EXPECT_EQ(run.exitCode, c.exitCode) << run.out << run.err;
        for (const std::string& start : c.expected) {
            EXPECT_TRUE(run.HasLineStartingWith(content.Base() + "/" + start))
                << "expected a line starting with " << start << " in:\n" << run.out;
        }
        // Nothing else is wrong with the copy, and the summary counts it.
        const int errors = run.Count(": エラー: ");
        const int warnings = run.Count(": 警告: ");
        if (c.exitCode == 0) {
            EXPECT_EQ(errors, 0) << run.out;
        }
        const std::string summary = "soruberia-check: " + content.Base() + ": ";
        EXPECT_TRUE(run.HasLineStartingWith(
            summary + (errors + warnings == 0
                           ? std::string("問題点は見つかりませんでした")
                           : "エラー " + std::to_string(errors) + " 件、警告 " + std::to_string(warnings) + " 件")))
            << run.out;
    }
}

TEST(CheckerProgram, OneRunShowsEveryProblem) {
    const ContentCopy content;
    content.SetLine(kKey, 3, "2,4,4");
    content.SetLine(kKey, 17, "x,1");
    content.SetLine(kKey, 22, "1,0");
    std::string longText;
    for (int i = 0; i < 40; ++i) longText += "長";
    content.SetLine(kTexts, 2, "\"" + test::Sjis(longText) + "\"");
    fs::remove(content.File("音/o.wav"));
    fs::remove(content.File("図/ion(12).gif"));
    const Outcome run = RunChecker({QString::fromStdString(content.Base())});
    EXPECT_EQ(run.exitCode, 1);
    const std::string base = content.Base() + "/";
    for (const char* start :
         {"問題/mondai.txt:2: エラー:", "問題/kotae.txt:3: エラー:", "問題/kotae.txt:17: エラー:",
          "問題/kotae.txt:22: エラー:", "図/ion(12).gif: エラー:", "音/o.wav: エラー:"}) {
        EXPECT_TRUE(run.HasLineStartingWith(base + start)) << start << " not in:\n" << run.out;
    }
    EXPECT_TRUE(run.HasLineStartingWith("soruberia-check: " + content.Base() + ": エラー 6 件、警告 0 件"))
        << run.out;
}

// The folder named is not the game's folder: the report says which one is.
TEST(CheckerProgram, NamesTheFolderMeant) {
    const struct {
        const char* name;
        std::function<void(const ContentCopy&)> arrange;
        std::string folder;  // below the copy
        std::vector<std::string> expected;
    } cases[] = {
        {"the 問題 folder instead of its parent", [](const ContentCopy&) {}, "問題",
         {"問題: エラー: これは 問題 フォルダそのものです。一つ上のフォルダ {base}（問題、図、音 を含むゲームの"
          "フォルダ）を指定するつもりでしたか"}},
        {"only 問題 copied",
         [](const ContentCopy& c) {
             fs::remove_all(c.File("図"));
             fs::remove_all(c.File("音"));
         },
         "",
         {"図: エラー: フォルダがありません。ゲームはここから イオンの絵",
          "音: エラー: フォルダがありません。ゲームはここから 音 o.wav"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ContentCopy content;
        c.arrange(content);
        const std::string folder = c.folder.empty() ? content.Base() : content.Base() + "/" + c.folder;
        const Outcome run = RunChecker({QString::fromStdString(folder)});
        EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
        EXPECT_EQ(run.Count(": エラー: "), static_cast<int>(c.expected.size())) << run.out;
        for (std::string start : c.expected) {
            if (const auto at = start.find("{base}"); at != std::string::npos) start.replace(at, 6, content.Base());
            EXPECT_TRUE(run.HasLineStartingWith(content.Base() + "/" + start)) << start << " not in:\n" << run.out;
        }
        if (c.folder.empty()) {
            EXPECT_EQ(run.Count("（このフォルダには 問題 しかありません。図 と 音 はゲームのフォルダからコピーして"
                                "ください。ゲームのフォルダ全体をコピーすれば、そのまま遊べます）"),
                      2)
                << run.out;
        }
    }
}

TEST(CheckerProgram, WithoutFolderChecksItsOwnFolder) {
    const ContentCopy content;
    const fs::path checker = content.Root() / "soruberia-check";
    fs::copy_file(fs::path(CHECKER_PROGRAM), checker);
    fs::permissions(checker, fs::perms::owner_all, fs::perm_options::add);
    fs::remove(content.File("音/gokaku.wav"));
    const Outcome run = RunChecker({}, QString::fromStdString(checker.string()));
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    EXPECT_TRUE(run.HasLineStartingWith(content.Base() + "/音/gokaku.wav: エラー: ファイルがありません"))
        << run.out;
}

// The options themselves are read by the shared core (CheckerProgramCore);
// here, that the program hands its arguments in and its streams and exit
// status out.
TEST(CheckerProgram, HelpAndBadUsageReachTheirStreams) {
    const Outcome help = RunChecker({QStringLiteral("-h")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("使い方: soruberia-check [フォルダ]\n", 0), 0u) << help.out;
    EXPECT_EQ(help.err, "");

    const Outcome bad = RunChecker({QStringLiteral("--frobnicate")});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(bad.out, "");
    EXPECT_NE(bad.err.find("不明なオプション「--frobnicate」です"), std::string::npos) << bad.err;
}

}  // namespace
}  // namespace soruberia
