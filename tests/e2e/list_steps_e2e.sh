#!/usr/bin/env bash
# The real program with three play lists, made out of order, "alpha" playing
# from the start: the tray menu's Next Play List plays the first track of
# "beta" (heard in the recorded output), and once more the first of "gamma".
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
here=$(cd "$(dirname "$0")" && pwd)

for f in 440 550 660 770 990 1100; do
  sox -n -r 44100 -c 2 -b 16 "$E2E/tone$f.wav" synth 2 sine $f vol 0.5
done
e2e_play_list gamma "$E2E/tone990.wav" "$E2E/tone1100.wav"
e2e_play_list alpha "$E2E/tone440.wav" "$E2E/tone550.wav"
e2e_play_list beta "$E2E/tone660.wav" "$E2E/tone770.wav"
e2e_options active_collection=alpha welcome=0 player_random=0
pitches="440 550 660 770 990 1100"

cat > "$E2E/session.sh" <<SESSION
#!/usr/bin/env bash
source "$here/lib.sh"
E2E=$E2E; CONF="$CONF"; APP=$APP; ARTIFACTS=$ARTIFACTS
start_recorded_program
E2E_PITCHES="$pitches"
# Settings, Stop Music, Next Track, Previous Track, Random Track, Repeat, Next Play List
next_play_list() {
  right_click_icon
  menu_keys Down Down Down Down Down Down Down Return
}
wait_for 15 now_playing 440 550 || fail "alpha did not start"
next_play_list
wait_for 10 now_playing 660 770 || fail "Next Play List did not play beta"
next_play_list
wait_for 10 now_playing 990 1100 || fail "Next Play List did not play gamma"
exit_from_menu
SESSION
x_session 800x600x24 bash "$E2E/session.sh"

runs=$(python3 "$here/pitch_runs.py" "$E2E/out.raw" $pitches)
echo "pitch runs:"; echo "$runs"
python3 - "$runs" <<'PY' || fail "the play lists did not follow alpha, beta, gamma from their first tracks"
import sys
runs = [float(l.split()[0]) for l in sys.argv[1].splitlines()]
list_of = {440: "alpha", 550: "alpha", 660: "beta", 770: "beta", 990: "gamma", 1100: "gamma"}
lists = []
for f in runs:
    if not lists or lists[-1][0] != list_of[f]:
        lists.append((list_of[f], f))  # each list as it comes in, with its first pitch
assert lists == [("alpha", 440), ("beta", 660), ("gamma", 990)], lists
PY
echo "list steps e2e: ok"
