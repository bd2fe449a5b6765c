#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

"""A checker program on copies of the default content (data/), each broken
in one way, in a folder whose name is not ASCII: its exit status and every
line of its report. The Linux and the Windows checker and the check page's
module are held to the same table, so all give the same report lines; where
the question label is measured (Qt, GDI, or the page's label, modelled in
Node) only the beginning of the line is compared.
   broken-copies.py <data> linux <checker>
   broken-copies.py <data> windows <checker.exe> <wine-run.sh>
   broken-copies.py <data> web <check-cli.js> <site>"""
import os
import shutil
import subprocess
import sys
import tempfile

data, platform, checker = sys.argv[1], sys.argv[2], sys.argv[3]
wine = sys.argv[4] if platform == "windows" else None
site = sys.argv[4] if platform == "web" else None

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

def replace_file(folder, relative, data_bytes):
    write(folder, relative, data_bytes)


def read(folder, relative):
    with open(os.path.join(folder, relative), "rb") as f:
        return f.read()


def cut_texts_after(folder, count):
    lines = read(folder, TEXTS).split(b"\r\n")
    write(folder, TEXTS, b"\r\n".join(lines[:count]) + b"\r\n")


def cut_key_after(folder, count):
    lines = read(folder, KEY).split(b"\r\n")
    write(folder, KEY, b"\r\n".join(lines[:count]) + b"\r\n")


def append(folder, relative, data_bytes):
    with open(os.path.join(folder, relative), "ab") as f:
        f.write(data_bytes)


def recode(folder, relative, encoding, bom=b""):
    write(folder, relative, bom + read(folder, relative).decode("cp932").encode(encoding))


def rename(folder, relative, new_name):
    os.rename(os.path.join(folder, relative), os.path.join(folder, os.path.dirname(relative), new_name))


# The hostile files every front-end's tests share: a real MP3 named .wav,
# a GIF that says it is 20000 x 20000 in 58 bytes, one cut in its image
# data, a WAV header with no data.
MEDIA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "media")


def hostile(name):
    with open(os.path.join(MEDIA, name), "rb") as f:
        return f.read()


PICTURE_NEEDED = "。ゲームはこの画像が要る場面で止まります"
SOUND_SKIPPED = "。ゲームはこの音を鳴らさずに続きます"

