#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# The Windows program's windows under 64-bit Wine on an Xvfb of their own,
# from a copy of the program folder with the default content:
#   wine-windows.sh MODE GAME_DIR SHOTS_DIR PROBE_EXE [PULSE_SANDBOX]
#   play        menu, keyboard, game, a press, hint, close, quit
#   scaled      the windows at 150 %, closed one by one
#   broken      without setumei.txt: the message box only
#   failure     a perfect question, five misses: the burst, the score halved
#   pass        played to 10000 points: the medal, the retry
#   no-picture  without Zn²⁺'s picture: the box at start
#   sounds      (with PULSE_SANDBOX, tests/platform/pulse-sandbox.sh) a right
#               press, five misses, the failure: the sounds recorded
# PROBE_EXE is window-probe.exe, which reads the windows as a screen reader.
# Screenshots of every window go to SHOTS_DIR, to be looked at.
set -euo pipefail

mode=$1
if [ "$mode" = sounds ]; then
  # Wine drops sound it could not feed in time on a busy machine; a fault of
  # the program shows in every attempt, so the game is recorded up to three
  # times, each on a fresh display, prefix and sound server.
  for attempt in 1 2 3; do
    "$0" sounds-once "${@:2}" && exit 0
    status=$?
    [ "$status" -ne 77 ] || exit 77
    echo "attempt $attempt failed"
  done
  exit 1
fi
tools="Xvfb xdotool import convert iconv /usr/lib/wine/wine64"
[ "$mode" != sounds-once ] || tools="$tools sox parec pulseaudio"
for tool in $tools; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
game_dir=$(realpath "$2")
shots=$(realpath -m "$3")
probe_exe=$(realpath "$4")
mkdir -p "$shots"

work=$(mktemp -d "${TMPDIR:-/tmp}/soruberia-wine-ui.XXXXXX")
xvfb_pid=""
exe_pid=""
parec_pid=""
sandbox=${5:-}
cleanup() {
  if [ -n "$exe_pid" ]; then kill "$exe_pid" 2>/dev/null || true; fi
  WINEPREFIX="$work/prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  if [ -n "$parec_pid" ]; then kill "$parec_pid" 2>/dev/null || true; fi
  if [ -d "$work/pulse" ]; then sh "$sandbox" stop "$work/pulse"; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The program folder as a teacher unpacks it.
mkdir -p "$work/game"
cp -r "$game_dir/soruberia.exe" "$game_dir/問題" "$game_dir/図" "$game_dir/音" "$work/game/"
case $mode in
  failure)
    # Every question is answered by the ions 1 to 11; Zn²⁺ is always wrong.
    for _ in $(seq 26); do printf '11,1,2,3,4,5,6,7,8,9,10,11\r\n'; done >"$work/game/問題/kotae.txt"
    ;;
  pass | sounds-once)
    # Every question has one answer, Ag⁺; Zn²⁺ is always wrong.
    for _ in $(seq 26); do printf '1,1\r\n'; done >"$work/game/問題/kotae.txt"
    ;;
  broken) rm "$work/game/問題/setumei.txt" ;;
  no-picture) rm "$work/game/図/ion(12).gif" ;;
esac
if [ "$mode" = sounds-once ]; then
  # A tone of its own pitch for every sound, as long as the sound it stands
  # for and in its format (44.1 kHz mono), at half of full scale (-6 dBFS).
  tone() { sox -n -r 44100 -c 1 -b 16 "$work/game/音/$1" synth "$2" sine "$3" vol 0.5; }
  tone o.wav 0.85 400
  tone x.wav 0.55 600
  tone pan.wav 0.3 1000
  tone dame.wav 1.0 1600
  tone gokaku.wav 1.6 2400
  sh "$sandbox" start "$work/pulse" $$
  export PULSE_SERVER="unix:$work/pulse/native"
fi
listing() { (cd "$work/game" && find . -printf '%p %s %T@\n' | sort); }
before=$(listing)

# An X server of our own.
exec 5<> <(:)
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 20 display <&5 || fail "Xvfb did not start"
export DISPLAY=":$display"

