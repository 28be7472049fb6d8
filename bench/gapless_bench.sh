#!/usr/bin/env bash
# How soon the real program answers, heard in what SDL's disk driver records
# (S16LE stereo 44.1 kHz), under Xvfb with a tray host on a private session bus:
# - the silence between consecutive tracks: a play list of 30 short tones, six
#   each of WAV, MP3, FLAC, Ogg Vorbis and Opus, of slightly different lengths
#   so that their ends fall anywhere in an audio buffer; with it the silence at
#   the start of each file that is the file's own (a track starts at the start
#   of a buffer of 2048 frames, and the recording is written buffer by buffer);
# - from a D-Bus Next call to the new track in Metadata (the PropertiesChanged
#   signal, both stamped by dbus-monitor), and to the new tone heard;
# - from Next Play List in the tray menu to the new list's first tone heard.
#   bench/gapless_bench.sh [BUILD_DIR]
here=$(cd "$(dirname "$0")" && pwd)
if [ "${1:-}" != "--session" ]; then
  build=$(cd "${1:-$here/../build}" && pwd)
  [ -x "$build/davrin-audio-player" ] || { echo "no program in $build" >&2; exit 1; }
  export BENCH_EXE=$build/davrin-audio-player
  exec xvfb-run -a -s "-noreset -screen 0 800x600x24" dbus-run-session -- bash "$0" --session
fi

source "$here/../tests/e2e/lib.sh"
ARTIFACTS=$(mktemp -d /tmp/davrin-bench-art-XXXXXX)
bus=$DBUS_SESSION_BUS_ADDRESS
e2e_setup "$BENCH_EXE"
export DBUS_SESSION_BUS_ADDRESS=$bus  # the private bus of this run, which the set-up leaves out
runs_py=$here/../tests/e2e/pitch_runs.py

# Gaps: two pitches in turn, lengths 1.30 s, 1.33 s, ... (30 tracks).
tracks=() lengths=() n=0
for fmt in wav mp3 flac ogg opus; do
  for k in 1 2 3 4 5 6; do
    n=$((n + 1))
    len=$(echo "1.3 + 0.0307 * ($n - 1)" | bc -l)
    f=$((n % 2 ? 440 : 660))
    name=$(printf 't%02d.%s' $n $fmt)
    if [ $fmt = opus ]; then
      sox -n -r 48000 -c 2 -b 16 "$E2E/tmp.wav" synth "$len" sine $f vol 0.5
      opusenc --quiet "$E2E/tmp.wav" "$E2E/$name"
    elif [ $fmt = mp3 ] && command -v lame >/dev/null; then
      # As encoders write them for players: with the header that tells the
      # encoder's delay and padding, which the decoder then leaves out.
      sox -n -r 44100 -c 2 -b 16 "$E2E/tmp.wav" synth "$len" sine $f vol 0.5
      lame --quiet "$E2E/tmp.wav" "$E2E/$name"
    else
      sox -n -r 44100 -c 2 "$E2E/$name" synth "$len" sine $f vol 0.5
    fi
    tracks+=("$E2E/$name")
    lengths+=("$len")
  done
done
e2e_play_list Gaps "${tracks[@]}"
# Long: three long tones for Next, each of its own pitch.
for f in 880 1100 1320; do
  sox -n -r 44100 -c 2 -b 16 "$E2E/long$f.wav" synth 30 sine $f vol 0.5
done
e2e_play_list Long "$E2E/long880.wav" "$E2E/long1100.wav" "$E2E/long1320.wav"
e2e_options active_collection=Gaps welcome=0 player_random=0

pc() { playerctl -p davrin_audio_player "$@" 2>/dev/null; }
title_is() { [ "$(pc metadata xesam:title)" = "$1" ]; }
now_s() { echo "scale=4; $(stat -c %s "$E2E/out.raw") / 4 / 44100" | bc -l; }
next_play_list() {  # from the tray menu; prints where the recording stood
  right_click_icon
  menu_keys Down Down Down Down Down Down Down   # Settings, Stop, Next, Previous, Random, Repeat
  now_s
  xdotool key Return
}

start_recorded_program
wait_for 15 title_is t01.wav || fail "the play list did not start"
wait_for 90 title_is t30.opus || fail "the play list did not reach its last track"
wait_for 10 title_is t01.wav || fail "the play list did not start again"

# Next Play List: Gaps to Long.
steps=("$(next_play_list) 880")
wait_for 5 title_is long880.wav || fail "Next Play List did not play Long"
sleep 1

# Next over the bus, watched by dbus-monitor; the Long tones follow each other.
dbus-monitor --session "type='method_call',member='Next'" \
  "type='signal',interface='org.freedesktop.DBus.Properties',member='PropertiesChanged'" \
  > "$E2E/monitor.txt" 2>/dev/null &
