#!/usr/bin/env bash
# How soon the real program answers, heard in what SDL's disk driver records
# (S16LE stereo 44.1 kHz), under Xvfb with a tray host on a private session bus:
# - the frames inserted or lost where consecutive tracks meet: for each of WAV,
#   MP3, FLAC, Ogg Vorbis and Opus one tone cut into six tracks of odd lengths,
#   which must come back as one tone of their summed length;
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

# Gaps: per format one continuous tone cut into six tracks of odd lengths
# (1.30 s, 1.33 s, ... to the frame, no codec's frame boundary), then 0.3 s of
# digital silence: each format must come back as one stretch of the six
# lengths' sum, and the frames it is longer or shorter were inserted or lost.
tracks=() lengths=() n=0
sox -D -r 44100 -c 2 -n -b 16 "$E2E/pause.wav" trim 0 0.3
for fmt in wav mp3 flac ogg opus; do
  total=0 cuts=()
  for k in 1 2 3 4 5 6; do
    n=$((n + 1))
    frames=$((57330 + 1354 * (n - 1) + 7))
    cuts+=("$frames")
    total=$((total + frames))
  done
  sox -D -r 44100 -c 2 -n -b 16 "$E2E/whole.wav" synth ${total}s sine 440 vol 0.5
  at=0 k=0
  for frames in "${cuts[@]}"; do
    k=$((k + 1))
    name=$(printf '%s%d' $fmt $k)
    sox -D "$E2E/whole.wav" "$E2E/$name.wav" trim ${at}s ${frames}s
    at=$((at + frames))
    case $fmt in
      wav) ;;
      # As encoders write them for players: with the header that tells the
      # encoder's delay and padding, which the decoder then leaves out.
      mp3) lame --quiet "$E2E/$name.wav" "$E2E/$name.mp3" ;;
      opus) opusenc --quiet "$E2E/$name.wav" "$E2E/$name.opus" ;;
      *) sox -D "$E2E/$name.wav" "$E2E/$name.$fmt" ;;
    esac
    tracks+=("$E2E/$name.$fmt")
  done
  tracks+=("$E2E/pause.wav")
  lengths+=("$total")
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
wait_for 15 title_is wav1.wav || fail "the play list did not start"
wait_for 90 title_is opus6.opus || fail "the play list did not reach its last track"
wait_for 10 title_is wav1.wav || fail "the play list did not start again"

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

RATE = 44100
runs = [tuple(map(float, l.split())) for l in open(sys.argv[1])]
formats = ["WAV", "MP3", "FLAC", "Ogg Vorbis", "Opus"]
lengths = [int(v) for v in sys.argv[5].split()]
if len(runs) < len(formats):
    sys.exit("the sounding stretches do not match the formats: %s" % runs)
print("frames inserted (+) or lost (-) where six tracks of one tone follow each other:")
for f, (start, end, _), want in zip(formats, runs, lengths):
    got = round((end - start) * RATE)
    print("  %-12s %+5d  (%d frames heard of %d; goal 0, lossy within 2)" % (f, got - want, got, want))

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