# name, change, exit status, report lines below the folder (a final "*"
# compares the beginning only; a dict gives each platform its own). Each case is one mistake a teacher makes,
# and its report names the cause once.
CASES = [
    ("the default content", None, 0, []),
    ("a missing folder", lambda f: shutil.rmtree(os.path.join(f, "音")), 0,
     ["音: 警告: フォルダがありません。ゲームはここから 音 o.wav、x.wav、pan.wav、dame.wav、gokaku.wav を読みます。"
      "ゲームは音を鳴らさずに続きます"]),
    ("a missing picture folder", lambda f: shutil.rmtree(os.path.join(f, "図")), 1,
     ["図: エラー: フォルダがありません。*"]),
    ("missing question texts", lambda f: os.remove(os.path.join(f, TEXTS)), 1,
     ["問題/mondai.txt: エラー: ファイルがありません。ゲームはここから問題の文を読みます"]),
    ("question texts saved with a doubled extension", lambda f: rename(f, TEXTS, "mondai.txt.txt"), 1,
     ["問題/mondai.txt: エラー: ファイルがありません。ゲームはここから問題の文を読みます。フォルダーにあるのは"
      "「mondai.txt.txt」です。拡張子が二重に付いています（Windows が既知の拡張子を隠しているため、「mondai.txt」と"
      "入力すると起こります）。名前を「mondai.txt」に変えてください"]),
    ("question texts saved as UTF-16", lambda f: recode(f, TEXTS, "utf-16"), 1,
     ["問題/mondai.txt: エラー: ファイルが UTF-16（メモ帳の「Unicode」）で保存されていますが、*"]),
    ("question texts saved as UTF-8 with a byte order mark", lambda f: recode(f, TEXTS, "utf-8", b"\xef\xbb\xbf"), 1,
     ["問題/mondai.txt: エラー: ファイルが UTF-8（BOM 付き）で保存されていますが、*"]),
    ("answer key saved as UTF-16", lambda f: recode(f, KEY, "utf-16"), 1,
     ["問題/kotae.txt: エラー: ファイルが UTF-16（メモ帳の「Unicode」）で保存されていますが、*"]),
    ("missing explanation", lambda f: os.remove(os.path.join(f, "問題/setumei.txt")), 1,
     ["問題/setumei.txt: エラー: ファイルがありません。*"]),
    ("empty explanation", lambda f: write(f, "問題/setumei.txt", b""), 1,
     ["問題/setumei.txt: エラー: ファイルが空です*"]),
    ("25 question texts", lambda f: cut_texts_after(f, 25), 1,
     ["問題/mondai.txt:25: エラー: 26 番目の項目（問題 26 の文）: 問題 26 の文を読む前にファイルが終わっています*"]),
    ("a 27th question", lambda f: append(f, TEXTS, "\"27 問目\"\r\n".encode("cp932")), 0,
     ["問題/mondai.txt:27: 警告: ここから先は読まれません。ゲームが読むのは 26 問の文だけなので、27 問目からは出題されません"]),
    ("20 answers", lambda f: cut_key_after(f, 20), 1,
     ["問題/kotae.txt:20: エラー: 64 番目の項目（問題 21 の正解の数）: 問題 21 の正解の数を読む前に*"]),
    ("count 13", lambda f: set_line(f, KEY, 4, "13,1,2,3,4,5,6,7,8,9,10,11,12,1"), 1,
     ["問題/kotae.txt:4: エラー: 問題 4 の正解の数 13 が 12 を超えています（イオンのボタンも正解の枠も 12 個です）。"
      "ゲームは毎回、開始のときにエラーで止まります"]),
    ("count 0", lambda f: set_line(f, KEY, 5, "0"), 0,
     ["問題/kotae.txt:5: 警告: 問題 5 の正解の数が 0 です*"]),
    ("ion twice", lambda f: set_line(f, KEY, 7, "3,5,9,5"), 1,
     ["問題/kotae.txt:7: エラー: イオン 5（Cu²⁺）が問題 7 に二度書かれています（1 番目と 3 番目の正解）。一度押せば"
      "見つかるので、残りの正解の数が 0 にならず、問題 7 は正解では終わりません。5 回目のミスで風船が割れ、"
      "得点が半分になって次の問題に進みます"]),
    ("ion 13", lambda f: set_line(f, KEY, 8, "2,13,1"), 1,
     ["問題/kotae.txt:8: エラー: 問題 8 の 1 番目の正解が 13 で、イオンの番号（1 から 12）ではありません。"
      "そのイオンのボタンはないので、問題 8 は正解では終わりません。5 回目のミスで風船が割れ、得点が半分になって"
      "次の問題に進みます"]),
    ("an ion's name instead of its number", lambda f: set_line(f, KEY, 9, "1,Ag+"), 1,
     ["問題/kotae.txt:9: エラー: 30 番目の項目（問題 9 の 1 番目の正解）: 数ではありません: 「Ag+」"
      "（イオンの名前ではなく番号を書いてください: Ag⁺ は 1 です）。ゲームはここで止まります"]),
    ("a number beyond 16 bits", lambda f: set_line(f, KEY, 9, "1,70000"), 1,
     ["問題/kotae.txt:9: エラー: 30 番目の項目（問題 9 の 1 番目の正解）: 数 「70000」 が -32768 から 32767 の範囲の外です*"]),
    ("a full-width digit", lambda f: set_line(f, KEY, 10, "1,３"), 1,
     ["問題/kotae.txt:10: エラー: 32 番目の項目（問題 10 の 1 番目の正解）: 数ではありません: 「３」（全角の数字です*"]),
    ("an unquoted comma", lambda f: set_line(f, TEXTS, 13, "沈殿,するイオン"), 1,
     ["問題/mondai.txt:13: エラー: 問題 13 の文は二重引用符で囲まれていないので、半角のコンマ , で終わります*",
      "問題/mondai.txt:26: 注: ここから先は読まれません。ゲームが読むのは 26 問の文だけなので、27 問目からは出題されません"
      "（13 行目のずれによる）"]),
    ("a half-width quote inside a quoted text", lambda f: set_line(f, TEXTS, 14, '"硫化水素を"通じる"と"'), 1,
     ["問題/mondai.txt:14: エラー: 14 番目の項目（問題 14 の文）: 閉じる二重引用符 \" のあとに文字があります: "
      "「通じる\"と\"」（半角の二重引用符 \" は文の中に書けません。そこで文が終わったと読まれます。文の中の引用符は"
      "全角の “ ” か 「 」 にしてください）。ゲームはここで止まります"]),
    ("a count that does not match its line", lambda f: set_line(f, KEY, 26, "3,1,2"), 1,
     ["問題/kotae.txt:26: エラー: 問題 26: 正解の数 3 のあとに、この行にはイオンの番号が 2 個あります*",
      "問題/kotae.txt:26: 注: 87 番目の項目（問題 26 の 3 番目の正解）: 問題 26 の 3 番目の正解を読む前に*"]),
    ("bad Shift-JIS", lambda f: write(f, TEXTS, read(f, TEXTS).replace(
        read(f, TEXTS).split(b"\r\n")[11], b'"ab\x81\x7f"', 1)), 1,
     ["問題/mondai.txt:12: エラー: 12 番目の項目（問題 12 の文）: Shift-JIS（コードページ 932）として読めないバイトがあります: "
      "行の 4 バイト目の 0x81 0x7F。*"]),
    ("a question the label cuts off", lambda f: set_line(f, TEXTS, 11, LONG), 1, [CUT]),
    ("a missing found picture", lambda f: os.remove(os.path.join(f, "図/ion'(7).gif")), 1,
     ["図/ion'(7).gif: エラー: ファイルがありません (イオンボタン 7 (Fe³⁺) の正解後の画像)。ゲームはこの画像が要る場面で止まります"]),
    # Windows finds a file whatever the letter case of its name; Linux does
    # not, and the page fetches the name the game reads and sees no other.
    ("a picture named in other case", lambda f: rename(f, "図/maru.gif", "MARU.GIF"),
     {"linux": 1, "windows": 0, "web": 1},
     {"linux": ["図/maru.gif: エラー: ファイルがありません (正解の印の画像)。フォルダーにあるのは大文字と小文字だけが"
                "違う「MARU.GIF」です。ファイル名は大文字と小文字まで一致させてください。ゲームはこの画像が要る場面で"
                "止まります"],
      "windows": [],
      "web": ["図/maru.gif: エラー: ファイルがありません (正解の印の画像)。ゲームはこの画像が要る場面で止まります"]}),
    ("an undecodable picture", lambda f: write(f, "図/batu.gif", b"GIF89a not really"), 1,
     ["図/batu.gif: エラー: 画像を読み込めません (*"]),
    ("a picture larger than its button", lambda f: shutil.copyfile(
        os.path.join(f, "図/maru.gif"), os.path.join(f, "図/ion(3).gif")), 0,
     ["図/ion(3).gif: 警告: 画像が 145 x 145 px で、イオンボタン (102 x 61 px) より大きいため、ゲームでは真ん中の "
      "102 x 61 px だけが見えます"]),
    ("a missing sound", lambda f: os.remove(os.path.join(f, "音/x.wav")), 0,
     ["音/x.wav: 警告: ファイルがありません (不正解の音)。ゲームはこの音を鳴らさずに続きます"]),
    ("a GIF that says it is 20000 x 20000", lambda f: write(f, "図/ion(2).gif", hostile("lying.gif")), 1,
     ["図/ion(2).gif: エラー: 画像を読み込めません (画像が大きすぎます: 20000 x 20000 px です。幅も高さも 1024 px "
      "までにしてください)" + PICTURE_NEEDED]),
    ("a GIF cut in its image data", lambda f: write(f, "図/maru.gif", hostile("cut.gif")), 1,
     ["図/maru.gif: エラー: 画像を読み込めません (画像のデータが壊れています)" + PICTURE_NEEDED]),
    ("a WAV header with no data", lambda f: write(f, "音/x.wav", hostile("header-only.wav")), 0,
     {"linux": ["音/x.wav: 警告: 音を鳴らせません (音のファイルが壊れています)" + SOUND_SKIPPED],
      "windows": ["音/x.wav: 警告: 音を鳴らせません (音のデータがありません)" + SOUND_SKIPPED],
      "web": ["音/x.wav: 警告: 音を鳴らせません (音のデータがありません)" + SOUND_SKIPPED]}),
    ("an MP3 saved as o.wav", lambda f: write(f, "音/o.wav", hostile("mp3.wav")), 0,
     ["音/o.wav: 警告: WAV ファイルではありません（MP3 など別の形式のファイルは、名前を .wav にしても WAV には"
      "なりません。WAV 形式で書き出してください）。ゲームはこの音を鳴らさずに続きます"]),
    ("an undecodable sound", lambda f: write(f, "音/pan.wav", b"RIFF....WAVEjunk"), 0,
     ["音/pan.wav: 警告: 音を鳴らせません (*"]),
]


