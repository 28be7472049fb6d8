#!/usr/bin/env bash
# The media widget's place, heard: playerctl on a private session bus drives
# the real program while SDL's disk driver records what it plays. A sweep's
# pitch tells the place in the track (100 Hz more each second): the position
# moves with the music, SetPosition is heard at once and signalled, Pause
# holds the place in silence and Play goes on from it, Volume 0.5 is heard as
# half the amplitude and is kept in the options.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
here=$(cd "$(dirname "$0")" && pwd)

sox -D -r 44100 -c 2 -n -b 16 "$E2E/sweep.wav" synth 30 sine 200:3200 vol 0.5
e2e_play_list Sweep "$E2E/sweep.wav"
e2e_options active_collection=Sweep welcome=0 player_random=0

cat > "$E2E/session.sh" <<SESSION
#!/usr/bin/env bash
source "$here/lib.sh"
E2E=$E2E; CONF="$CONF"; APP=$APP; ARTIFACTS=$ARTIFACTS
pc() { playerctl -p davrin_audio_player "\$@" 2>/dev/null; }
is() { [ "\$(pc "\${@:2}")" = "\$1" ]; }
size() { stat -c %s "$E2E/out.raw"; }
now() { date +%s.%N; }
# Bounds from the wall clock, so that a slow playerctl on a loaded machine is no failure.
holds() { python3 -c "import sys; sys.exit(not (\$1))" || fail "\$2: \$1"; }
dbus-monitor --session "type='signal',interface='org.mpris.MediaPlayer2.Player',member='Seeked'" \
  > "$E2E/seeked.txt" 2>/dev/null &
start_recorded_program
wait_for 10 is Playing status || fail "the music did not start"
sleep 1.5
t1=\$(now); p1=\$(pc position); sleep 1; p2=\$(pc position); t2=\$(now)
holds "0.8 < \$p2 - \$p1 < \$t2 - \$t1 + 0.1" "Position did not move with the music"
echo "\$(size)" > "$E2E/seek_from"
t1=\$(now)
pc position 10 || fail "SetPosition was refused"
echo "\$(size)" > "$E2E/seek_to"
sleep 0.5
p=\$(pc position); t2=\$(now)
holds "10.3 < \$p < 10.1 + \$t2 - \$t1" "Position did not follow SetPosition"
pc volume 0.5
is 0.500000 volume || fail "Volume did not read 0.5: \$(pc volume)"
sleep 0.7
cp "$E2E/out.raw" "$E2E/before_pause.raw"
pc pause
wait_for 5 is Paused status || fail "Pause gave \$(pc status)"
q1=\$(pc position); s1=\$(size); sleep 1; q2=\$(pc position); s2=\$(size)
[ "\$q1" = "\$q2" ] || fail "the position moved while paused: \$q1 \$q2"
[ "\$s1" = "\$s2" ] || fail "the output ran on while paused"
echo "\$q1" > "$E2E/paused_at"
pc play
wait_for 5 is Playing status || fail "Play after Pause gave \$(pc status)"
sleep 0.6
cp "$E2E/out.raw" "$E2E/after_pause.raw"
t1=\$(now); r1=\$(pc position); pc play-pause; wait_for 5 is Paused status; pc play-pause
wait_for 5 is Playing status || fail "PlayPause twice did not play"
r2=\$(pc position); t2=\$(now)
holds "-0.05 <= \$r2 - \$r1 < \$t2 - \$t1 + 0.1" "PlayPause twice lost the place"
pc stop; wait_for 5 is Stopped status || fail "Stop gave \$(pc status)"
t1=\$(now); pc play; wait_for 5 is Playing status
p=\$(pc position); t2=\$(now)
holds "\$p < \$t2 - \$t1 + 0.2" "Play after Stop did not start the track again"
grep -q "member=Seeked" "$E2E/seeked.txt" || fail "no Seeked signal"
dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.davrin_audio_player \
  /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Quit >/dev/null
wait_for 10 bash -c "! kill -0 \$app 2>/dev/null" || fail "Quit did not end the program"
SESSION
start=$SECONDS
status=0
xvfb-run -a -s "-noreset -screen 0 800x600x24" dbus-run-session -- bash "$E2E/session.sh" \
  >"$E2E/session.log" 2>&1 || status=$?
grep -v "Failed to set fd limit" "$E2E/session.log" || true
[ $status = 0 ] || fail "the session failed"
grep -qx 'volume=0.500' "$CONF" || fail "the volume was not kept in the options: $(cat "$CONF")"

python3 - "$E2E" <<'PY' || fail "what was heard does not match"
import array, sys
d = sys.argv[1]
def load(name):
    s = array.array("h"); data = open(f"{d}/{name}", "rb").read()
    s.frombytes(data[: len(data) // 4 * 4]); return s[::2]
def pitch(w):
    return sum(1 for a, b in zip(w, w[1:]) if (a < 0) != (b < 0)) * 44100 / 2 / len(w)
place = lambda hz: (hz - 200) / 100
left = load("before_pause.raw")
sent, returned = (int(open(f"{d}/{n}").read()) // 4 for n in ("seek_from", "seek_to"))
# The first 10 ms past the point SetPosition was sent that sounds at 10 s.
heard = next(i for i in range(sent, len(left) - 441, 441) if place(pitch(left[i:i + 441])) > 9)
latency = (heard - returned) / 44100 * 1000
print(f"SetPosition heard {latency:.0f} ms after playerctl returned")
assert latency < 50, latency
tail = left[-8820:]
peak = max(map(abs, tail))
print(f"peak at volume 0.5: {peak} (16384 at full)")
assert abs(peak - 8192) < 400, peak
after = load("after_pause.raw")
first = next(i for i in range(0, len(after) - 4410, 441) if max(map(abs, after[i:i + 441])) > 1000)
went_on = place(pitch(after[first + 441:first + 441 + 4410]))
paused_at = float(open(f"{d}/paused_at").read())
print(f"paused at {paused_at:.2f} s, went on at {went_on:.2f} s")
assert abs(went_on - paused_at) < 0.3
PY
echo "media place e2e: ok in $((SECONDS - start)) s"
