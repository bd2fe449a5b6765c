// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

// The one place where the checker's findings on the text content files
// become words, in Japanese, for a teacher.

#include <string>
#include <string_view>
#include <type_traits>

#include "content/BankIssues.h"
#include "content/ContentMessages.h"
#include "content/IonNames.h"
#include "content/Joined.h"
#include "content/QuestionBank.h"

namespace soruberia::inspection {

namespace {

std::string N(int value) { return std::to_string(value); }

constexpr const char* kGameStopsHere = "。ゲームはここで止まります";
constexpr const char* kGameStopsAtStart = "。ゲームの開始で止まります";
constexpr const char* kSaveAsShiftJis = "。ファイルを Shift-JIS（コードページ 932）で保存してください";

constexpr const char* kSaveAgainAdvice =
    "Shift-JIS で保存し直してください。メモ帳: 「名前を付けて保存」で"
    "文字コードを「ANSI」に（日本語版 Windows）。VS Code: 右下の文字コード→「エンコード付きで保存」→"
    "「Japanese (Shift JIS)」";

// What a question that cannot be answered right comes to in the game.
constexpr const char* kEndsByBurst =
    "正解では終わりません。5 回目のミスで風船が割れ、得点が半分になって次の問題に進みます";

// The checker's hint after the game's words; an ion's name is worded apart.
std::string_view Hint(FieldHint hint) {
    switch (hint) {
    case FieldHint::kNone:
    case FieldHint::kIonName:
        return {};
    case FieldHint::kEmptyField:
        return "（コンマが二つ続いている、行末にコンマがある、または空の行があります）";
    case FieldHint::kCommaBetweenTexts:
        return "（全角の「、」や「，」は文の区切りになりません。文と文の間は半角のコンマ , で区切ってください。"
               "二重引用符の中の「、」はそのままで構いません）";
    case FieldHint::kCommaBetweenNumbers:
        return "（数が全角の「、」や「，」で区切られています。ゲームが区切りとして読むのは半角のコンマ , "
               "と空白だけです。「、」を , に書き換えてください）";
    case FieldHint::kFullWidthDigit:
        return "（全角の数字です。0 から 9 は半角で書いてください）";
    case FieldHint::kWholeNumber:
        return "（半角数字の整数を書いてください）";
    case FieldHint::kSaveAsShiftJis:
        return kSaveAsShiftJis;
    case FieldHint::kQuoteInsideText:
        return "（半角の二重引用符 \" は文の中に書けません。そこで文が終わったと読まれます。"
               "文の中の引用符は全角の “ ” か 「 」 にしてください）";
    }
    return {};
}

std::string_view Stops(GameStops stops) {
    return stops == GameStops::kAtProgramStart ? "。ゲームは起動の時点で止まります" : kGameStopsHere;
}

// What a shift of the texts does from question `question` on.
std::string LaterTexts(int question, bool last) {
    return last ? std::string("最後の文が切れます")
                : Joined({"問題 ", N(question + 1), " から後の文がすべて一つずつずれて、別の問題の正解で採点されます"});
}

std::string TextName(int question) { return RoleName(FieldRole::kQuestionText, question, 0); }
std::string CountName(int question) { return RoleName(FieldRole::kAnswerCount, question, 0); }

// How a count and the ion numbers on its line disagree.
std::string CountAgainstLine(int question, int count, int onLine) {
    return Joined({"問題 ", N(question), ": 正解の数 ", N(count), " のあとに、この行にはイオンの番号が ", N(onLine),
                   " 個あります。ゲームは場所にかかわらず次の ", N(count), " 個の数を取るので、"});
}

std::string Words(const SavedAsUtf8& i) {
    return Joined({"ファイルが UTF-8", i.withBom ? "（BOM 付き）" : " ",
                   "で保存されていますが、ゲームは Shift-JIS（コードページ 932）で読むので、止まるか文字化けします。",
                   kSaveAgainAdvice, "。Linux: iconv -f UTF-8 -t CP932 元.txt > 新.txt || echo 変換できない文字があります"});
}

std::string Words(const SavedAsUtf16&) {
    return Joined({"ファイルが UTF-16（メモ帳の「Unicode」）で保存されていますが、ゲームは Shift-JIS"
                   "（コードページ 932）で読むので、このファイルを読めずに止まります。",
                   kSaveAgainAdvice, "。Linux: iconv -f UTF-16 -t CP932 元.txt > 新.txt"});
}

std::string Words(const NotInCodePage932& i) {
    if (i.instead.empty()) return Joined({"「", i.characters, "」は Shift-JIS にない文字で、変換できません。別の書き方にしてください"});
    return Joined({"「", i.characters, "」は Shift-JIS にない文字で、変換できません。「", i.instead, "」と書いてください"});
}

std::string Words(const UnreadableField& i) {
    const std::string_view rest =
        i.restUnchecked ? "（次の問題がどこから始まるかわからないので、ファイルの残りは調べていません）" : "";
    if (i.hint == FieldHint::kIonName) {
        return Joined({DescribeFailure(i.failure), "（イオンの名前ではなく番号を書いてください: ", IonName(i.ion), " は ",
                       N(i.ion), " です）", Stops(i.stops), rest});
    }
    return Joined({DescribeFailure(i.failure), Hint(i.hint), Stops(i.stops), rest});
}

std::string Words(const TextsFileEmpty& i) {
    return Joined({"ファイルが空です。ゲームはここから ", N(i.questions), " 問の文を読むので、ゲームの開始で止まります"});
}

std::string Words(const TextsRunOut& i) {
    return Joined({DescribeFailure(i.failure), "（文は ", N(i.texts), " 個しかなく、ゲームは ", N(i.questions),
                   " 個読みます）", kGameStopsAtStart});
}

std::string Words(const TextSpansLines& i) {
    return Joined({TextName(i.question), "が ", N(i.endLine), " 行目まで続いています。二重引用符の間の改行も文の一部になるので、",
                   LaterTexts(i.question, i.last), "（この行の閉じる \" が抜けていませんか）"});
}

std::string Words(const TextEndsAtComma& i) {
    const std::string_view hint = i.fullWidthQuotes
                                      ? "文が全角の “ ” で囲まれています。ゲームが文の囲みとして読むのは半角の \" "
                                        "だけなので、“ ” を \" に書き換えてください"
                                      : "コンマも文の一部なら、文を半角の二重引用符 \" で囲んでください";
    return Joined({TextName(i.question),
                   "は二重引用符で囲まれていないので、半角のコンマ , で終わります。"
                   "コンマのあとは別の文として読まれ、",
                   LaterTexts(i.question, i.last), "（", hint, "）"});
}

std::string Words(const FullWidthQuotesShown& i) {
    return Joined({TextName(i.question), "の全角の “ ” は、囲みではなく文の一部としてそのまま表示されます"
                                         "（文を囲むなら半角の \" を使ってください）"});
}

std::string Words(const EmptyTextShifts& i) {
    return Joined({TextName(i.question),
                   "が空です。空の行や、コンマが二つ続くところ、行末のコンマも"
                   "一つの文として数えられるので、",
                   LaterTexts(i.question, i.last)});
}

std::string Words(const EmptyTextShown& i) { return Joined({TextName(i.question), "が空なので、問題の欄に何も出ません"}); }

std::string Words(const TextsLeftUnread& i) {
    return Joined({"ここから先は読まれません。ゲームが読むのは ", N(i.questions), " 問の文だけなので、", N(i.questions + 1),
                   " 問目からは出題されません"});
}

std::string Words(const KeyFileEmpty& i) {
    return Joined({"ファイルが空です。ゲームはここから ", N(i.questions), " 問の正解を読むので、ゲームの開始で止まります"});
}

std::string Words(const KeyRunsOut& i) {
    return Joined({DescribeFailure(i.failure), "（ファイルには ", N(i.answered), " 問分の正解しかなく、ゲームは ",
                   N(i.questions), " 問読みます）", kGameStopsAtStart});
}

std::string Words(const AnswersRunOut& i) {
    return Joined({DescribeFailure(i.failure), "（正解の数 ", N(i.count), " は ", N(i.countLine), " 行目）", kGameStopsHere});
}

std::string Words(const CountNegative& i) {
    return Joined({CountName(i.question), "が ", N(i.count), " です。イオンは一つも読まれず、残りの正解の数は ", N(i.count),
                   " から始まって 0 にならないので、問題 ", N(i.question), " は", kEndsByBurst, "。正解の数は 1 から ",
                   N(kIonCount), " にしてください"});
}

std::string Words(const CountZero& i) {
    return Joined({CountName(i.question), "が 0 です。正しいイオンがないので、どのボタンを押しても"
                                          "ミス（-100 点）になり、最初の一押しで問題が終わります"});
}

std::string Words(const CountAboveSlots& i) {
    return Joined({CountName(i.question), " ", N(i.count), " が ", N(kMaxAnswersPerQuestion),
                   " を超えています（イオンのボタンも正解の枠も ", N(kMaxAnswersPerQuestion),
                   " 個です）。ゲームは毎回、開始のときにエラーで止まります"});
}

std::string Words(const ExtraAnswersUnread& i) {
    return Joined({CountAgainstLine(i.question, i.count, i.onLine), "この行の最後の ", N(i.onLine - i.count),
                   " 個は読まれません"});
}

std::string Words(const CountOffTheLine& i) {
    const std::string consequence =
        i.onLine < i.count ? Joined({"足りない ", N(i.count - i.onLine), " 個が下の行から取られ、"})
                           : Joined({"この行の最後の ", N(i.onLine - i.count), " 個が問題 ", N(i.question + 1),
                                     " の始まりになり、"});
    const std::string against = CountAgainstLine(i.question, i.count, i.onLine);
    if (i.afterShift) return Joined({against, consequence, "それ以降の問題がすべてずれます"});
    return Joined({against, consequence,
                   i.last ? "この問題が正しく読まれません。" : "それ以降の問題がすべてずれて、別の問題の正解で採点されます。",
                   "正解の数か、この行の番号を直してください"});
}

std::string Words(const AnswerNotAnIon& i) {
    return Joined({RoleName(FieldRole::kAnswer, i.question, i.answer), "が ", N(i.ion), " で、イオンの番号（1 から ",
                   N(kIonCount), "）ではありません。そのイオンのボタンはないので、問題 ", N(i.question), " は",
                   kEndsByBurst});
}

std::string Words(const AnswerTwice& i) {
    return Joined({"イオン ", N(i.ion), "（", IonName(i.ion), "）が問題 ", N(i.question), " に二度書かれています（",
                   N(i.first), " 番目と ", N(i.second),
                   " 番目の正解）。一度押せば見つかるので、残りの正解の数が 0 にならず、問題 ", N(i.question), " は",
                   kEndsByBurst});
}

std::string Words(const KeyLeftUnread& i) {
    return Joined({"ここから先は読まれません。ゲームが読むのは ", N(i.questions), " 問の正解だけです"});
}

std::string Words(const ExplanationFileEmpty&) {
    return "ファイルが空です。メニューは最初の行を説明として表示するので、これがないと"
           "ゲームは起動の時点で止まります";
}

std::string Words(const ExplanationLineBlank&) { return "最初の行が空なので、メニューの説明には何も表示されません"; }

std::string Words(const ExplanationLinesUnshown&) {
    return "メニューに表示されるのは最初の行だけです。この行から後は表示されません";
}

}  // namespace

std::string Describe(const Issue& issue) {
    return std::visit([](const auto& i) { return Words(i); }, issue);
}

std::vector<Finding> Render(const std::string& file, const std::vector<Inspected>& inspected) {
    std::vector<Finding> findings;
    findings.reserve(inspected.size());
    for (const Inspected& i : inspected) {
        std::string message = Describe(i.issue);
        if (i.causeLine != 0) message = Joined({message, "（", N(i.causeLine), " 行目のずれによる）"});
        findings.push_back({i.severity, file, i.line, std::move(message)});
    }
    return findings;
}

}  // namespace soruberia::inspection