monitor=$!
sleep 1
nexts=()
pitches=(1100 1320 880)
for i in 0 1 2 3 4 5 6; do
  nexts+=("$(now_s) ${pitches[$((i % 3))]}")
  dbus-send --session --type=method_call --dest=org.mpris.MediaPlayer2.davrin_audio_player \
    /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Player.Next
  sleep 1.3  # more than a second: each call is a step of its own, also with a tick a second
done
sleep 0.5
kill $monitor 2>/dev/null || true

# Next Play List twice more: Long to Gaps, Gaps to Long.
steps+=("$(next_play_list) 440")
sleep 2.5
steps+=("$(next_play_list) 880")
sleep 2.5
dbus-send --session --type=method_call --dest=org.mpris.MediaPlayer2.davrin_audio_player \
  /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Quit
wait_for 10 bash -c "! kill -0 $app 2>/dev/null" || fail "Quit did not end the program"
kill $TRAYER_PID 2>/dev/null || true

python3 "$runs_py" --exact "$E2E/out.raw" > "$E2E/runs.txt"
onsets() {  # FROM FREQ lines in, milliseconds from FROM to the tone out
  while read -r from f; do
    at=$(python3 "$runs_py" --onset "$E2E/out.raw" "$from" "$f")
    [ -n "$at" ] && echo "($at - $from) * 1000" | bc -l || echo never
  done
}
next_heard=$(printf '%s\n' "${nexts[@]}" | onsets)
step_heard=$(printf '%s\n' "${steps[@]}" | onsets)
rm -rf "$ARTIFACTS"

python3 - "$E2E/runs.txt" "$E2E/monitor.txt" "$next_heard" "$step_heard" "${lengths[*]}" <<'PY'
import re
import statistics
import sys

RATE, BUFFER, EACH = 44100, 2048, 6
runs = [tuple(map(float, l.split())) for l in open(sys.argv[1])]
formats = ["WAV", "MP3", "FLAC", "Ogg Vorbis", "Opus"]
first_pass = runs[: EACH * len(formats)]
lengths = [float(v) for v in sys.argv[5].split()]
if len(first_pass) < len(lengths) or any(
    abs(e - s - l) > 0.05 for (s, e, _), l in zip(first_pass, lengths)
):
    sys.exit("the sounding stretches do not match the tracks: %s" % first_pass)
gaps = {f: [] for f in formats + ["between formats"]}
leads = {f: [] for f in formats}
for i in range(len(first_pass) - 1):
    start = round(first_pass[i + 1][0] * RATE)
    gap = (first_pass[i + 1][0] - first_pass[i][1]) * 1000
    same = i // EACH == (i + 1) // EACH
    gaps[formats[i // EACH] if same else "between formats"].append(gap)
    leads[formats[(i + 1) // EACH]].append((start % BUFFER) * 1000 / RATE)

def show(name, values, goal_max=None, goal_median=None, extra=""):
    med, top = statistics.median(values), max(values)
    verdict = ""
    if goal_max is not None:
        ok = top <= goal_max and med <= goal_median
        verdict = "  (goal max <= %g, median <= %g: %s)" % (goal_max, goal_median,
                                                          "ok" if ok else "OVER")
    print("%-22s median %7.1f  max %7.1f  ms  [%s]%s%s" % (
        name, med, top, " ".join("%.0f" % v for v in values), verdict, extra))

print("silence between consecutive tracks (disk-driver recording):")
for f in formats:
    show("  " + f, gaps[f], 50, 30,
         "; the file's own at its start %.1f ms" % statistics.median(leads[f]))
show("  between formats", gaps["between formats"])

# dbus-monitor stamps each message: time=SECONDS.MICROSECONDS
calls, changes = [], []
for line in open(sys.argv[2]):
    m = re.match(r"(method call|signal) time=(\d+\.\d+) .*member=(\w+)", line)
    if m and m.group(3) in ("Next", "PropertiesChanged"):
        (calls if m.group(3) == "Next" else changes).append(float(m.group(2)))
latency = []
for t in calls:
    after = [c for c in changes if c >= t]
    if after:
        latency.append((after[0] - t) * 1000)
if latency:
    med = statistics.median(latency)
    print("D-Bus Next -> Metadata  median %7.1f  max %7.1f  ms  [%s]  (goal median <= 30: %s)" % (
        med, max(latency), " ".join("%.0f" % v for v in latency), "ok" if med <= 30 else "OVER"))
else:
    print("D-Bus Next -> Metadata: no signal seen")

def heard(name, text, goal=None):
    values = [float(v) for v in text.split() if v != "never"]
    missed = len(text.split()) - len(values)
    if not values:
        print("%s: never heard" % name)
        return
    verdict = "" if goal is None else "  (goal <= %g: %s)" % (
        goal, "ok" if max(values) <= goal and not missed else "OVER")
    print("%-22s median %7.1f  max %7.1f  ms  [%s]%s%s" % (
        name, statistics.median(values), max(values), " ".join("%.0f" % v for v in values),
        " %d never" % missed if missed else "", verdict))

heard("D-Bus Next -> heard", sys.argv[3])
heard("Next Play List -> heard", sys.argv[4], 100)
PY
