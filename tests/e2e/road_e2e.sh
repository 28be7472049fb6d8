#!/usr/bin/env bash
# The whole road of a new user, in the real program, driven through its
# windows with the pointer and the keys: the first start with nothing shows
# the welcome window, then the settings window; New opens the editor, Add All
# takes the two tones of the program's folder, the list is saved as
# "Road Trip", Ok plays it from its first track; from the tray's Settings,
# .ZIP exports it into a folder made in the picker; Exit keeps the options.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
here=$(cd "$(dirname "$0")" && pwd)

# The editor opens in the program's own folder: the tones wait there.
for f in 440 660; do
  sox -n -r 44100 -c 2 -b 16 "$E2E/app/tone$f.wav" synth 6 sine $f vol 0.5
done
rm -f "$CONF"  # nothing stored yet: a first start

cat > "$E2E/session.sh" <<SESSION
#!/usr/bin/env bash
source "$here/lib.sh"
E2E=$E2E; CONF="$CONF"; APP=$APP; ARTIFACTS=$ARTIFACTS

# The one visible window with this exact title (no window manager: no frames).
window_named() {
  local id
  id=\$(xdotool search --onlyvisible --name "^\$1\\\$" 2>/dev/null | head -n 1)
  [ -n "\$id" ] && echo "\$id"
}
# Waits for a window and remembers it in WIN.
wait_window() {
  wait_for 15 window_named "\$1" >/dev/null || fail "the window \"\$1\" did not appear"
  WIN=\$(window_named "\$1")
}
gone() { ! window_named "\$1" >/dev/null; }
# Keys go to the window that has the input focus: wait_focus WINDOW.
focused_on() { [ "\$(xdotool getwindowfocus 2>/dev/null)" = "\$1" ]; }
wait_focus() { wait_for 10 focused_on "\$1" || fail "the window \$1 did not take the keyboard"; }
wait_gone() { wait_for 15 gone "\$1" || fail "the window \"\$1\" did not close"; }
# A visible window of this title other than the given one (a message box
# carries the program's title, like the settings window).
other_window_named() {
  local id
  for id in \$(xdotool search --onlyvisible --name "^\$1\\\$" 2>/dev/null); do
    [ "\$id" != "\$2" ] && { echo "\$id"; return 0; }
  done
  return 1
}
no_message() { ! other_window_named "Davrin Audio Player" "\$SETTINGS" >/dev/null; }
# Clicks a control at a place inside the window's client area.
click_in() {
  xdotool mousemove --window "\$1" "\$2" "\$3" click 1
  sleep 0.3
}
shot() { import -window root "\$ARTIFACTS/\$1" || true; }
# True once the first run of the output is this tone, a second long at least.
first_tone() {
  [ -f "$E2E/out.raw" ] &&
    python3 "$here/pitch_runs.py" "$E2E/out.raw" 440 660 | head -n 1 |
    awk -v f="\$1" '\$1 == f && \$2 >= 1.0 { ok = 1 } END { exit !ok }'
}

start_recorded_program

# Nothing stored: the welcome window comes first.
wait_window "Welcome!"
shot road_welcome.png
click_in \$WIN 337 319                # Continue... (4455,4590 1185x375)
wait_gone "Welcome!"

# No play list is active: the settings window opens by itself.
wait_window "Davrin Audio Player"
SETTINGS=\$WIN
sleep 0.5                             # let it paint before the picture
shot settings_window.png
click_in \$SETTINGS 212 245           # New (Frame2 90,90 + 2700,3420 780x330)

wait_window "Create Your Music List"
EDITOR=\$WIN
click_in \$EDITOR 249 38              # Add All (3060,135 1365x870)
click_in \$EDITOR 467 33              # the title box (Frame1 4545,90 + 1215,270)
xdotool type --delay 40 "Road Trip"
sleep 0.3
shot road_editor.png
click_in \$EDITOR 249 287             # Save & Exit (3060,3870 1365x870)
wait_gone "Create Your Music List"
wait_for 10 test -f "$E2E/app/Road Trip.cap" || fail "the play list was not saved"

# Back in the settings window, the new list is selected: Ok plays it.
shot road_settings_new_list.png
click_in \$SETTINGS 482 291           # Ok (6660,4185 1140x375)
wait_gone "Davrin Audio Player"
wait_for 20 first_tone 440 || fail "the new list did not start with its first track"
# The output is written afresh whenever the sound device opens again.
cp "$E2E/out.raw" "$E2E/first_play.raw"

# The tray's first entry opens the settings again; .ZIP exports the list.
right_click_icon
menu_keys Down Return                 # Settings
wait_window "Davrin Audio Player"
SETTINGS=\$WIN
click_in \$SETTINGS 155 245           # .ZIP (Frame2 90,90 + 1845,3420 780x330)
wait_window "Select destination folder for .ZIP file"
PICKER=\$WIN
click_in \$PICKER 352 16              # New Folder (4725,90 1110x315)
wait_window "Create new folder"
wait_focus \$WIN
xdotool key ctrl+a
xdotool type --delay 40 "Exports"
xdotool key Return
wait_gone "Create new folder"
wait_for 10 test -d "$E2E/app/Exports" || fail "New Folder made no folder"
shot road_picker.png
click_in \$PICKER 352 196             # Ok (4725,2745 1125x405)
wait_gone "Select destination folder for .ZIP file"

# The export tells when it is done in a message box of the program's title.
wait_for 30 other_window_named "Davrin Audio Player" \$SETTINGS >/dev/null ||
  fail "no message came at the end of the export"
MESSAGE=\$(other_window_named "Davrin Audio Player" \$SETTINGS)
wait_focus \$MESSAGE
shot road_zip_finished.png
xdotool key Return
wait_gone "Creating Zip File..."
wait_for 10 no_message || fail "the message box did not close"
click_in \$SETTINGS 482 291           # Ok
wait_gone "Davrin Audio Player"

right_click_icon
menu_keys Up Return                   # Exit Davrin Audio Player
wait_for 10 bash -c "! kill -0 \$app 2>/dev/null" || fail "Exit did not end the program"
wait \$app || fail "the program ended with an error"
kill \$TRAYER_PID 2>/dev/null || true
SESSION
start=$SECONDS
x_session 800x600x24 bash "$E2E/session.sh"

zip="$E2E/app/Exports/Road Trip.zip"
[ -f "$zip" ] || fail "no archive in the chosen folder: $(ls -R "$E2E/app")"
unzip -tq "$zip" || fail "the archive does not test clean"
names=$(unzip -Z1 "$zip")
for f in tone440.wav tone660.wav; do
  grep -qx "$f" <<<"$names" || fail "the archive lacks $f: $names"
done
runs=$(python3 "$here/pitch_runs.py" "$E2E/first_play.raw" 440 660)
echo "pitch runs:"; echo "$runs"
[ "$(head -n 1 <<<"$runs" | cut -d' ' -f1)" = 440 ] || fail "the first run is not the first track"
for key in "active_collection=Road Trip" welcome=1; do
  grep -qx "$key" "$CONF" || fail "options file lacks $key: $(cat "$CONF")"
done
echo "road e2e: ok in $((SECONDS - start)) s"
