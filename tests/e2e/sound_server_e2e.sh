#!/usr/bin/env bash
# The real program on a real sound server (PulseAudio with two null sinks, its
# monitors recorded with parec): the stream tells who plays; a new default
# sink takes the music along; the server stopped for a few seconds and started
# again: the same track is heard again from where it went silent.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
here=$(cd "$(dirname "$0")" && pwd)
command -v pulseaudio >/dev/null && command -v parec >/dev/null || fail "pulseaudio and parec are needed"

# A 30 s sweep: its pitch tells the place, 100 Hz more every second.
sox -D -r 44100 -c 2 -n -b 16 "$E2E/sweep.wav" synth 30 sine 200:3200 vol 0.5
e2e_play_list Sweep "$E2E/sweep.wav"
e2e_options active_collection=Sweep welcome=0 player_random=0

mkdir -p "$E2E/pulse"
cat > "$E2E/pulse/server.pa" <<PA
load-module module-native-protocol-unix socket=$E2E/pulse/native auth-anonymous=1
load-module module-null-sink sink_name=one
load-module module-null-sink sink_name=two
set-default-sink one
PA
export PULSE_SERVER=unix:$E2E/pulse/native

cat > "$E2E/session.sh" <<SESSION
#!/usr/bin/env bash
source "$here/lib.sh"
E2E=$E2E; CONF="$CONF"; APP=$APP; ARTIFACTS=$ARTIFACTS
server_up() { pactl info >/dev/null 2>&1; }
start_server() {
  pulseaudio -n -F "$E2E/pulse/server.pa" --exit-idle-time=-1 --daemonize=no --use-pid-file=no \
    >>"$E2E/pulse/log" 2>&1 &
  server=\$!
  wait_for 10 server_up || fail "the sound server did not start"
}
stream() { pactl list sink-inputs; }
playing_on() { stream | grep -q "Sink: \$(pactl list short sinks | awk -v s=\$1 '\$2 == s {print \$1}')\$"; }
start_server
start_tray_host
SDL_AUDIODRIVER=pulseaudio "\$APP" &
app=\$!
wait_for 15 icon_embedded || fail "the tray icon was not embedded"
wait_for 10 playing_on one || fail "no stream reached the sound server"
stream > "$E2E/stream.txt"
for want in 'application.name = "Davrin Audio Player"' 'application.icon_name = "davrin-audio-player"' \
  'media.role = "music"' 'media.name = "sweep.wav"'; do
  grep -qF "\$want" "$E2E/stream.txt" || fail "the stream does not say \$want: \$(cat "$E2E/stream.txt")"
done
parec -d one.monitor --raw --format=s16le --rate=44100 --channels=2 > "$E2E/one.raw" &
rec_one=\$!
sleep 2
pactl set-default-sink two
wait_for 5 playing_on two || fail "the music stayed on the old default sink"
parec -d two.monitor --raw --format=s16le --rate=44100 --channels=2 > "$E2E/two.raw" &
rec_two=\$!
sleep 2
kill \$rec_one \$rec_two 2>/dev/null || true
# The server goes away for three seconds and comes back.
kill -9 \$server; wait \$server 2>/dev/null || true
gone=\$(date +%s.%N)
sleep 3
start_server
pactl set-default-sink two
parec -d two.monitor --raw --format=s16le --rate=44100 --channels=2 > "$E2E/back.raw" &
back_at=\$(date +%s.%N)
wait_for 10 playing_on two || fail "the music did not come back to the restarted server"
echo "stream back \$(python3 -c "print(round(\$(date +%s.%N) - \$back_at, 2))") s after the server"
sleep 2
kill %% 2>/dev/null || true
exit_from_menu
SESSION
start=$SECONDS
xvfb-run -a -s "-noreset -screen 0 800x600x24" bash "$E2E/session.sh"

python3 - "$E2E" <<'PY' || fail "the music was not where it went silent"
import array, sys
folder = sys.argv[1]
def pitches(name):
    """(second in the recording, pitch) of each sounding tenth of a second."""
    s = array.array("h"); data = open(f"{folder}/{name}", "rb").read()
    s.frombytes(data[: len(data) // 4 * 4]); left = s[::2]; out = []
    for i in range(0, len(left) - 4410, 4410):
        w = left[i:i + 4410]
        # Only tenths that sound throughout: a part-silent one counts too few crossings.
        if min(max(map(abs, w[j:j + 441])) for j in range(0, 4410, 441)) < 1000: continue
        crossings = sum(1 for a, b in zip(w, w[1:]) if (a < 0) != (b < 0))
        out.append((i / 44100, crossings * 5))
    return out
one, two, back = pitches("one.raw"), pitches("two.raw"), pitches("back.raw")
assert one and two and back, (len(one), len(two), len(back))
# The place in the sweep, in seconds of the track: 100 Hz a second from 200 Hz.
place = lambda hz: (hz - 200) / 100
went_silent, heard_again = place(two[-1][1]), place(back[0][1])
# (a recording follows the default sink too: one's goes on from two's monitor)
print(f"on sink one from {place(one[0][1]):.1f} s, on two from {place(two[0][1]):.1f} s "
      f"to {went_silent:.1f} s; "
      f"after the restart it goes on at {heard_again:.1f} s, heard {back[0][0]:.2f} s into the recording")
assert -1.0 <= heard_again - went_silent <= 1.5, "not where it went silent"
PY
echo "sound server e2e: ok in $((SECONDS - start)) s"
