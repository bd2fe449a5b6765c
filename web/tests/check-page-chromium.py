#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

"""The check page in headless Chromium, under its own Content Security
Policy, served from 127.0.0.1: 問題 beside the page has no problem, and a
bank folder beside it (?bank=) with a question longer than the label shows
that question cut off even at the smallest size and one the page shrinks,
each under its file with its line, measured by label-fit.js with the
device's fonts. Exits 77 (skipped) where Chromium is not installed.
   check-page-chromium.py <site>"""
import functools
import html
import http.server
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading

site = sys.argv[1]
chromium = shutil.which("chromium") or shutil.which("chromium-browser")
if not chromium:
    print("chromium is not installed")
    sys.exit(77)

LONG = "過剰のアンモニア水を加えると一度生じた沈殿が溶けて深青色の溶液になるイオンはどれとどれか"
SHRUNK = "過剰のアンモニア水を加えると一度生じた沈殿が溶けて深い青色の溶液に"
BANK = "my bank"


def report(url):
    """The page's summary and its findings as (file, line, kind, message)."""
    dom = subprocess.run([chromium, "--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
                          "--user-data-dir=" + profile, "--virtual-time-budget=30000", "--dump-dom", url],
                         capture_output=True, timeout=120).stdout.decode("utf-8")
    summary = re.search(r'<p id="summary"[^>]*>(.*?)</p>', dom, re.S).group(1)
    findings = []
    for section in re.findall(r"<section>(.*?)</section>", dom, re.S):
        file = html.unescape(re.search(r"<h2>(.*?)</h2>", section).group(1))
        for line, kind, message in re.findall(
                r'<span class="line">(.*?)</span><span class="kind">(.*?)</span><span class="message">(.*?)</span>',
                section, re.S):
            findings.append((file, line, kind, html.unescape(message)))
    return html.unescape(summary), findings


root = tempfile.mkdtemp()
profile = os.path.join(root, "profile")
served = os.path.join(root, "site")
shutil.copytree(site, served)
bank = os.path.join(served, BANK)
shutil.copytree(os.path.join(served, "問題"), bank)
with open(os.path.join(bank, "mondai.txt"), "rb") as f:
    lines = f.read().split(b"\r\n")
lines[10] = ('"%s"' % LONG).encode("cp932")
lines[11] = ('"%s"' % SHRUNK).encode("cp932")
with open(os.path.join(bank, "mondai.txt"), "wb") as f:
    f.write(b"\r\n".join(lines))

class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=served))
threading.Thread(target=server.serve_forever, daemon=True).start()
base = "http://127.0.0.1:%d/check.html" % server.server_address[1]
failures = []
try:
    summary, findings = report(base)
    if summary != "問題点は見つかりませんでした" or findings:
        failures.append("問題 beside the page: %s %s" % (summary, findings))

    summary, findings = report(base + "?bank=" + BANK.replace(" ", "%20"))
    if summary != "エラー 1 件、警告 0 件":
        failures.append("summary: " + summary)
    kinds = [(file, line, kind) for file, line, kind, _ in findings]
    if kinds != [(BANK + "/mondai.txt", "11 行目", "エラー"), (BANK + "/mondai.txt", "12 行目", "注")]:
        failures.append("findings: %s" % findings)
    else:
        cut, shrunk = findings[0][3], findings[1][3]
        if not re.match(r"問題 11 の文が切れています: 文字を 80 % に縮めても \d 行、高さ \d+ px に折り返されますが、"
                        r"問題の欄に出るのは 49 px（2 行）です。生徒には「.+」が見えません。文を短くしてください$", cut):
            failures.append("cut: " + cut)
        elif not LONG.endswith(re.search(r"「(.+)」が見えません", cut).group(1)):
            failures.append("cut off is no end of the question: " + cut)
        if not re.match(r"問題 12 の文は、そのままの文字の大きさでは問題の欄（2 行）に収まらないため、"
                        r"文字を (95|90|85|80) % に縮めて表示されます$", shrunk):
            failures.append("shrunk: " + shrunk)
finally:
    server.shutdown()
    shutil.rmtree(root, ignore_errors=True)

for failure in failures:
    print("FAIL:", failure)
print("check page in Chromium: %s" % ("ok" if not failures else "%d failures" % len(failures)))
sys.exit(1 if failures else 0)
