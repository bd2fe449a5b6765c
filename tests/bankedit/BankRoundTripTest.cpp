// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// A bank opened and written back is the same bytes, however a teacher laid
// it out; an edit changes the bytes of what was edited and nothing else.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "bankedit/BankEditor.h"
#include "tests/bankedit/BankFixtures.h"
#include "tests/support/TestFolder.h"

namespace soruberia::bankedit {
namespace {

using soruberia::test::Sjis;
using test::CrLfLines;
using test::ExpectGameReads;
using ::testing::IsEmpty;

WrittenBank Written(const BankEditor& editor) {
    auto result = editor.Write();
    EXPECT_TRUE(std::holds_alternative<WrittenBank>(result));
    return std::holds_alternative<WrittenBank>(result) ? std::get<WrittenBank>(result) : WrittenBank{};
}

TEST(BankRoundTrip, DefaultBankIsWrittenBackByteForByte) {
    const BankFiles files = test::DefaultBankFiles();
    BankEditor editor;
    EXPECT_THAT(editor.Open(files), IsEmpty());
    EXPECT_EQ(editor.Draft().questions[0].text, "希塩酸を加えると白色沈殿を生じるイオンは？");
    EXPECT_EQ(editor.Draft().questions[0].ions.Buttons(), (std::vector<int>{1, 10}));
    const WrittenBank written = Written(editor);
    EXPECT_EQ(written.texts, *files.texts);
    EXPECT_EQ(written.key, *files.key);
    EXPECT_EQ(written.explanation, *files.explanation);
    ExpectGameReads(written, editor.Draft());
}

// A question's field as it stands in a file, and what follows it up to the
// next question's field.
struct Piece {
    std::string field;
    std::string after;
};

// Texts laid out every way the game reads them: quoted and not, several on
// a line, commas inside quotes, blanks around fields, LF alone, an empty
// field, and the teacher's notes after the last question. (A half-width "
// inside an unquoted text reads too, but is flagged, as it could not be
// written anew.)
std::vector<Piece> OddTexts() {
    std::vector<Piece> pieces;
    for (int q = 1; q <= kQuestionsInPlay; ++q) {
        const std::string n = std::to_string(q);
        switch (q % 5) {
            case 0: pieces.push_back({"\"問題" + n + "、白色沈殿, 読点入り\"", "  \r\n"}); break;
            case 1: pieces.push_back({"問題" + n, ",   "}); break;
            case 2: pieces.push_back({"\"問題" + n + "\"", "\r\n\t"}); break;
            case 3: pieces.push_back({"問題 " + n, " \n"}); break;
            case 4: pieces.push_back({q == 14 ? "" : "Fe3+ と「" + n + "」", ","}); break;
        }
    }
    pieces.back().after = "\r\n\r\nメモ: 来年は問題 5 を変える, \"未定\"\r\n";
    return pieces;
}

// Answers: blanks and tabs around numbers, several questions on a line,
// numbers out of order, counts of 0 and of 12, notes after the last.
std::vector<Piece> OddKey() {
    std::vector<Piece> pieces;
    for (int q = 1; q <= kQuestionsInPlay; ++q) {
        switch (q % 4) {
            case 0: pieces.push_back({"2,12, 3", "\r\n"}); break;
            case 1: pieces.push_back({"0", " , "}); break;
            case 2: pieces.push_back({"3,\t10,1,5", "\n"}); break;
            case 3: pieces.push_back({q == 3 ? "12,12,11,10,9,8,7,6,5,4,3,2,1" : "1 ,7", ","}); break;
        }
    }
    pieces.back().after = "\r\n答えは教科書 p.120 の表から\r\n";
    return pieces;
}

std::string Joined(const std::vector<Piece>& pieces) {
    std::string out;
    for (const Piece& piece : pieces) out += piece.field + piece.after;
    return Sjis(out);
}

const std::string kOddExplanation = "説明の行, \"引用符\" もそのまま\r\n二行目は読まれない\r\n";

BankFiles OddFiles() { return {Joined(OddTexts()), Joined(OddKey()), Sjis(kOddExplanation)}; }

TEST(BankRoundTrip, OddButValidLayoutIsWrittenBackByteForByte) {
    const BankFiles files = OddFiles();
    BankEditor editor;
    EXPECT_THAT(editor.Open(files), IsEmpty());
    const BankDraft& draft = editor.Draft();
    EXPECT_EQ(draft.questions[0].text, "問題1");
    EXPECT_EQ(draft.questions[2].text, "問題 3");
    EXPECT_EQ(draft.questions[4].text, "問題5、白色沈殿, 読点入り");
    EXPECT_EQ(draft.questions[13].text, "");
    EXPECT_EQ(draft.questions[2].ions.Count(), 12);
    EXPECT_EQ(draft.questions[1].ions.Buttons(), (std::vector<int>{1, 5, 10}));
    EXPECT_EQ(draft.explanation, "説明の行, \"引用符\" もそのまま");
    const WrittenBank written = Written(editor);
    EXPECT_EQ(written.texts, *files.texts);
    EXPECT_EQ(written.key, *files.key);
    EXPECT_EQ(written.explanation, *files.explanation);
}

// An edit, and the one field it must change in the odd layout.
struct EditCase {
    const char* name;
    std::function<void(BankEditor&)> edit;
    bool inTexts;  // else in the key
    int question;
    std::string field;  // as written anew (UTF-8)
};

TEST(BankRoundTrip, AnEditChangesThatQuestionsBytesAlone) {
    const std::vector<EditCase> cases{
        {"an unquoted text amid a line", [](BankEditor& e) { e.SetText(6, "新しい, 文"); }, true, 6,
         "\"新しい, 文\""},
        {"a quoted text with blanks after it", [](BankEditor& e) { e.SetText(5, "短く"); }, true, 5, "\"短く\""},
        {"an empty field", [](BankEditor& e) { e.SetText(14, "空だった"); }, true, 14, "\"空だった\""},
        {"the last text, before the notes", [](BankEditor& e) { e.SetText(26, "最後"); }, true, 26, "\"最後\""},
        {"a count of 0 among others on its line", [](BankEditor& e) { e.SetIons(5, IonSet::FromMask(1u << 12 | 1u << 2)); },
         false, 5, "2,2,12"},
        {"numbers out of order", [](BankEditor& e) { e.SetIons(2, IonSet::FromMask(1u << 5 | 1u << 1)); }, false, 2,
         "2,1,5"},
        {"all twelve to none", [](BankEditor& e) { e.SetIons(3, IonSet()); }, false, 3, "0"},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.name);
        BankEditor editor;
        editor.Open(OddFiles());
        c.edit(editor);
        std::vector<Piece> pieces = c.inTexts ? OddTexts() : OddKey();
        pieces[static_cast<std::size_t>(c.question - 1)].field = c.field;
        const WrittenBank written = Written(editor);
        EXPECT_EQ(c.inTexts ? written.texts : written.key, Joined(pieces));
        EXPECT_EQ(c.inTexts ? written.key : written.texts, c.inTexts ? *OddFiles().key : *OddFiles().texts);
        EXPECT_EQ(written.explanation, *OddFiles().explanation);
        ExpectGameReads(written, editor.Draft());
    }
}

TEST(BankRoundTrip, AnEditedExplanationKeepsTheFilesOtherLines) {
    BankEditor editor;
    editor.Open(OddFiles());
    editor.SetExplanation("新しい説明");
    EXPECT_EQ(Written(editor).explanation, Sjis("新しい説明\r\n二行目は読まれない\r\n"));

    editor.Open({std::nullopt, std::nullopt, Sjis("改行のない一行")});
    EXPECT_EQ(Written(editor).explanation, Sjis("改行のない一行"));
    editor.SetExplanation("改行を足す");
    EXPECT_EQ(Written(editor).explanation, Sjis("改行を足す\r\n"));
}

TEST(BankRoundTrip, ABankFromNothingIsWrittenWhollyInTheCanonicalForm) {
    BankEditor editor;
    editor.SetText(1, "最初の問題, 読点つき");
    editor.SetIons(1, IonSet::FromMask(0xFFFF));
    editor.SetIons(2, IonSet::FromMask(1u << 7 | 1u << 3));
    editor.SetExplanation("説明");
    std::vector<std::string> texts(kQuestionsInPlay, "\"\"");
    texts[0] = "\"最初の問題, 読点つき\"";
    std::vector<std::string> key(kQuestionsInPlay, "0");
    key[0] = "12,1,2,3,4,5,6,7,8,9,10,11,12";
    key[1] = "2,3,7";
    const WrittenBank written = Written(editor);
    EXPECT_EQ(written.texts, Sjis(CrLfLines(texts)));
    EXPECT_EQ(written.key, CrLfLines(key));
    EXPECT_EQ(written.explanation, Sjis("説明\r\n"));
    ExpectGameReads(written, editor.Draft());
}

TEST(BankRoundTrip, QuestionNumbersOutsideTheBankChangeNothing) {
    BankEditor editor;
    for (const int question : {0, 27, -1}) {
        EXPECT_FALSE(editor.SetText(question, "x"));
        EXPECT_FALSE(editor.SetIons(question, IonSet::FromMask(2)));
    }
    EXPECT_EQ(editor.Draft(), BankDraft());
}

}  // namespace
}  // namespace soruberia::bankedit
