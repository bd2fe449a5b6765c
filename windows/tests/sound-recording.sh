#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# The sound channel under Wine, recorded from a PulseAudio server of the
# test's own: a tone file is heard whole at 6 dB below the file's level, and
# a sound named while another plays cuts that one off.
#   sound-recording.sh <play-sounds.exe> <wine-run.sh> <pulse-sandbox.sh>
set -euo pipefail
player=$1
wine_run=$2
sandbox=$3

work=$(mktemp -d)
trap 'kill "${parec_pid:-0}" 2>/dev/null || true; sh "$sandbox" stop "$work/pulse"; rm -rf "$work"' EXIT
sh "$sandbox" start "$work/pulse" $$
server="unix:$work/pulse/native"

# Tones at half of full scale (-6 dBFS), 48 kHz stereo 16-bit.
sox -n -r 48000 -c 2 -b 16 "$work/long.wav" synth 1.0 sine 1000 vol 0.5
sox -n -r 48000 -c 2 -b 16 "$work/short.wav" synth 0.4 sine 500 vol 0.5

parec --server="$server" -d sandbox.monitor --raw --format=s16le --rate=48000 --channels=2 \
  >"$work/recording.raw" &
parec_pid=$!
sleep 0.5

# The long tone alone, then the long tone cut off after 0.3 s by the short.
winpath() { echo "Z:${1//\//\\}"; }
PULSE_SERVER=$server "$wine_run" "$player" "$(winpath "$work/long.wav")" 1800 \
  "$(winpath "$work/long.wav")" 300 "$(winpath "$work/short.wav")" 1200
sleep 0.5
kill "$parec_pid"
wait "$parec_pid" 2>/dev/null || true

python3 - "$work/recording.raw" <<'PY'
import array, math, sys

samples = array.array("h")
with open(sys.argv[1], "rb") as f:
    samples.frombytes(f.read())
rate = 48000
left = samples[0::2]
right = samples[1::2]

# Sound in 10 ms windows: on where the window's peak is above -40 dBFS.
window = rate // 100
on = [max(abs(v) for v in left[i:i + window]) > 328 for i in range(0, len(left) - window, window)]
runs = []
for i, state in enumerate(on):
    if state and (i == 0 or not on[i - 1]):
        runs.append([i, i])
    if state:
        runs[-1][1] = i + 1
lengths = [(b - a) / 100 for a, b in runs]
print("sounds heard (s):", lengths)
failures = []

def zero_crossings(part):
    return sum(1 for a, b in zip(part, part[1:]) if (a < 0) != (b < 0))

if len(runs) != 2:
    failures.append("expected two stretches of sound (the long tone; then the cut-off one and the short one), heard %d" % len(runs))
else:
    first, second = runs
    if not 0.97 <= lengths[0] <= 1.05:
        failures.append("the long tone lasted %.2f s, not 1.0 s" % lengths[0])
    # The second stretch: 0.3 s of the long tone at 1 kHz, then the short
    # tone at 500 Hz for 0.4 s, with room for a late switch under load; a long
    # tone not cut off would make it 1.4 s.
    if not 0.62 <= lengths[1] <= 0.95:
        failures.append("cut-off and short tone lasted %.2f s, not about 0.7 s" % lengths[1])
    tail = left[(second[1] * window) - int(0.3 * rate):second[1] * window - int(0.05 * rate)]
    frequency = zero_crossings(tail) / 2 / (len(tail) / rate)
    if not 450 <= frequency <= 550:
        failures.append("the end of the second stretch is at %.0f Hz, not the short tone's 500 Hz" % frequency)
    # Level: the file peaks at -6 dBFS, the channel plays 6 dB lower.
    middle = left[first[0] * window + rate // 4:first[0] * window + 3 * rate // 4]
    peak_db = 20 * math.log10(max(abs(v) for v in middle) / 32768)
    print("peak of the long tone: %.2f dBFS" % peak_db)
    if not -12.6 <= peak_db <= -11.4:
        failures.append("the long tone peaks at %.2f dBFS, not -12 dBFS (file -6 dB, channel -6 dB)" % peak_db)
    if max(abs(a - b) for a, b in zip(middle, right[first[0] * window + rate // 4:])) > 2:
        failures.append("left and right differ")
for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
PY
