#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# The program as a user gets it: installed by `cmake --install` into a fresh
# prefix (mode "install"), or packed by `cpack -G DEB` and unpacked into a
# fresh root (mode "deb"). Checks the layout, the desktop entry, the icons
# and the metainfo with their validators, then starts the game from there.
#
# usage: installed_program_test.sh install|deb BUILD_DIR SOURCE_DIR
set -euo pipefail

mode=$1
build=$2
source=$3

readonly desktop_id=soruberia.desktop
readonly metainfo_id=io.github.soruberia.soruberia
readonly icon_sizes=(16 32 48 64 128 256)

tmp=$(mktemp -d)
game_pid=
cleanup() {
  if [[ -n $game_pid ]]; then kill "$game_pid" 2>/dev/null || true; fi
  rm -rf "$tmp"
}
trap cleanup EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
die() {
  echo "FAIL: $*" >&2
  exit 1
}

# The width and height of a PNG file, from its IHDR chunk.
png_size() {
  local w h
  w=$(od -An -tu1 -j16 -N4 "$1" | awk '{print $1*16777216 + $2*65536 + $3*256 + $4}')
  h=$(od -An -tu1 -j20 -N4 "$1" | awk '{print $1*16777216 + $2*65536 + $3*256 + $4}')
  echo "${w}x${h}"
}

