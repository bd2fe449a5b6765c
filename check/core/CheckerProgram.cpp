// SPDX-FileCopyrightText: 2026 The soruberia authors
//
// SPDX-License-Identifier: MIT

#include "check/core/CheckerProgram.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <optional>
#include <system_error>

#include "check/core/ContentCheck.h"
#include "content/ContentFile.h"
#include "content/ContentPaths.h"
#include "content/FatalError.h"

namespace soruberia::check {

namespace {

constexpr const char* kUsage =
    "使い方: soruberia-check [--link アドレス] [フォルダ]\n"
    "ソルベリアの内容を調べます: 問題 フォルダの問題の文、正解、説明、図 フォルダの絵、\n"
    "音 フォルダの音を、すべてフォルダの中で調べ、ゲームを止めたり遊ぶ人を惑わせたり\n"
    "する問題点をすべて報告します。\n"
    "\n"
    "  フォルダ       ゲームのフォルダ。問題、図、音 を含むもの\n"
    "                 （省略すると、このプログラムのあるフォルダ、つまりゲームのフォルダ）\n"
    "  --link アドレス エラーがなければ、問題の 3 つのファイルを丸ごと入れたリンクを\n"
    "                 最後の行に書きます。アドレスはゲームのページ (index.html) のもの\n"
    "                 （例: https://school.example/soruberia/）。生徒はリンクを開くだけで\n"
    "                 その問題で遊べます。リンクの # から後はどのサーバーにも送られません\n"
    "  -h, --help     この説明を表示して終わります\n"
    "  -v, --version  版を表示して終わります\n"
    "\n"
    "問題点は一つにつき一行、ファイル:行: エラー: 内容 の形で書きます（行のないものは\n"
    "ファイル: エラー: 内容）。「エラー」はゲームが止まるか、問題を正しく採点できないもの、\n"
    "「警告」はゲームは受け付けるが遊ぶ人を惑わせるもの、「注」は知っておくとよいことです。\n"
    "最後に件数をまとめた行が続きます。\n"
    "終了状態: 0 エラーなし（警告はあってもよい）、1 エラーあり、2 使い方の誤り。\n";

constexpr const char* kVersion = "soruberia-check " SORUBERIA_VERSION;

Invocation BadUsage(std::string problem) {
    return {Invocation::Kind::kBadUsage, {}, std::move(problem), {}};
}

// The bank's three files as the game reads them.
banklink::BankBytes ReadBank(const std::string& basePath) {
    return {ReadContentFile(FullPath(basePath, paths::kQuestionTexts)).bytes,
            ReadContentFile(FullPath(basePath, paths::kAnswerKey)).bytes,
            ReadContentFile(FullPath(basePath, paths::kExplanation)).bytes};
}

int ReportBadUsage(const std::string& problem, std::ostream& err) {
    err << "soruberia-check: " << problem << "\n"
        << "詳しくは 'soruberia-check --help' を見てください。\n";
    return kExitUsage;
}

}  // namespace

Invocation ParseArguments(const std::vector<std::string>& arguments) {
    std::vector<std::string> folders;
    std::optional<std::string> linkPage;
    bool help = false;
    bool version = false;
    bool options = true;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (options && argument == "--") {
            options = false;
            continue;
        }
        if (options && argument.size() > 1 && argument[0] == '-') {
            const std::string name = argument.substr(argument[1] == '-' ? 2 : 1);
            if (name == "link" || name.starts_with("link=")) {
                if (name == "link" && i + 1 == arguments.size()) {
                    return BadUsage("--link にはゲームのページのアドレスが要ります");
                }
                linkPage = name == "link" ? arguments[++i] : name.substr(5);
                if (!banklink::LinkTo(*linkPage, "")) {
                    return BadUsage("「" + *linkPage + "」はページのアドレスではありません (https:// か http:// で始めてください)");
                }
            } else if (name == "h" || name == "help") {
                help = true;
            } else if (name == "v" || name == "version") {
                version = true;
            } else {
                return BadUsage("不明なオプション「" + argument + "」です");
            }
            continue;
        }
        folders.push_back(argument);
    }
    if (help) return {Invocation::Kind::kHelp, {}, {}, {}};
    if (version) return {Invocation::Kind::kVersion, {}, {}, {}};
    if (folders.size() > 1) {
        return BadUsage("フォルダは一つまでですが、" + std::to_string(folders.size()) + " 個与えられました");
    }
    return {Invocation::Kind::kCheck, folders.empty() ? std::string() : folders.front(), {}, linkPage.value_or("")};
}

