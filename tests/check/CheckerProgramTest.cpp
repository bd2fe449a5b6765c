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
#include <variant>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "banklink/BankLink.h"
#include "banklink/ZlibDeflate.h"
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

// --link: the bank in a link to the page, only for a bank without errors.
TEST(CheckerProgram, LinkCarriesTheBankByteForByte) {
    const ContentCopy content;
    const Outcome run = RunChecker({QStringLiteral("--link"), QStringLiteral("https://school.example/soruberia/"),
                                    QString::fromStdString(content.Base())});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(run.err, "");
    const std::string link = run.out.substr(run.out.rfind('\n', run.out.size() - 2) + 1);
    ASSERT_TRUE(link.starts_with("https://school.example/soruberia/#b=")) << run.out;
    const auto decoded = banklink::Decode(link.substr(0, link.size() - 1), banklink::ZlibInflate);
    ASSERT_TRUE(std::holds_alternative<banklink::BankBytes>(decoded));
    const auto& bank = std::get<banklink::BankBytes>(decoded);
    EXPECT_EQ(bank.texts, ReadBytes(content.File(kTexts)));
    EXPECT_EQ(bank.key, ReadBytes(content.File(kKey)));
    EXPECT_EQ(bank.explanation, ReadBytes(content.File(kExplanation)));

    const Outcome local = RunChecker({QStringLiteral("--link=http://127.0.0.1:8000/"), QString::fromStdString(content.Base())});
    EXPECT_EQ(local.exitCode, 0);
    EXPECT_NE(local.out.find("http://127.0.0.1:8000/#b="), std::string::npos);
    EXPECT_NE(local.err.find("生徒の端末からは開けません"), std::string::npos) << local.err;

    const Outcome notAPage = RunChecker({QStringLiteral("--link"), QStringLiteral("file:///srv/soruberia/"),
                                         QString::fromStdString(content.Base())});
    EXPECT_EQ(notAPage.exitCode, 2);
    EXPECT_NE(notAPage.err.find("ページのアドレスではありません"), std::string::npos) << notAPage.err;

    content.SetLine(kKey, 3, "2,4,4");
    const Outcome broken = RunChecker({QStringLiteral("--link"), QStringLiteral("https://school.example/soruberia/"),
                                       QString::fromStdString(content.Base())});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_EQ(broken.out.find("#b="), std::string::npos) << broken.out;
    EXPECT_NE(broken.err.find("リンクを作りません"), std::string::npos) << broken.err;
}

// Each kind of broken copy, with its report line by line, is held to one
// table for the Linux and the Windows checker: broken-copies.py.

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
          "問題/kotae.txt:22: エラー:", "図/ion(12).gif: エラー:", "音/o.wav: 警告:"}) {
        EXPECT_TRUE(run.HasLineStartingWith(base + start)) << start << " not in:\n" << run.out;
    }
    EXPECT_TRUE(run.HasLineStartingWith("soruberia-check: " + content.Base() + ": エラー 5 件、警告 1 件"))
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
          "音: 警告: フォルダがありません。ゲームはここから 音 o.wav"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ContentCopy content;
        c.arrange(content);
        const std::string folder = c.folder.empty() ? content.Base() : content.Base() + "/" + c.folder;
        const Outcome run = RunChecker({QString::fromStdString(folder)});
        EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
        EXPECT_EQ(run.Count(": エラー: ") + run.Count(": 警告: "), static_cast<int>(c.expected.size())) << run.out;
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
    fs::remove(content.File("図/maru.gif"));
    const Outcome run = RunChecker({}, QString::fromStdString(checker.string()));
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    EXPECT_TRUE(run.HasLineStartingWith(content.Base() + "/図/maru.gif: エラー: ファイルがありません"))
        << run.out;
}

// The options themselves are read by the shared core (CheckerProgramCore);
// here, that the program hands its arguments in and its streams and exit
// status out.
TEST(CheckerProgram, HelpAndBadUsageReachTheirStreams) {
    const Outcome help = RunChecker({QStringLiteral("-h")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("使い方: soruberia-check [--link アドレス] [フォルダ]\n", 0), 0u) << help.out;
    EXPECT_EQ(help.err, "");

    const Outcome bad = RunChecker({QStringLiteral("--frobnicate")});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(bad.out, "");
    EXPECT_NE(bad.err.find("不明なオプション「--frobnicate」です"), std::string::npos) << bad.err;
}

}  // namespace
}  // namespace soruberia
