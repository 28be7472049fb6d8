#!/usr/bin/env bash
# Desktop media controls and the ways back to the program, with a client of
# the desktop's own (playerctl) on a private session bus: next, stop and play,
# metadata, loop and status; a later start opens the settings window; without
# a tray host the settings window opens by itself.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
here=$(cd "$(dirname "$0")" && pwd)

for f in 440 660 990; do
  sox -n -r 44100 -c 2 -b 16 "$E2E/tone$f.wav" synth 8 sine $f vol 0.5
done
e2e_play_list Tones "$E2E/tone440.wav" "$E2E/tone660.wav" "$E2E/tone990.wav"
e2e_options active_collection=Tones welcome=0 player_random=0

cat > "$E2E/session.sh" <<SESSION
#!/usr/bin/env bash
source "$here/lib.sh"
E2E=$E2E; CONF="$CONF"; APP=$APP; ARTIFACTS=$ARTIFACTS
pc() { playerctl -p davrin_audio_player "\$@" 2>/dev/null; }
is() { [ "\$(pc "\${@:2}")" = "\$1" ]; }
quit() {
  dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.davrin_audio_player \
    /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Quit >/dev/null || fail "Quit was refused"
  wait_for 10 bash -c "! kill -0 \$1 2>/dev/null" || fail "Quit did not end the program"
  wait \$1 || fail "the program ended with an error"
}
settings_window() {
  local id
  id=\$(xdotool search --onlyvisible --name '^Davrin Audio Player\$' 2>/dev/null | head -n 1)
  [ -n "\$id" ] && echo "\$id"
}
E2E_PITCHES="440 660 990"
# A picture of the open tray menu, once it is drawn: two pictures in a row alike.
menu_shot() {
  right_click_icon
  import -window root "\$E2E/menu_last.png"
  wait_for 5 screen_settled "\$E2E/menu_last.png" "\$1" || fail "the tray menu kept changing"
  xdotool key Escape
}
screen_settled() {
  import -window root "\$2" || return 1
  [ "\$(compare -metric AE "\$1" "\$2" null: 2>&1)" = 0 ] || { cp "\$2" "\$1"; return 1; }
}

start_recorded_program
wait_for 10 is Playing status || fail "status did not read Playing"
wait_for 10 now_playing 440 || fail "the first tone did not play"
wait_for 3 is "tone440.wav|Tones" metadata --format '{{title}}|{{album}}' ||
  fail "metadata: \$(pc metadata --format '{{title}}|{{album}}')"

pc next
wait_for 10 now_playing 660 || fail "next did not move to the next tone"
sleep 1
pc stop
wait_for 5 is Stopped status || fail "status did not read Stopped"
sleep 0.5
cp "$E2E/out.raw" "$E2E/before_stop.raw"   # the device opens its file afresh
pc play
wait_for 5 is Playing status || fail "play did not start the music again"
wait_for 3 is "tone660.wav|Tones" metadata --format '{{title}}|{{album}}' ||
  fail "play did not return to the stopped track"
wait_for 20 now_playing 990 || fail "the replayed tone was not followed by the next"

# Repeat from the controls sets the menu's check mark; the menu entry clears it.
menu_shot "\$ARTIFACTS/media_menu_before.png"
pc loop Track
wait_for 3 is Track loop || fail "loop did not read Track"
menu_shot "\$ARTIFACTS/media_menu_repeat.png"
[ "\$(compare -metric AE "\$ARTIFACTS/media_menu_before.png" "\$ARTIFACTS/media_menu_repeat.png" null: 2>&1)" != 0 ] ||
  fail "loop Track left the menu as it was"
right_click_icon
menu_keys Down Down Down Down Down Down Return   # Settings, Stop, Next, Previous, Random, Repeat
wait_for 3 is Playlist loop || fail "the menu's Repeat Current Track did not switch the loop off"

# A tray host is there: nothing opened by itself. A later start opens the settings.
! settings_window >/dev/null || fail "the settings window opened though a tray host is there"
"\$APP" || fail "the later start ended with an error"
wait_for 5 settings_window >/dev/null || fail "a later start did not open the settings window"
sleep 0.3
import -window root "\$ARTIFACTS/media_later_start.png" || true
quit \$app

# No tray host: the settings window opens by itself.
stop_tray_host
"\$APP" &
app=\$!
wait_for 12 settings_window >/dev/null || fail "without a tray host the settings window did not open"
sleep 0.3
import -window root "\$ARTIFACTS/media_no_tray_host.png" || true
quit \$app
SESSION
start=$SECONDS
x_session 800x600x24 dbus-run-session -- bash "$E2E/session.sh"

before=$(python3 "$here/pitch_runs.py" "$E2E/before_stop.raw" 440 660 990)
after=$(python3 "$here/pitch_runs.py" "$E2E/out.raw" 440 660 990)
echo "pitch runs before the stop:"; echo "$before"; echo "after the play:"; echo "$after"
python3 - "$before" "$after" <<'PY' || fail "next, stop and play did not sound as they should"
import sys
before, after = ([(float(f), float(s)) for f, s in (l.split() for l in a.splitlines())]
                 for a in sys.argv[1:3])
# next cut the first tone short and moved to the second
assert [f for f, _ in before] == [440.0, 660.0] and before[0][1] < 7.8, before
# play sounded the stopped tone again from its beginning, whole, then the next
assert [f for f, _ in after[:2]] == [660.0, 990.0] and after[0][1] >= 7.5, after
PY
echo "media controls e2e: ok in $((SECONDS - start)) s"