int RunChecker(const std::vector<std::string>& arguments, const ContentCheck& check,
               std::ostream& out, std::ostream& err, const banklink::Deflate& deflate) {
    const Invocation invocation = ParseArguments(arguments);
    switch (invocation.kind) {
        case Invocation::Kind::kHelp:
            out << kUsage;
            return kExitClean;
        case Invocation::Kind::kVersion:
            out << kVersion << "\n";
            return kExitClean;
        case Invocation::Kind::kBadUsage:
            return ReportBadUsage(invocation.problem, err);
        case Invocation::Kind::kCheck:
            break;
    }

    const bool ownFolder = invocation.folder.empty();
    std::string basePath;
    try {
        basePath = DeriveBasePath(ownFolder ? ExecutableFolder() : invocation.folder);
    } catch (const FatalError& failure) {
        return ReportBadUsage(std::string(failure.what()) + "。調べるフォルダを指定してください", err);
    }
    if (!ownFolder) {
        std::error_code error;
        if (!std::filesystem::is_directory(NativePath(invocation.folder), error)) {
            return ReportBadUsage(invocation.folder + ": そのようなフォルダはありません", err);
        }
    }

    std::vector<Finding> findings;
    try {
        findings = check(basePath);
    } catch (const std::exception& failure) {
        err << "soruberia-check: 調べる途中で失敗しました: " << failure.what() << "\n";
        return kExitErrors;
    }
    for (const Finding& finding : findings) out << FormatFinding(finding) << "\n";
    const std::string where = DisplayPath(basePath.empty() ? "\\" : basePath);
    out << "soruberia-check: " << where << ": " << ReportSummary(findings) << "\n";
    if (invocation.linkPage.empty()) return HasErrors(findings) ? kExitErrors : kExitClean;
    if (HasErrors(findings)) {
        err << "soruberia-check: エラーのある問題からは、リンクを作りません\n";
        return kExitErrors;
    }
    if (!deflate) {
        err << "soruberia-check: このプログラムではリンクを作れません\n";
        return kExitErrors;
    }
    std::string link;
    try {
        link = *banklink::LinkTo(invocation.linkPage, banklink::Encode(ReadBank(basePath), deflate));
    } catch (const std::exception& failure) {
        err << "soruberia-check: リンクを作れませんでした: " << failure.what() << "\n";
        return kExitErrors;
    }
    if (banklink::OnlyThisMachine(invocation.linkPage)) {
        err << "soruberia-check: 注意: " << invocation.linkPage
            << " はこのコンピュータの中だけのアドレスです。生徒の端末からは開けません\n";
    }
    out << link << "\n";
    return kExitClean;
}

bool HasErrors(const std::vector<Finding>& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& finding) { return finding.severity == Severity::kError; });
}

std::string ReportSummary(const std::vector<Finding>& findings) {
    const auto count = [&findings](Severity severity) {
        return std::to_string(std::count_if(findings.begin(), findings.end(),
                                            [severity](const Finding& f) { return f.severity == severity; }));
    };
    const std::string errors = count(Severity::kError);
    const std::string warnings = count(Severity::kWarning);
    if (errors == "0" && warnings == "0") return "問題点は見つかりませんでした";
    return "エラー " + errors + " 件、警告 " + warnings + " 件";
}

}  // namespace soruberia::check
