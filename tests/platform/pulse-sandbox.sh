#!/bin/sh

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# A PulseAudio server of the test's own, with one null sink, reachable only
# through a socket in DIR. Works as root and without a display.
#   pulse-sandbox.sh start DIR [OWNER]  starts it; returns once it answers.
#       With OWNER, a process id, the server is also stopped and DIR
#       removed once that process has gone, should it never call stop.
#   pulse-sandbox.sh stop DIR           stops it and removes DIR
set -u
action=${1:?start or stop}
dir=${2:?folder}

case "$action" in
start)
    mkdir -p "$dir/config" || exit 1
    command -v pulseaudio >/dev/null || { echo "pulseaudio is not installed" >&2; exit 1; }
    # HOME and the XDG folders keep its cookie and state inside DIR; no
    # default script, so only the two modules below are loaded.
    env -u PULSE_SERVER HOME="$dir" XDG_RUNTIME_DIR="$dir" XDG_CONFIG_HOME="$dir/config" \
        pulseaudio -n --daemonize=no --exit-idle-time=-1 --system=no \
        --use-pid-file=no --disable-shm=yes --log-target=stderr \
        --load="module-null-sink sink_name=sandbox rate=48000 channels=2" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$dir/native" \
        </dev/null >"$dir/log" 2>&1 &
    echo $! >"$dir/pid"
    i=0
    while [ $i -lt 100 ]; do
        if ! kill -0 "$(cat "$dir/pid")" 2>/dev/null; then
            echo "pulseaudio ended at start:" >&2; cat "$dir/log" >&2; exit 1
        fi
        if [ -S "$dir/native" ] && pactl --server="unix:$dir/native" info >/dev/null 2>&1; then
            if [ -n "${3:-}" ]; then
                (
                    while kill -0 "$3" 2>/dev/null && [ -f "$dir/pid" ]; do sleep 1; done
                    [ -f "$dir/pid" ] && sh "$0" stop "$dir"
                ) </dev/null >/dev/null 2>&1 &
            fi
            exit 0
        fi
        sleep 0.1
        i=$((i + 1))
    done
    echo "pulseaudio did not answer within 10 s:" >&2; cat "$dir/log" >&2
    kill "$(cat "$dir/pid")" 2>/dev/null
    exit 1
    ;;
stop)
    if [ -f "$dir/pid" ]; then
        pid=$(cat "$dir/pid")
        kill "$pid" 2>/dev/null
        i=0
        while kill -0 "$pid" 2>/dev/null && [ $i -lt 50 ]; do sleep 0.1; i=$((i + 1)); done
        kill -9 "$pid" 2>/dev/null
    fi
    rm -rf "$dir"
    ;;
*)
    echo "usage: $0 start|stop DIR" >&2; exit 2
    ;;
esac
