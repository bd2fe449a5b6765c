#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# The Windows program's windows under 64-bit Wine on an Xvfb of their own,
# from a copy of the program folder with the default content:
#   wine-windows.sh play GAME_DIR SHOTS_DIR       menu, keyboard, game, a press, hint, close, quit
#   wine-windows.sh scaled GAME_DIR SHOTS_DIR     the windows at 150 %, closed one by one
#   wine-windows.sh broken GAME_DIR SHOTS_DIR     without setumei.txt: the message box only
#   wine-windows.sh failure GAME_DIR SHOTS_DIR    five misses: the burst, the score halved
#   wine-windows.sh pass GAME_DIR SHOTS_DIR       played to 10000 points: the medal, the retry
#   wine-windows.sh no-picture GAME_DIR SHOTS_DIR without Zn²⁺'s picture: the box at start
# Screenshots of every window go to SHOTS_DIR, to be looked at.
set -euo pipefail

mode=$1
for tool in Xvfb xdotool import convert iconv /usr/lib/wine/wine64; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
game_dir=$(realpath "$2")
shots=$(realpath -m "$3")
mkdir -p "$shots"

work=$(mktemp -d "${TMPDIR:-/tmp}/soruberia-wine-ui.XXXXXX")
xvfb_pid=""
exe_pid=""
cleanup() {
  if [ -n "$exe_pid" ]; then kill "$exe_pid" 2>/dev/null || true; fi
  WINEPREFIX="$work/prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
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
  failure | pass)
    # Every question has one answer, Ag⁺; Zn²⁺ is always wrong.
    for _ in $(seq 26); do printf '1,1\r\n'; done >"$work/game/問題/kotae.txt"
    ;;
  broken) rm "$work/game/問題/setumei.txt" ;;
  no-picture) rm "$work/game/図/ion(12).gif" ;;
esac
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

if [ "$mode" = failure ]; then
  wait_buttons "$menu"
  key "$menu" space
  game=$(wait_window "ソルベリア" 30)
  sleep 1
  shot "$game" failure-start
  # Zn²⁺, Command1_12 at (473, 174) + (51, 30), five times.
  for _ in 1 2 3 4 5; do
    xdotool mousemove --window "$game" 524 204 click 1
    sleep 0.3
  done
  # After Timer1 the carriage stands at the balloon, which bursts (Image2 at
  # (535, 305)); the score is halved.
  sleep 2
  shot "$game" failure
  start_burst=$(convert "$shots/failure-start.png" +repage -crop 85x84+535+305 +repage -format '%#' info:)
  burst=$(convert "$shots/failure.png" +repage -crop 85x84+535+305 +repage -format '%#' info:)
  [ "$start_burst" != "$burst" ] || fail "no burst picture after five misses"
  # The carriage (Image1) has left its home at (21, 305).
  home=$(convert "$shots/failure-start.png" +repage -crop 60x40+21+330 +repage -format '%#' info:)
  moved=$(convert "$shots/failure.png" +repage -crop 60x40+21+330 +repage -format '%#' info:)
  [ "$home" != "$moved" ] || fail "the carriage did not move"
  xdotool mousemove --window "$game" 528 26 click 1
  wait_exit
  [ "$status" -eq 0 ] || fail "exit status $status after quit"
  echo "failure: five misses, the burst"
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
  # The retry button has the focus: Space starts a new game, the medal goes.
  key "$game" space
  sleep 2
  shot "$game" retried
  [ "$(retry_region retried)" = "$before_retry" ] || fail "the retry button stayed"
  [ "$(medal_region retried)" = "$before_medal" ] || fail "the medal stayed after the retry"
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
