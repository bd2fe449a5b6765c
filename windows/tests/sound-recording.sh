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
trap '[ -z "${parec_pid:-}" ] || kill "$parec_pid" 2>/dev/null; sh "$sandbox" stop "$work/pulse"; rm -rf "$work"' EXIT
sh "$sandbox" start "$work/pulse" $$
server="unix:$work/pulse/native"

# Tones at half of full scale (-6 dBFS), 48 kHz stereo 16-bit.
sox -n -r 48000 -c 2 -b 16 "$work/long.wav" synth 1.0 sine 1000 vol 0.5
sox -n -r 48000 -c 2 -b 16 "$work/short.wav" synth 0.4 sine 500 vol 0.5

# Wine's audio path drops or delays pieces of sound when the machine is
# short of processor time; a fault of the channel shows in every attempt, so
# the recording is made up to three times and judged each time.
record() {
  parec --server="$server" -d sandbox.monitor --raw --format=s16le --rate=48000 --channels=2 \
    >"$work/recording.raw" &
  parec_pid=$!
  sleep 0.5
  # A first, silent sound opens the audio device; then the long tone alone,
  # then the long tone cut off after 0.3 s by the short one.
  winpath() { echo "Z:${1//\//\\}"; }
  PULSE_SERVER=$server "$wine_run" "$player" "$(winpath "$work/silence.wav")" 1000 \
    "$(winpath "$work/long.wav")" 1800 \
    "$(winpath "$work/long.wav")" 300 "$(winpath "$work/short.wav")" 1200
  sleep 0.5
  kill "$parec_pid"
  wait "$parec_pid" 2>/dev/null || true
  parec_pid=
}
sox -n -r 48000 -c 2 -b 16 "$work/silence.wav" trim 0 0.5

judge() {
python3 - "$work/recording.raw" <<'PY'
import array, math, sys

samples = array.array("h")
with open(sys.argv[1], "rb") as f:
    samples.frombytes(f.read())
rate = 48000
left = samples[0::2]
right = samples[1::2]

# Each 10 ms of the recording is silence, the long tone (1 kHz) or the short
# one (500 Hz), told apart by the spacing of zero crossings (24 or 48
# samples), which a window the tone only partly fills still shows; "?" for a
# window with too few crossings to tell.
window = rate // 100
kinds = []
for i in range(0, len(left) - window, window):
    part = left[i:i + window]
    if max(abs(v) for v in part) <= 328:  # -40 dBFS
        kinds.append(".")
        continue
    crossings = [j for j in range(1, len(part)) if (part[j - 1] < 0) != (part[j] < 0)]
    if len(crossings) < 3:
        kinds.append("?")
        continue
    spacing = sorted(b - a for a, b in zip(crossings, crossings[1:]))[len(crossings) // 2 - 1]
    kinds.append("L" if spacing < 36 else "S")
line = "".join(kinds).strip(".")
print("recording, 10 ms a letter:", line)

failures = []
# The first long tone, alone: everything before the silence that lasts until
# the second is named (0.8 s later).
first, _, rest = line.partition("." * 40)
rest = rest.strip(".")
if first.count("L") < 97:
    failures.append("the long tone was heard for %.2f s, not whole (1.0 s)" % (first.count("L") / 100))
if "S" in first:
    failures.append("the short tone sounded before it was named")
# Then the long tone again, cut off by the short one: once the short one is
# heard, nothing of the long one comes back, and the short one is heard whole.
cut = rest.find("S")
if cut < 0:
    failures.append("the short tone was never heard")
else:
    if "L" in rest[cut:]:
        failures.append("the long tone went on after the short one began")
    if rest[:cut].count("L") >= 97:
        failures.append("the long tone was heard whole although the short one was named after 0.3 s")
    if rest.count("S") < 38:
        failures.append("the short tone was heard for %.2f s, not whole (0.4 s)" % (rest.count("S") / 100))
# Level: the file peaks at -6 dBFS and the channel plays it 6 dB lower.
start = line.find("L")
offset = len("".join(kinds)) - len("".join(kinds).lstrip("."))
middle = left[(offset + 20) * window:(offset + 70) * window]
peak_db = 20 * math.log10(max(1, max(abs(v) for v in middle)) / 32768)
print("peak of the long tone: %.2f dBFS" % peak_db)
if not -12.6 <= peak_db <= -11.4:
    failures.append("the long tone peaks at %.2f dBFS, not -12 dBFS (file -6 dB, channel -6 dB)" % peak_db)
if any(abs(a - b) > 2 for a, b in zip(middle, right[(offset + 20) * window:(offset + 70) * window])):
    failures.append("left and right differ")
for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
PY
}

for attempt in 1 2 3; do
  record
  if judge; then exit 0; fi
  echo "attempt $attempt failed"
done
exit 1