# A fresh Wine prefix where the fonts the windows ask for by name are the IPA fonts.
export WINEPREFIX="$work/prefix" WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
# Sound through PulseAudio only.
[ "$mode" != sounds-once ] || WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winealsa.drv="
if [ "$mode" = failure ]; then
  # A home and a temporary folder of the test's own, so that anything the
  # program writes there (or through the user folders Wine links into the
  # home) is seen, and nothing that other programs write is.
  mkdir -p "$work/home" "$work/tmp"
  export HOME="$work/home" TMPDIR="$work/tmp"
fi
wine=/usr/lib/wine/wine64
"$wine" wineboot --init >/dev/null 2>&1
reg="$work/fonts.reg"
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
  printf '"ＭＳ 明朝"="IPAMincho"\r\n"ＭＳ Ｐ明朝"="IPAPMincho"\r\n"ＭＳ Ｐゴシック"="IPAPGothic"\r\n'
  # The message box's face, as on a Japanese Windows, which has the glyphs.
  printf '"Tahoma"="IPAPGothic"\r\n"MS Shell Dlg"="IPAPGothic"\r\n'
} | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg"
"$wine" regedit /S "Z:${reg//\//\\}" >/dev/null 2>&1
if [ "$mode" = scaled ]; then
  # 144 dots per inch: Windows' 150 %.
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
  "$wine" reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
  "$wine" wineboot --shutdown >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w
fi

