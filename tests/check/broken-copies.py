#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

"""A checker program on copies of the default content (data/), each broken
in one way, in a folder whose name is not ASCII: its exit status and every
line of its report. The Linux and the Windows checker are held to the same
table, so both give the same report lines; where the question label is
measured (Qt there, GDI here) only the beginning of the line is compared.
   broken-copies.py <data> linux <checker>
   broken-copies.py <data> windows <checker.exe> <wine-run.sh>"""
import os
import shutil
import subprocess
import sys
import tempfile

data, platform, checker = sys.argv[1], sys.argv[2], sys.argv[3]
wine = sys.argv[4] if platform == "windows" else None

TEXTS, KEY = "問題/mondai.txt", "問題/kotae.txt"


def set_line(folder, relative, line, text):
    path = os.path.join(folder, relative)
    with open(path, "rb") as f:
        lines = f.read().split(b"\r\n")
    lines[line - 1] = text.encode("cp932")
    with open(path, "wb") as f:
        f.write(b"\r\n".join(lines))


def write(folder, relative, data_bytes):
    with open(os.path.join(folder, relative), "wb") as f:
        f.write(data_bytes)


LONG = '"過剰のアンモニア水を加えると一度生じた沈殿が溶けて深青色の溶液になるイオンはどれとどれか"'
CUT = "問題/mondai.txt:11: エラー: 問題 11 の文が切れています: *"

# name, change, exit status, report lines below the folder (a final "*"
# compares the beginning only)
CASES = [
    ("the default content", None, 0, []),
    ("a missing folder", lambda f: shutil.rmtree(os.path.join(f, "音")), 1,
     ["音: エラー: フォルダがありません。ゲームはここから 音 o.wav、x.wav、pan.wav、dame.wav、gokaku.wav を読みます"]),
    ("an unquoted comma", lambda f: set_line(f, TEXTS, 13, "沈殿,するイオン"), 1,
     ["問題/mondai.txt:13: エラー: 問題 13 の文は二重引用符で囲まれていないので、半角のコンマ , で終わります*",
      "問題/mondai.txt:26: 注: ここから先は読まれません。ゲームが読むのは 26 問の文だけです（13 行目のずれによる）"]),
    ("a count that does not match its line", lambda f: set_line(f, KEY, 26, "3,1,2"), 1,
     ["問題/kotae.txt:26: エラー: 問題 26: 正解の数 3 のあとに、この行にはイオンの番号が 2 個あります*",
      "問題/kotae.txt:26: 注: 87 番目の項目（問題 26 の 3 番目の正解）: 問題 26 の 3 番目の正解を読む前に*"]),
    ("a question the label cuts off", lambda f: set_line(f, TEXTS, 11, LONG), 1, [CUT]),
    ("an undecodable picture", lambda f: write(f, "図/batu.gif", b"GIF89a not really"), 1,
     ["図/batu.gif: エラー: 画像を読み込めません (*"]),
    ("a missing sound", lambda f: os.remove(os.path.join(f, "音/x.wav")), 1,
     ["音/x.wav: エラー: ファイルがありません (不正解の音)。ゲームはこの音を鳴らさずに続きます"]),
]


def run(folder):
    if platform == "windows":
        command = [wine, checker, "Z:" + folder.replace("/", "\\")]
    else:
        command = [checker, folder]
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    done = subprocess.run(command, capture_output=True, env=env, timeout=300)
    out = done.stdout.decode("utf-8")
    base = "Z:" + folder.replace("/", "\\") if platform == "windows" else folder
    separator = "\\" if platform == "windows" else "/"
    lines = []
    for line in out.splitlines():
        if line.startswith(base + separator):
            rest = line[len(base) + 1:]
            path, _, message = rest.partition(": ")
            line = path.replace("\\", "/") + ": " + message
        lines.append(line.replace(base, "{base}"))
    return done.returncode, lines, done.stderr.decode("utf-8", "replace")


def matches(expected, line):
    return line.startswith(expected[:-1]) if expected.endswith("*") else line == expected


failures = 0
root = tempfile.mkdtemp()
try:
    for name, change, status, expected in CASES:
        folder = os.path.join(root, "ソルベリア 試験")
        shutil.rmtree(folder, ignore_errors=True)
        shutil.copytree(data, folder)
        if change is not None:
            change(folder)
        code, lines, err = run(folder)
        findings = lines[:-1]
        problems = []
        if code != status:
            problems.append("exit status %d, not %d" % (code, status))
        if len(findings) != len(expected) or not all(map(matches, expected, findings)):
            problems.append("report differs:\n  expected: %s\n  got:      %s" %
                            ("\n            ".join(expected), "\n            ".join(findings)))
        errors = sum(": エラー: " in l for l in findings)
        warnings = sum(": 警告: " in l for l in findings)
        summary = ("soruberia-check: {base}: " +
                   ("問題点は見つかりませんでした" if errors + warnings == 0
                    else "エラー %d 件、警告 %d 件" % (errors, warnings)))
        if not lines or lines[-1] != summary:
            problems.append("summary is not %r" % summary)
        if err:
            problems.append("stderr: " + err)
        print("%s: %s" % (name, "ok" if not problems else "FAIL"))
        for p in problems:
            print("   ", p)
        failures += bool(problems)
finally:
    shutil.rmtree(root, ignore_errors=True)
sys.exit(1 if failures else 0)
