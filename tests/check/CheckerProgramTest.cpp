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
    EXPECT_EQ(run.out, "soruberia-check: " + content.Base() + ": no problems found\n");
    EXPECT_EQ(run.err, "");
}

TEST(CheckerProgram, ReportsEachBrokenThing) {
    const std::string longText =
        "\"" + test::Sjis("過剰のアンモニア水を加えると一度生じた沈殿が溶けて深青色の溶液になるイオンはどれとどれか") + "\"";
    const std::vector<BrokenCase> cases = {
        {"missing folder", [](const ContentCopy& c) { fs::remove_all(c.File("図")); }, 1,
         {"図: error: missing folder"}},
        {"missing question texts", [](const ContentCopy& c) { fs::remove(c.File(kTexts)); }, 1,
         {"問題/mondai.txt: error: ファイルがありません (the question texts)"}},
        {"missing explanation", [](const ContentCopy& c) { fs::remove(c.File(kExplanation)); }, 1,
         {"問題/setumei.txt: error: ファイルがありません"}},
        {"empty explanation", [](const ContentCopy& c) { WriteBytes(c.File(kExplanation), ""); }, 1,
         {"問題/setumei.txt: error: the file is empty"}},
        {"25 question texts",
         [](const ContentCopy& c) {
             std::string text = ReadBytes(c.File(kTexts));
             text.resize(text.rfind("\r\n", text.size() - 3) + 2);
             WriteBytes(c.File(kTexts), text);
         },
         1, {"問題/mondai.txt:25: error: the file ends after 25 question texts"}},
        {"20 answers",
         [](const ContentCopy& c) {
             std::string key = ReadBytes(c.File(kKey));
             std::size_t end = 0;
             for (int line = 0; line < 20; ++line) end = key.find("\r\n", end) + 2;
             WriteBytes(c.File(kKey), key.substr(0, end));
         },
         1, {"問題/kotae.txt:20: error: the file ends before the answer count of question 21"}},
        {"answers run out", [](const ContentCopy& c) { c.SetLine(kKey, 26, "3,1,2"); }, 1,
         {"問題/kotae.txt:26: error: the file ends before answer 3 of question 26",
          "問題/kotae.txt:26: warning: question 26: the count 3 is followed by 2 ion numbers"}},
        {"count 13",
         [](const ContentCopy& c) { c.SetLine(kKey, 4, "13,1,2,3,4,5,6,7,8,9,10,11,12,1"); }, 1,
         {"問題/kotae.txt:4: error: the answer count of question 4 is 13, above 12"}},
        {"count 0", [](const ContentCopy& c) { c.SetLine(kKey, 5, "0"); }, 0,
         {"問題/kotae.txt:5: warning: the answer count of question 5 is 0"}},
        {"negative count", [](const ContentCopy& c) { c.SetLine(kKey, 6, "-1"); }, 1,
         {"問題/kotae.txt:6: error: the answer count of question 6 is -1"}},
        {"ion twice", [](const ContentCopy& c) { c.SetLine(kKey, 7, "3,5,9,5"); }, 1,
         {"問題/kotae.txt:7: error: ion 5 (Cu²⁺) is listed twice for question 7"}},
        {"ion 13", [](const ContentCopy& c) { c.SetLine(kKey, 8, "2,13,1"); }, 1,
         {"問題/kotae.txt:8: error: answer 1 of question 8 is 13, not an ion number (1 to 12)"}},
        {"number beyond 16 bits", [](const ContentCopy& c) { c.SetLine(kKey, 9, "1,70000"); }, 1,
         {"問題/kotae.txt:9: error: answer 1 of question 9: number \"70000\" is outside -32768 to 32767"}},
        {"number without digits", [](const ContentCopy& c) { c.SetLine(kKey, 10, "1," + test::Sjis("３")); }, 1,
         {"問題/kotae.txt:10: error: answer 1 of question 10: not a number: \"３\" (full-width digits"}},
        {"question cut off", [&longText](const ContentCopy& c) { c.SetLine(kTexts, 11, longText); }, 1,
         {"問題/mondai.txt:11: error: the text of question 11 is cut off: it wraps to"}},
        {"bad Shift-JIS", [](const ContentCopy& c) { c.SetLine(kTexts, 12, "\"ab\x81\x7F\""); }, 1,
         {"問題/mondai.txt:12: error: the text of question 12 is not valid Shift-JIS: byte 0x81 "
          "(followed by 0x7F) at byte 4 of the line"}},
        {"UTF-8 texts",
         [](const ContentCopy& c) {
             std::string utf8;
             for (int q = 1; q <= 26; ++q) utf8 += "\"沈殿するイオンは？\"\r\n";
             WriteBytes(c.File(kTexts), utf8);
         },
         1, {"問題/mondai.txt: error: the file is UTF-8, but the game reads Shift-JIS"}},
        {"unquoted comma", [](const ContentCopy& c) { c.SetLine(kTexts, 13, test::Sjis("沈殿,するイオン")); }, 0,
         {"問題/mondai.txt:13: warning: the text of question 13 has no double quotes and so ends at a comma",
          "問題/mondai.txt:26: note: from here on the file is never read"}},
        {"missing found picture", [](const ContentCopy& c) { fs::remove(c.File("図/ion'(7).gif")); }, 1,
         {"図/ion'(7).gif: error: ファイルがありません (イオンボタン 7 (Fe³⁺) の正解後の画像)。ゲームはこの画像が要る場面で止まります"}},
        {"picture named in other case",
         [](const ContentCopy& c) { fs::rename(c.File("図/maru.gif"), c.File("図/MARU.GIF")); }, 1,
         {"図/maru.gif: error: ファイルがありません (正解の印の画像)。フォルダーにあるのは大文字と小文字だけが違う「MARU.GIF」です"}},
        {"undecodable picture", [](const ContentCopy& c) { WriteBytes(c.File("図/batu.gif"), "GIF89a not really"); }, 1,
         {"図/batu.gif: error: 画像を読み込めません ("}},
        {"picture larger than its button",
         [](const ContentCopy& c) { fs::copy_file(c.File("図/maru.gif"), c.File("図/ion(3).gif"),
                                                  fs::copy_options::overwrite_existing); }, 0,
         {"図/ion(3).gif: warning: 画像が 145 x 145 px で、イオンボタン (102 x 61 px) より大きいため"}},
        {"missing sound", [](const ContentCopy& c) { fs::remove(c.File("音/x.wav")); }, 1,
         {"音/x.wav: error: ファイルがありません (不正解の音)。ゲームはこの音を鳴らさずに続きます"}},
        {"undecodable sound", [](const ContentCopy& c) { WriteBytes(c.File("音/pan.wav"), "RIFF....WAVEjunk"); }, 1,
         {"音/pan.wav: error: 音を鳴らせません ("}},
        {"broken fields after the 26th question",
         [](const ContentCopy& c) {
             c.Append(kTexts, "\"\x81\x7F\",\"never closed\r\n");
             c.Append(kKey, "abc,70000,,-1,13\r\n");
         },
         0, {"問題/mondai.txt:27: note:", "問題/kotae.txt:27: note:"}},
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
        const int errors = run.Count(": error: ");
        const int warnings = run.Count(": warning: ");
        if (c.exitCode == 0) {
            EXPECT_EQ(errors, 0) << run.out;
        }
        const std::string summary = "soruberia-check: " + content.Base() + ": ";
        EXPECT_TRUE(run.HasLineStartingWith(
            summary + (errors + warnings == 0
                           ? std::string("no problems found")
                           : std::to_string(errors) + (errors == 1 ? " error, " : " errors, ") +
                                 std::to_string(warnings) + (warnings == 1 ? " warning" : " warnings"))))
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
         {"問題/mondai.txt:2: error:", "問題/kotae.txt:3: error:", "問題/kotae.txt:17: error:",
          "問題/kotae.txt:22: error:", "図/ion(12).gif: error:", "音/o.wav: error:"}) {
        EXPECT_TRUE(run.HasLineStartingWith(base + start)) << start << " not in:\n" << run.out;
    }
    EXPECT_TRUE(run.HasLineStartingWith("soruberia-check: " + content.Base() + ": 6 errors, 0 warnings"))
        << run.out;
}