def run(folder):
    if platform == "windows":
        command = [wine, checker, "Z:" + folder.replace("/", "\\")]
    elif platform == "web":
        command = [checker, site, folder]
    else:
        command = [checker, folder]
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    # Files, not pipes: helpers that Wine starts inherit the output and
    # would hold a pipe open long after the checker has ended.
    with tempfile.TemporaryFile() as out_file, tempfile.TemporaryFile() as err_file:
        code = subprocess.run(command, stdout=out_file, stderr=err_file, env=env, timeout=300).returncode
        out_file.seek(0)
        err_file.seek(0)
        out = out_file.read().decode("utf-8")
        err = err_file.read().decode("utf-8", "replace")
    base = "Z:" + folder.replace("/", "\\") if platform == "windows" else folder
    separator = "\\" if platform == "windows" else "/"
    lines = []
    for line in out.splitlines():
        if line.startswith(base + separator):
            rest = line[len(base) + 1:]
            path, _, message = rest.partition(": ")
            line = path.replace("\\", "/") + ": " + message
        lines.append(line.replace(base, "{base}"))
    return code, lines, err


def matches(expected, line):
    return line.startswith(expected[:-1]) if expected.endswith("*") else line == expected


failures = 0
root = tempfile.mkdtemp()
try:
    for name, change, status, expected in CASES:
        if isinstance(status, dict):
            status = status[platform]
        if isinstance(expected, dict):
            expected = expected[platform]
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