# Everything below the prefix (/usr for the package).
check_tree() {
  local prefix=$1
  local lib=$prefix/lib/soruberia

  [[ -f $lib/soruberia && ! -L $lib/soruberia && -x $lib/soruberia ]] ||
    fail "no program file $lib/soruberia"
  local folder file
  for folder in 問題 図 音; do
    [[ -d $lib/$folder ]] || { fail "no content folder $lib/$folder"; continue; }
    for file in "$source/data/$folder"/*; do
      cmp -s "$file" "$lib/$folder/$(basename "$file")" ||
        fail "$lib/$folder/$(basename "$file") differs from data/$folder or is missing"
    done
    if [[ $(ls "$lib/$folder" | wc -l) -ne $(ls "$source/data/$folder" | wc -l) ]]; then
      fail "$lib/$folder holds files that data/$folder does not"
    fi
  done

  # The launcher: a relative link, so that the tree works wherever it lies.
  local programs=(soruberia soruberia-check)
  local program target
  for program in "${programs[@]}"; do
    if [[ ! -L $prefix/bin/$program ]]; then
      fail "$prefix/bin/$program is not a link"
      continue
    fi
    target=$(readlink "$prefix/bin/$program")
    [[ $target != /* ]] || fail "$prefix/bin/$program links to the absolute path $target"
    [[ $(realpath "$prefix/bin/$program") == $(realpath "$lib/$program") ]] ||
      fail "$prefix/bin/$program links to $target, not to $lib/$program"
  done
  local unexpected
  unexpected=$(ls "$prefix/bin" | grep -vxF -f <(printf '%s\n' "${programs[@]}") || true)
  [[ -z $unexpected ]] || fail "unexpected files in bin/: $unexpected"

  # The desktop entry.
  local desktop=$prefix/share/applications/$desktop_id
  if [[ -f $desktop ]]; then
    local report
    report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
    if grep -E ': (error|warning):' <<<"$report"; then fail "desktop-file-validate complains"; fi
    grep -qx 'Name=ソルベリア' "$desktop" || fail "$desktop: Name is not ソルベリア"
    grep -qx 'Categories=Education;Science;Chemistry;Game;' "$desktop" ||
      fail "$desktop: Categories are not Education;Science;Chemistry;Game"
    grep -qx 'Exec=soruberia' "$desktop" || fail "$desktop: Exec is not the program in bin/"
    grep -qx 'Icon=soruberia' "$desktop" || fail "$desktop: Icon is not soruberia"
  else
    fail "no desktop entry $desktop"
  fi

  # The icons, drawn at each size; 32 and 64 px are the windows' own icon.
  local size icon
  for size in "${icon_sizes[@]}"; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/soruberia.png
    if [[ ! -f $icon ]]; then
      fail "no icon $icon"
    elif [[ $(png_size "$icon") != "${size}x${size}" ]]; then
      fail "$icon is $(png_size "$icon"), not ${size}x${size}"
    fi
  done
  cmp -s "$prefix/share/icons/hicolor/32x32/apps/soruberia.png" \
    "$source/ui/resources/game/icon.png" || fail "the 32 px icon is not the windows' icon"
  cmp -s "$prefix/share/icons/hicolor/64x64/apps/soruberia.png" \
    "$source/ui/resources/game/icon@2x.png" || fail "the 64 px icon is not the windows' 2x icon"

  # The metainfo, on its own and against the tree (launchable, icon).
  local metainfo=$prefix/share/metainfo/$metainfo_id.metainfo.xml
  if [[ -f $metainfo ]]; then
    grep -q "<id>$metainfo_id</id>" "$metainfo" || fail "$metainfo: id is not $metainfo_id"
    grep -q "<launchable type=\"desktop-id\">$desktop_id</launchable>" "$metainfo" ||
      fail "$metainfo: launchable is not $desktop_id"
    grep -q '<release version="1.00"' "$metainfo" || fail "$metainfo: no release 1.00"
  else
    fail "no metainfo $metainfo"
  fi
}

# appstreamcli finds share/ or usr/share/ below the root it is given.
validate_metainfo_tree() {
  local report
  report=$(appstreamcli validate-tree --no-net "$1" 2>&1) || fail "appstreamcli: $report"
}

# Starts the game as the desktop does, by the name in bin/ through PATH, from
# another folder: it must find its content through the link, reach the menu
# and wait there. Under the offscreen platform nothing presses a button, so a
# game that is still running after two seconds has read its explanation line
# and shown the menu; a fatal failure would have ended it at once.
check_starts() {
  local prefix=$1 log=$tmp/start.log
  (cd "$tmp/elsewhere" && PATH="$prefix/bin:$PATH" exec soruberia) 2>"$log" &
  game_pid=$!
  sleep 2
  if kill -0 "$game_pid" 2>/dev/null; then
    kill "$game_pid"
    wait "$game_pid" 2>/dev/null || true
    game_pid=
    if grep -q 'ソルベリア:' "$log"; then fail "the game reported a failure: $(cat "$log")"; fi
  else
    local rc=0
    wait "$game_pid" || rc=$?
    game_pid=
    fail "the game ended within 2 s (exit $rc): $(cat "$log")"
  fi
}

# Without its explanation file the game ends at start with a message naming
# the file in its own folder.
check_fails_without_explanation() {
  local prefix=$1 log=$tmp/fail.log rc=0
  local lib
  lib=$(realpath "$prefix/lib/soruberia")
  rm "$lib/問題/setumei.txt"
  (cd "$tmp/elsewhere" && PATH="$prefix/bin:$PATH" timeout 60 soruberia) 2>"$log" || rc=$?
  if [[ $rc -eq 0 || $rc -eq 124 ]]; then
    fail "without setumei.txt the game did not fail (exit $rc)"
  fi
  grep -qF "$lib/問題/setumei.txt" "$log" ||
    fail "the failure message does not name $lib/問題/setumei.txt: $(cat "$log")"
}

# The installed checker finds the installed content beside it and passes it.
check_checker() {
  local prefix=$1 report
  report=$(cd "$tmp/elsewhere" && PATH="$prefix/bin:$PATH" soruberia-check 2>&1) ||
    fail "soruberia-check on the installed content: $report"
}

# The start button of the copy's menu reads the copy's bank: with a count
# above 12 in its answer key the game stops at once, naming that file. Played
# on an X server of its own, as a teacher would, with a real click.
check_copy_plays_its_own_bank() {
  local copy=$1 log=$tmp/copy-play.log key=$1/問題/kotae.txt
  cp "$key" "$tmp/kotae.txt"
  printf '13\r\n' >"$key"
  exec 3>"$tmp/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset >"$tmp/xvfb.log" 2>&1 &
  local xvfb=$!
  exec 3>&-
  local _
  for _ in $(seq 100); do [[ -s $tmp/display ]] && break; sleep 0.1; done
  local display=:$(cat "$tmp/display")
  (cd "$tmp/elsewhere" && DISPLAY=$display QT_QPA_PLATFORM=xcb exec "$copy/soruberia") 2>"$log" &
  game_pid=$!
  local menu=
  for _ in $(seq 300); do
    menu=$(DISPLAY=$display xdotool search --onlyvisible --name '^メニュー$' 2>/dev/null | head -1) || true
    [[ -n $menu ]] && break
    sleep 0.1
  done
  if [[ -z $menu ]]; then
    fail "the copy showed no menu: $(cat "$log")"
  else
    # The buttons come with the sixth tick of the title's 500 ms timer.
    sleep 4
    DISPLAY=$display xdotool mousemove --window "$menu" 477 343 click 1
    for _ in $(seq 300); do grep -qF "$key" "$log" && break; sleep 0.1; done
    grep -qF "$key" "$log" || fail "the copy's game did not read its own kotae.txt: $(cat "$log")"
  fi
  kill "$game_pid" 2>/dev/null || true
  wait "$game_pid" 2>/dev/null || true
  game_pid=
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  cp "$tmp/kotae.txt" "$key"
}

# A teacher's own bank without root: a copy of the whole program folder in
# the home folder is a program of its own that reads the folders beside it.
check_copy_reads_its_own_bank() {
  local prefix=$1 copy=$tmp/home/my-bank log=$tmp/copy.log rc=0
  mkdir -p "$tmp/home"
  cp -r "$prefix/lib/soruberia" "$copy"
  (cd "$tmp/elsewhere" && exec "$copy/soruberia") 2>"$log" &
  game_pid=$!
  sleep 2
  if kill -0 "$game_pid" 2>/dev/null; then
    kill "$game_pid"
    wait "$game_pid" 2>/dev/null || true
  else
    fail "the copied program ended within 2 s: $(cat "$log")"
  fi
  game_pid=

  check_copy_plays_its_own_bank "$copy"

  # Its explanation is the copy's: emptied there, the copy stops naming it.
  : >"$copy/問題/setumei.txt"
  (cd "$tmp/elsewhere" && timeout 60 "$copy/soruberia") 2>"$log" || rc=$?
  [[ $rc -ne 0 && $rc -ne 124 ]] || fail "the copy did not read its own emptied setumei.txt (exit $rc)"
  grep -qF "$copy/問題/setumei.txt" "$log" ||
    fail "the copy's failure does not name its own setumei.txt: $(cat "$log")"

  # The copy's checker checks the copy's bank.
  rc=0
  "$copy/soruberia-check" >"$log" 2>&1 || rc=$?
  [[ $rc -eq 1 ]] || fail "the copy's checker passed its emptied setumei.txt (exit $rc)"
  grep -qF "$copy/問題/setumei.txt" "$log" ||
    fail "the copy's checker does not name the copy's file: $(cat "$log")"
}

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=$tmp/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir "$tmp/elsewhere"   # the working folder of the programs started
unset DESTDIR

case $mode in
  install)
    prefix=$tmp/prefix
    cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1 ||
      die "cmake --install: $(cat "$tmp/install.log")"
    unexpected=$(ls "$prefix" | grep -vxE 'bin|lib|share' || true)
    [[ -z $unexpected ]] || fail "unexpected folders in the prefix: $unexpected"
    check_tree "$prefix"
    validate_metainfo_tree "$prefix"
    ;;
  deb)
    out=$tmp/out
    # Packs this build folder's artefacts; nothing is built again.
    cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$tmp/cpack.log" 2>&1 ||
      die "cpack: $(cat "$tmp/cpack.log")"
    debs=("$out"/*.deb)
    [[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || die "cpack made ${#debs[@]} packages: ${debs[*]}"
    deb=${debs[0]}
    echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
    echo "Depends: $(dpkg-deb -f "$deb" Depends)"

    [[ $(dpkg-deb -f "$deb" Package) == soruberia ]] || fail "Package is not soruberia"
    [[ -n $(dpkg-deb -f "$deb" Maintainer) ]] || fail "no Maintainer"
    [[ $(dpkg-deb -f "$deb" Section) == education ]] || fail "Section is not education"
    [[ -n $(dpkg-deb -f "$deb" Description) ]] || fail "no Description"
    depends=$(dpkg-deb -f "$deb" Depends | tr -d ' ' | tr ',' '\n' | sed 's/(.*//')
    # The fonts the windows name, and the libraries found by dpkg-shlibdeps.
    for package in fonts-ipafont-mincho fonts-ipafont-gothic libqt6widgets6 libopenal1 libc6; do
      grep -qx "$package" <<<"$depends" || fail "Depends lacks $package: $depends"
    done
    if dpkg-deb -c "$deb" | awk '{print $2}' | grep -vx 'root/root'; then
      fail "files in the package not owned by root"
    fi

    root=$tmp/root
    dpkg-deb -x "$deb" "$root"
    unexpected=$(ls "$root" | grep -vx usr || true)
    [[ -z $unexpected ]] || fail "the package installs outside /usr: $unexpected"
    prefix=$root/usr
    check_tree "$prefix"
    validate_metainfo_tree "$root"
    if readelf -S --wide "$prefix/lib/soruberia/soruberia" | grep -q '\.debug_info'; then
      fail "the packed program carries its debugging information"
    fi
    # The licence where Debian and AppStream look for it, and lintian's verdict.
    docs=$prefix/share/doc/soruberia
    [[ -f $docs/copyright ]] || fail "the package has no copyright file"
    head -1 "$docs/copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
      fail "the copyright file is not in the machine-readable format"
    grep -qx 'License: MIT' "$docs/copyright" || fail "the copyright file names no MIT licence"
    gzip -t "$docs/changelog.Debian.gz" 2>/dev/null || fail "no valid changelog.Debian.gz"
    grep -q '<project_license>MIT</project_license>' \
      "$prefix/share/metainfo/io.github.soruberia.soruberia.metainfo.xml" ||
      fail "the metainfo names no project licence"
    if ! lintian --fail-on error --tag-display-limit 0 "$deb" >"$tmp/lintian.log" 2>&1; then
      fail "lintian: $(grep -v 'root privileges' "$tmp/lintian.log")"
    fi
    ;;
  *)
    die "unknown mode $mode"
    ;;
esac

check_checker "$prefix"
check_starts "$prefix"
check_copy_reads_its_own_bank "$prefix"
check_fails_without_explanation "$prefix"

if [[ $failures -gt 0 ]]; then
  echo "$failures failures" >&2
  exit 1
fi
echo "the $mode tree is complete and the game runs from it"
