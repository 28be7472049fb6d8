#!/usr/bin/env bash
# The real program plays three short tracks of three formats one after the
# other; in the recorded output the silence between them stays far below the
# second the player once waited for its next tick (the bound is loose, so that
# a loaded machine passes; bench/gapless_bench.sh measures the tight goals).
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
here=$(cd "$(dirname "$0")" && pwd)

sox -n -r 44100 -c 2 -b 16 "$E2E/one.wav" synth 1.2 sine 440 vol 0.5
sox -n -r 44100 -c 2 "$E2E/two.mp3" synth 1.25 sine 660 vol 0.5
sox -n -r 48000 -c 2 -b 16 "$E2E/three.wav" synth 1.3 sine 990 vol 0.5
opusenc --quiet "$E2E/three.wav" "$E2E/three.opus"
e2e_play_list Short "$E2E/one.wav" "$E2E/two.mp3" "$E2E/three.opus"
e2e_options active_collection=Short welcome=0 player_random=0

cat > "$E2E/session.sh" <<SESSION
#!/usr/bin/env bash
source "$here/lib.sh"
E2E=$E2E; CONF="$CONF"; APP=$APP; ARTIFACTS=$ARTIFACTS
start_recorded_program
E2E_PITCHES="440 660 990"
# The first track again is whole once the second follows it.
wait_for 40 played 440 660 990 440 660 || fail "the play list did not play through and start again"
exit_from_menu
SESSION
start=$SECONDS
x_session 800x600x24 bash "$E2E/session.sh"

runs=$(python3 "$here/pitch_runs.py" --exact "$E2E/out.raw")
echo "sounding stretches (start, end, pitch):"; echo "$runs"
python3 - "$runs" <<'PY' || fail "the tracks did not follow each other closely"
import sys
runs = [tuple(map(float, l.split())) for l in sys.argv[1].splitlines()][:4]
want = [(440, 1.2), (660, 1.25), (990, 1.3), (440, 1.2)]
assert len(runs) == 4, runs
for (start, end, pitch), (f, length) in zip(runs, want):
    assert abs(pitch - f) < 0.03 * f and abs(end - start - length) < 0.06, runs
gaps = [(b[0] - a[1]) * 1000 for a, b in zip(runs, runs[1:])]
print("silences between the tracks (ms):", " ".join("%.0f" % g for g in gaps))
assert max(gaps) < 250, gaps
PY
echo "gapless e2e: ok in $((SECONDS - start)) s"
