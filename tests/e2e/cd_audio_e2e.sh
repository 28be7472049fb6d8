#!/usr/bin/env bash
# Audio CDs in the real program: a CUE/BIN image made with sox is the CD drive
# (the cd_device option). A play list of CD-audio entries, stubs and names of
# missing TrackNN.cda files, plays the right tones in its order; entries of
# another disc, past the last track, broken stubs and a track beyond the end
# of a truncated .bin are passed over at once, with no message box; the
# desktop's media controls are told the track's name and length.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
here=$(cd "$(dirname "$0")" && pwd)

# Three tones of 2 s (150 sectors each); the sheet names a fourth track that
# the .bin does not hold: a copy cut short.
disc=$E2E/disc
mkdir -p "$disc" "$E2E/stubs"
for f in 440 660 990; do
  sox -n -r 44100 -c 2 -b 16 -e signed -L -t raw - synth 2 sine $f vol 0.5 >> "$disc/disc.bin"
done
{
  echo 'FILE "disc.bin" BINARY'
  n=1
  for start in 00:00:00 00:02:00 00:04:00 00:06:00; do
    printf '  TRACK %02d AUDIO\n    INDEX 01 %s\n' $n $start
    n=$((n + 1))
  done
} > "$disc/disc.cue"

# Stubs as the old platform wrote them; the disc's serial sums each track's
# start (after the two-second lead-in) as 0xMMSSFF.
python3 - "$E2E/stubs" <<'PY'
import struct, sys
folder = sys.argv[1]
starts = [150 + 150 * i for i in range(4)]
serial = sum((s // 4500) << 16 | (s // 75 % 60) << 8 | s % 75 for s in starts)
def stub(name, track, serial, truncate=None):
    body = struct.pack("<HHIII", 1, track, serial, starts[min(track, 4) - 1], 150) + bytes(8)
    data = b"RIFF" + struct.pack("<I", 36) + b"CDDAfmt " + struct.pack("<I", 24) + body
    open(folder + "/" + name, "wb").write(data[:truncate])
stub("Track02.cda", 2, serial)
stub("other disc.cda", 1, serial + 1)
stub("Track09.cda", 9, serial)
stub("Track03.cda", 3, serial, truncate=30)
stub("third.cda", 3, serial)
open(folder + "/garbage.cda", "wb").write(bytes(range(44)))
PY

gone=$E2E/taken-out
e2e_play_list Disc "$E2E/stubs/Track02.cda" "$E2E/stubs/other disc.cda" "$gone/Track01.cda" \
  "$E2E/stubs/Track09.cda" "$E2E/stubs/Track03.cda" "$gone/Track02.cda" "$E2E/stubs/garbage.cda" \
  "$gone/Track04.cda" "$E2E/stubs/third.cda"
e2e_options active_collection=Disc welcome=0 player_random=0 "cd_device=$disc/disc.cue"

cat > "$E2E/session.sh" <<SESSION
#!/usr/bin/env bash
source "$here/lib.sh"
E2E=$E2E; CONF="$CONF"; APP=$APP; ARTIFACTS=$ARTIFACTS
E2E_PITCHES="440 660 990"
pc() { playerctl -p davrin_audio_player "\$@" 2>/dev/null; }
# Whichever track plays, its entry's name and the track's length.
described() {
  pc metadata --format '{{title}}|{{mpris:length}}' | grep -qx -E '(Track0[12]|third)\.cda\|2000000'
}
start_recorded_program
wait_for 10 described || fail "the controls were told: \$(pc metadata --format '{{title}}|{{mpris:length}}')"
wait_for 60 played 660 440 660 990 660 || fail "the list did not play through and start again"
import -window root "\$ARTIFACTS/cd_audio.png" || true
! xdotool search --onlyvisible --name '^Davrin Audio Player\$' >/dev/null 2>&1 ||
  fail "a window or message box showed"
dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.davrin_audio_player \
  /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Quit >/dev/null || fail "Quit was refused"
wait_for 10 bash -c "! kill -0 \$app 2>/dev/null" || fail "Quit did not end the program"
wait \$app || fail "the program ended with an error"
kill \$TRAYER_PID 2>/dev/null || true
SESSION
start=$SECONDS
x_session 800x600x24 dbus-run-session -- bash "$E2E/session.sh"

runs=$(python3 "$here/pitch_runs.py" "$E2E/out.raw" 440 660 990)
echo "pitch runs:"; echo "$runs"
python3 - "$runs" <<'PY' || fail "the CD tracks did not play whole and in the list's order"
import sys
runs = [(float(f), float(s)) for f, s in (l.split() for l in sys.argv[1].splitlines())]
assert [f for f, _ in runs[:5]] == [660.0, 440.0, 660.0, 990.0, 660.0], runs
assert all(1.7 <= s <= 2.3 for _, s in runs[:4]), runs
PY
echo "cd audio e2e: ok in $((SECONDS - start)) s"