# Where the program could write: its folder (also the working folder), the
# home, the temporary folder, drive C: of the prefix (the user's profile,
# its temporary folder, the Windows folder) and the registry (the keys Wine
# saves once its server has ended). Folders count by name only, files by
# size and time. Left out is what Wine and its sound client keep for
# themselves: the server's folder, PulseAudio's client files, and the keys
# Wine refreshes at every start or fills when a program opens a sound device.
written_listing() {
  find "$work/game" "$HOME" "$TMPDIR" "$WINEPREFIX/drive_c" \
    \( -path "$TMPDIR/wine-*" -o -path "$TMPDIR/pulse-*" -o -path "$HOME/.config/pulse" \) -prune -o \
    \( -type d -printf '%p/\n' \) -o -printf '%p %s %T@\n' | sort
  sed -n 's/^\(\[.*\]\) [0-9]*$/\1/p' "$WINEPREFIX"/*.reg |
    grep -v -e '^\[Software\\\\Wine\\\\' -e '\\\\MMDevices\\\\' -e '\\\\NetworkCards\]' | sort
}
if [ "$mode" = failure ]; then
  /usr/lib/wine/wineserver -w
  before_written=$(written_listing)
fi
(cd "$work/game" && exec "$wine" ./soruberia.exe) >"$work/exe.log" 2>&1 &
exe_pid=$!

# The X window of the Windows window with this exact title, once it is shown.
window_named() {
  local id
  for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
    echo "$id"
  done
}
wait_window() {
  local title=$1 deadline=$((SECONDS + ${2:-60})) ids
  while [ $SECONDS -lt $deadline ]; do
    ids=$(window_named "$title")
    if [ -n "$ids" ]; then echo "$ids"; return 0; fi
    kill -0 "$exe_pid" 2>/dev/null || fail "the program ended while waiting for $title"
    sleep 0.2
  done
  fail "no window $title"
}
wait_gone() {
  local title=$1 deadline=$((SECONDS + 20))
  while [ $SECONDS -lt $deadline ]; do
    [ -z "$(window_named "$title")" ] && return 0
    sleep 0.2
  done
  fail "window $title still shown"
}
# Without a window manager a Wine window's X window is its client area.
shot() {
  local id=$1 name=$2
  import -window "$id" "$shots/$name.png" 2>/dev/null
}
# The colour at (x, y) of a screenshot, as RRGGBB.
pixel() {
  convert "$shots/$1.png" +repage -format "%[hex:p{$2,$3}]" info: | cut -c1-6
}
# Pixels of the region (w × h at x, y) that are strongly yellow: label text.
yellow_pixels() {
  convert "$shots/$1.png" +repage -crop "$4x$5+$2+$3" +repage -fx 'r>0.8 && g>0.8 && b<0.3 ? 1 : 0' \
    -format '%[fx:round(mean*w*h)]' info:
}
# Waits until the menu's buttons are up: the start button's red face at
# (431, 328) + 5 device-independent pixels, scaled by $2 percent.
wait_buttons() {
  local menu=$1 x=$((436 * ${2:-100} / 100)) y=$((333 * ${2:-100} / 100)) face deadline=$((SECONDS + 30))
  while [ $SECONDS -lt $deadline ]; do
    shot "$menu" menu-waiting
    face=$(pixel menu-waiting "$x" "$y")
    if [ $((16#${face:0:2})) -ge 192 ] && [ $((16#${face:2:2})) -le 96 ]; then
      rm -f "$shots/menu-waiting.png"
      return 0
    fi
    sleep 0.2
  done
  fail "the menu's buttons did not come up"
}

# Sets status to the program's exit status once it has ended.
status=""
# Pixels of the region that are white: text on the explanation panel.
white_pixels() {
  convert "$shots/$1.png" +repage -crop "$4x$5+$2+$3" +repage -fx 'r>0.9 && g>0.9 && b>0.9 ? 1 : 0' \
    -format '%[fx:round(mean*w*h)]' info:
}
wait_exit() {
  local deadline=$((SECONDS + 30))
  while kill -0 "$exe_pid" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "the program did not end"
    sleep 0.2
  done
  status=0
  wait "$exe_pid" || status=$?
  exe_pid=""
}
key() { xdotool key --window "$@" 2>/dev/null; }
# The program's windows as a screen reader reads them (window-probe.exe):
# one line a widget, NAME VISIBLE LEFT TOP WIDTH HEIGHT FOCUSED TEXT.
probe() { "$wine" "$probe_exe" "$@" 2>/dev/null; }
widget() { probe "$1" | awk -F '\t' -v name="$2" '$1 == name'; }
# Waits until the widget's line satisfies the awk condition.
wait_widget() {
  local title=$1 name=$2 condition=$3 deadline=$((SECONDS + $4))
  while [ $SECONDS -lt $deadline ]; do
    widget "$title" "$name" | awk -F '\t' "$condition { found = 1 } END { exit !found }" && return 0
    sleep 0.2
  done
  return 1
}
# Clicks the middle of a widget, found where the window says it is.
click_widget() {
  local title=$1 window=$2 x y
  read -r x y < <(widget "$title" "$3" | awk -F '\t' '{ print $3 + int($5 / 2), $4 + int($6 / 2) }')
  [ -n "$x" ] || fail "no widget $3 in $title"
  xdotool mousemove --window "$window" "$x" "$y" click 1
}

if [ "$mode" = broken ]; then
  box=$(wait_window "ソルベリア" 60)
  [ -z "$(window_named "メニュー")" ] || fail "the menu showed despite the missing explanation"
  shot "$box" broken-message-box
  key "$box" Return
  wait_exit
  [ "$status" -ne 0 ] || fail "exit status $status after the failure"
  grep -q "setumei.txt" "$work/exe.log" || fail "the failure does not name setumei.txt: $(cat "$work/exe.log")"
  [ "$before" = "$(listing)" ] || fail "the program folder changed"
  echo "broken: message box, exit status $status"
  exit 0
fi

menu=$(wait_window "メニュー" 60)
[ "$(echo "$menu" | wc -l)" -eq 1 ] || fail "more than one menu"

if [ "$mode" = no-picture ]; then
  wait_buttons "$menu"
  key "$menu" space
  box=$(wait_window "ソルベリア" 30)
  geometry=$(xdotool getwindowgeometry "$box" | sed -n 's/.*Geometry: //p')
  [ "$geometry" != "641x400" ] || fail "the game window showed despite the missing picture"
  [ -z "$(window_named "メニュー")" ] || fail "the menu stayed with the message box"
  shot "$box" no-picture-message-box
  key "$box" Return
  wait_exit
  [ "$status" -ne 0 ] || fail "exit status $status after the failure"
  grep -qF "ion(12).gif" "$work/exe.log" || fail "the failure does not name the picture: $(cat "$work/exe.log")"
  echo "no-picture: message box at the start of the game, exit status $status"
  exit 0
fi

if [ "$mode" = sounds-once ]; then
  wait_widget "メニュー" Command3 '$2 == 1' 30 || fail "no start button"
  parec --server="$PULSE_SERVER" -d sandbox.monitor --raw --format=s16le --rate=48000 --channels=2 \
    >"$work/recording.raw" &
  parec_pid=$!
  sleep 0.5
  click_widget "メニュー" "$menu" Command3
  game=$(wait_window "ソルベリア" 30)
  wait_widget "ソルベリア" Label3 '$8 == "1"' 20 || fail "no question"
  # Ag⁺, right: o.wav; the bonus comes and the next question, silently.
  click_widget "ソルベリア" "$game" Command1_1
  wait_widget "ソルベリア" Label4 '$8 == "600"' 20 || fail "no score of 600 after a perfect question"
  # Zn²⁺ five times, each x.wav heard out; the failure: pan.wav, dame.wav.
  for _ in 1 2 3 4 5; do
    click_widget "ソルベリア" "$game" Command1_12
    sleep 0.8
  done
  wait_widget "ソルベリア" Image2 '$2 == 1' 10 || fail "no burst"
  wait_widget "ソルベリア" Image2 '$2 == 0' 10 || fail "the burst stayed"
  sleep 0.5
  click_widget "ソルベリア" "$game" Command2
  wait_exit
  [ "$status" -eq 0 ] || fail "exit status $status after quit"
  kill "$parec_pid"
  wait "$parec_pid" 2>/dev/null || true
  parec_pid=""
  python3 - "$work/recording.raw" <<'PY'
import array, math, sys

samples = array.array("h")
with open(sys.argv[1], "rb") as f:
    samples.frombytes(f.read())
rate = 48000
left, right = samples[0::2], samples[1::2]
# Each sound is a tone of its own pitch, told by the spacing of zero
# crossings (half a period in samples); its length in seconds.
tones = {"o": (400, 0.85), "x": (600, 0.55), "p": (1000, 0.3), "d": (1600, 1.0), "g": (2400, 1.6)}
window = rate // 100
letters = []
for i in range(0, len(left) - window, window):
    part = left[i:i + window]
    if max(abs(v) for v in part) <= 328:  # -40 dBFS
        letters.append(".")
        continue
    crossings = [j for j in range(1, len(part)) if (part[j - 1] < 0) != (part[j] < 0)]
    if len(crossings) < 3:
        letters.append("?")
        continue
    spacing = sorted(b - a for a, b in zip(crossings, crossings[1:]))[len(crossings) // 2 - 1]
    letters.append(min(tones, key=lambda t: abs(rate / 2 / tones[t][0] - spacing)))
line = "".join(letters)
print("recording, 10 ms a letter:", line.strip("."))

# The sounds one after another: runs of one letter, "?" only at their edges.
runs = []  # (letter, first window, windows)
i = 0
while i < len(line):
    if line[i] in ".?":
        i += 1
        continue
    j = i
    while j < len(line) and line[j] == line[i]:
        j += 1
    if runs and runs[-1][0] == line[i] and line[runs[-1][1] + runs[-1][2]:i].strip("?") == "":
        runs[-1] = (line[i], runs[-1][1], j - runs[-1][1])
    else:
        runs.append((line[i], i, j - i))
    i = j
# Where one sound cuts off another, a window or two holds both and reads as
# some other pitch.
runs = [r for r in runs if r[2] > 2]
heard = "".join(r[0] for r in runs)
failures = []
if heard != "oxxxxxpd":
    failures.append("heard %s, not o x x x x x pan dame" % " ".join(heard))
for letter, first, windows in runs:
    name = {"o": "o", "x": "x", "p": "pan", "d": "dame", "g": "gokaku"}[letter]
    length = tones[letter][1]
    if windows < round(length * 100) - 3:
        failures.append("%s.wav heard for %.2f s, not whole (%.2f s)" % (name, windows / 100, length))
    middle = left[(first + 5) * window:(first + windows - 5) * window]
    if middle:
        peak_db = 20 * math.log10(max(1, max(abs(v) for v in middle)) / 32768)
        print("%s.wav at %.2f s: %.2f s, peak %.2f dBFS" % (name, first / 100, windows / 100, peak_db))
        if not -12.6 <= peak_db <= -11.4:
            failures.append("%s.wav peaks at %.2f dBFS, not -12 (file -6 dB, channel -6 dB)" % (name, peak_db))
        other = right[(first + 5) * window:(first + windows - 5) * window]
        if any(abs(a - b) > 2 for a, b in zip(middle, other)):
            failures.append("%s.wav: left and right differ" % name)
for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
PY
  echo "sounds: o, x five times, pan, dame, each whole at -12 dBFS"
  exit 0
fi

if [ "$mode" = failure ]; then
  wait_buttons "$menu"
  key "$menu" space
  game=$(wait_window "ソルベリア" 30)
  # The first question is up when its count of answers left shows.
  wait_widget "ソルベリア" Label3 '$8 == "11"' 20 || fail "no question with 11 answers: $(probe "ソルベリア")"
  shot "$game" failure-start
  # A perfect question: the eleven answers, 11 × 100 points and the bonus of
  # 500, shown once the bonus picture has gone and the next question is up.
  for ion in $(seq 11); do
    click_widget "ソルベリア" "$game" "Command1_$ion"
    sleep 0.15
  done
  wait_widget "ソルベリア" Label4 '$8 == "1600"' 20 ||
    fail "score $(widget "ソルベリア" Label4 | cut -f8) after a perfect question, not 1600"
  # Five misses on Zn²⁺, read every 20 ms from the first press until the
  # failure is over: the first four cost 100 each, the fifth nothing, and
  # the failure halves the score: (1600 − 400) / 2 = 600.
  probe "ソルベリア" 9000 >"$work/failure.txt" &
  watch_pid=$!
  for _ in 1 2 3 4 5; do
    click_widget "ソルベリア" "$game" Command1_12
    sleep 0.3
  done
  # After Timer1 the carriage stands at the balloon, which bursts (Image2 at
  # (535, 305)); the score is halved.
  sleep 2
  shot "$game" failure
  wait "$watch_pid" || fail "the window could not be read during the failure"
  python3 - "$work/failure.txt" <<'PY' || fail "the failure as read from the window"
import sys

# Readings: {name: (visible, left, top, width, height, focused, text)}.
readings, current = [], {}
for line in open(sys.argv[1], encoding="utf-8"):
    line = line.rstrip("\r\n")
    if line == "--":
        readings.append(current)
        current = {}
    elif line:
        name, *fields = line.split("\t")
        current[name] = fields
failures = []
# Image1 is 21 px from the left at home and moves 67 px a miss; at the fifth
# its left edge is at 356 px, touching the balloon it bursts.
burst = [i for i, r in enumerate(readings) if r["Image2"][0] == "1"]
# A reading takes the widgets one after another, so the first and the last
# reading of the burst may catch a widget before or after its change.
def throughout(field, index, value):
    seen = [readings[i][field][index] for i in burst]
    return value in seen and all(v == value for v in seen[1:-1])
if not burst:
    failures.append("the burst balloon (Image2) never showed")
else:
    if not throughout("Image1", 1, "356"):
        failures.append("the carriage (Image1) not at x = 356 while the balloon was burst")
    if not throughout("Image1", 0, "1"):
        failures.append("the carriage hidden at the burst")
    if not throughout("Label4", 6, "1200"):
        failures.append("the score not 1200 while the balloon was burst")
    after = readings[burst[-1] + 1:]
    if not after:
        failures.append("the burst balloon stayed")
    else:
        last = after[-1]
        if last["Label4"][6] != "600":
            failures.append("score %s after the failure, not (1600 - 400) / 2 = 600" % last["Label4"][6])
        if last["Image1"][1] != "21":
            failures.append("the carriage at x = %s after the failure, not home at 21" % last["Image1"][1])
print("carriage x, balloon burst, score, reading by reading:",
      " ".join("%s/%s/%s" % (r["Image1"][1], r["Image2"][0], r["Label4"][6]) for r in readings))
for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
PY
  start_burst=$(convert "$shots/failure-start.png" +repage -crop 85x84+535+305 +repage -format '%#' info:)
  burst=$(convert "$shots/failure.png" +repage -crop 85x84+535+305 +repage -format '%#' info:)
  [ "$start_burst" != "$burst" ] || fail "no burst picture after five misses"
  xdotool mousemove --window "$game" 528 26 click 1
  wait_exit
  [ "$status" -eq 0 ] || fail "exit status $status after quit"
  /usr/lib/wine/wineserver -w
  written=$(diff <(echo "$before_written") <(written_listing)) ||
    fail "the program wrote outside the Wine prefix's own files: $written"
  echo "failure: a perfect question (1600), five misses, the burst with the carriage at it, 600"
  exit 0
fi

if [ "$mode" = pass ]; then
  wait_buttons "$menu"
  key "$menu" space
  game=$(wait_window "ソルベリア" 30)
  sleep 1
  shot "$game" pass-start
  medal_region() { convert "$shots/$1.png" +repage -crop 129x145+256+240 +repage -format '%#' info:; }
  retry_region() { convert "$shots/$1.png" +repage -crop 93x31+512+336 +repage -format '%#' info:; }
  before_medal=$(medal_region pass-start)
  before_retry=$(retry_region pass-start)
  # Space on the focused Ag⁺ answers every question: 100 points and the
  # bonus of 500 each, so 17 questions reach 10000.
  deadline=$((SECONDS + 150))
  while :; do
    [ $SECONDS -lt $deadline ] || fail "no retry button within 150 s"
    key "$game" space
    sleep 1
    shot "$game" pass
    [ "$(retry_region pass)" != "$before_retry" ] && break
  done
  [ "$(medal_region pass)" != "$before_medal" ] || fail "no medal with the retry button"
  # As a screen reader finds them: the medal and the retry button shown, the
  # retry button focused.
  wait_widget "ソルベリア" Image4 '$2 == 1 && $8 == "合格"' 5 || fail "no pass picture (Image4) read"
  wait_widget "ソルベリア" Command4 '$2 == 1 && $7 == 1 && $8 == "再挑戦"' 5 ||
    fail "the retry button (Command4) not shown and focused: $(widget "ソルベリア" Command4)"
  # The retry button has the focus: Space starts a new game, the medal goes.
  key "$game" space
  sleep 2
  shot "$game" retried
  [ "$(retry_region retried)" = "$before_retry" ] || fail "the retry button stayed"
  [ "$(medal_region retried)" = "$before_medal" ] || fail "the medal stayed after the retry"
  widget "ソルベリア" Image4 | awk -F '\t' '$2 == 0 { ok = 1 } END { exit !ok }' || fail "Image4 still shown"
  # A new game's score label stays empty until the first press.
  widget "ソルベリア" Label4 | awk -F '\t' '$8 == "" { ok = 1 } END { exit !ok }' ||
    fail "score $(widget "ソルベリア" Label4 | cut -f8) after the retry, not an empty label"
  xdotool mousemove --window "$game" 528 26 click 1
  wait_exit
  [ "$status" -eq 0 ] || fail "exit status $status after quit"
  echo "pass: the medal and the retry, Space on the focused retry starts again"
  exit 0
fi

if [ "$mode" = scaled ]; then
  geometry=$(xdotool getwindowgeometry "$menu" | sed -n 's/.*Geometry: //p')
  [ "$geometry" = "962x600" ] || fail "menu client area at 150 %: $geometry"
  wait_buttons "$menu" 150
  shot "$menu" menu-150
  # The start button's face at (431, 328) × 1.5, drawn from its 2× picture.
  face=$(pixel menu-150 654 492)
  [ $((16#${face:0:2})) -ge 192 ] && [ $((16#${face:2:2})) -le 96 ] ||
    fail "no red start button at 150 %: $face"
  key "$menu" space
  game=$(wait_window "ソルベリア" 30)
  geometry=$(xdotool getwindowgeometry "$game" | sed -n 's/.*Geometry: //p')
  [ "$geometry" = "962x600" ] || fail "game client area at 150 %: $geometry"
  sleep 1
  shot "$game" game-150
  text=$(yellow_pixels game-150 260 177 442 73)
  [ "$text" -gt 450 ] || fail "no question text drawn at 150 % ($text yellow pixels)"
  # The hint button at (422, 26) × 1.5. Its close box (Alt+F4, the active
  # window's) leaves the game; the game's close box then ends the program.
  xdotool mousemove --window "$game" 633 39 click 1
  hint=$(wait_window "ヒント" 30)
  geometry=$(xdotool getwindowgeometry "$hint" | sed -n 's/.*Geometry: //p')
  [ "$geometry" = "1148x672" ] || fail "hint client area at 150 %: $geometry"
  sleep 1
  shot "$hint" hint-150
  key "$hint" alt+F4
  wait_gone "ヒント"
  sleep 1
  kill -0 "$exe_pid" 2>/dev/null || fail "the program ended with the game window open"
  [ -n "$(window_named "ソルベリア")" ] || fail "the game window closed with the hint"
  key "$game" alt+F4
  wait_exit
  [ "$status" -eq 0 ] || fail "exit status $status after the last window closed"
  echo "scaled: menu, game and hint at 150 %; closing the last window ends the program"
  exit 0
fi
geometry=$(xdotool getwindowgeometry "$menu" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "641x400" ] || fail "menu client area $geometry"
shot "$menu" menu-opening
sleep 1.3
shot "$menu" menu-building
# The last tile, at (413, 167) in pixels, comes up 2.5 s after the load;
# its face is near white where the background is a grey-blue.
first=$(pixel menu-opening 425 180)
wait_buttons "$menu"
shot "$menu" menu
last=$(pixel menu 425 180)
[ "$first" != "$last" ] || fail "the title did not build up (tile pixel $first, then $last)"
[ "$last" = F7FCFF ] || fail "no last tile at (425, 180): $last"
# The start button's red face, at (431, 328).
start=$(pixel menu 436 333)
[ "$start" = EA0909 ] || fail "no start button at (436, 333): $start"

# Enter and Escape do nothing.
key "$menu" Return Escape
sleep 1
[ -n "$(window_named "メニュー")" ] || fail "Enter or Escape closed the menu"
[ -z "$(window_named "ソルベリア")" ] || fail "Enter or Escape started the game"
# The focus is on start; Shift+Tab walks back to the explanation button and
# Space opens the explanation: the navy panel with white text over the title.
key "$menu" shift+Tab space
sleep 1
shot "$menu" menu-explanation
[ "$(pixel menu-explanation 60 40)" = 000040 ] || fail "no explanation panel: $(pixel menu-explanation 60 40)"
explanation=$(white_pixels menu-explanation 56 43 533 277)
[ "$explanation" -gt 100 ] || fail "no explanation text drawn ($explanation white pixels)"
# The back button has the focus; Space closes the panel, the focus goes to
# the explanation button and Tab on to start; Space starts.
key "$menu" space
sleep 1
shot "$menu" menu-again
[ "$(pixel menu-again 436 333)" = EA0909 ] || fail "the buttons did not come back"
key "$menu" Tab space
game=$(wait_window "ソルベリア" 30)
wait_gone "メニュー"
geometry=$(xdotool getwindowgeometry "$game" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "641x400" ] || fail "game client area $geometry"
sleep 1
shot "$game" game
# The question, yellow on navy in Label1 (173, 118, 295 × 49).
text=$(yellow_pixels game 173 118 295 49)
[ "$text" -gt 200 ] || fail "no question text drawn ($text yellow pixels)"

# The focus is on Ag⁺; Space presses it and a judgement mark, ○ or ×,
# comes up over the counters (248, 240, 145 × 145) for about a second.
before_press=$(convert "$shots/game.png" +repage -crop 145x145+248+240 +repage -format '%#' info:)
key "$game" space
sleep 0.4
shot "$game" game-mark
after_press=$(convert "$shots/game-mark.png" +repage -crop 145x145+248+240 +repage -format '%#' info:)
[ "$before_press" != "$after_press" ] || fail "no judgement mark after pressing Ag⁺"

# The hint button (376, 11) + (46, 15); asked twice, there is one hint window.
xdotool mousemove --window "$game" 422 26 click 1
hint=$(wait_window "ヒント" 30)
geometry=$(xdotool getwindowgeometry "$hint" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "765x448" ] || fail "hint client area $geometry"
sleep 1
shot "$hint" hint
xdotool mousemove --window "$game" 422 26 click 1
sleep 1
[ "$(window_named "ヒント" | wc -l)" -eq 1 ] || fail "a second hint window"
# Alt+F4 closes the hint window as its close box does; the game stays.
key "$hint" alt+F4
wait_gone "ヒント"
[ -n "$(window_named "ソルベリア")" ] || fail "the game window closed with the hint"

# The quit button (482, 11) + (46, 15) ends the program at once, status 0.
xdotool mousemove --window "$game" 528 26 click 1
wait_exit
[ "$status" -eq 0 ] || fail "exit status $status after quit"
[ "$before" = "$(listing)" ] || fail "the program folder changed"
echo "play: menu, game, hint, quit"