TEST(CheckerProgram, WithoutFolderChecksItsOwnFolder) {
    const ContentCopy content;
    const fs::path checker = content.Root() / "soruberia-check";
    fs::copy_file(fs::path(CHECKER_PROGRAM), checker);
    fs::permissions(checker, fs::perms::owner_all, fs::perm_options::add);
    fs::remove(content.File("音/gokaku.wav"));
    const Outcome run = RunChecker({}, QString::fromStdString(checker.string()));
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    EXPECT_TRUE(run.HasLineStartingWith(content.Base() + "/音/gokaku.wav: error: ファイルがありません"))
        << run.out;
}

TEST(CheckerProgram, HelpAndVersion) {
    for (const char* option : {"--help", "-h"}) {
        const Outcome run = RunChecker({QString::fromLatin1(option)});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out.rfind("Usage: soruberia-check [FOLDER]\n", 0), 0u) << run.out;
        EXPECT_NE(run.out.find("Exit status: 0 no errors"), std::string::npos);
    }
    for (const char* option : {"--version", "-v"}) {
        const Outcome run = RunChecker({QString::fromLatin1(option)});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, "soruberia-check 1.00\n");
    }
}

TEST(CheckerProgram, BadUsageExitsWithTwo) {
    const ContentCopy content;
    const QString folder = QString::fromStdString(content.Base());
    const struct {
        QStringList arguments;
        const char* message;
    } cases[] = {
        {{QStringLiteral("--frobnicate")}, "Unknown option"},
        {{folder, folder}, "one FOLDER at most"},
        {{folder + QStringLiteral("/no-such-folder")}, "no such folder"},
        {{QString::fromStdString((content.Root() / "問題" / "kotae.txt").string())}, "no such folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const Outcome run = RunChecker(c.arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("--help"), std::string::npos) << run.err;
    }
}

}  // namespace
}  // namespace soruberia
