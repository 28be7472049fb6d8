#!/usr/bin/env bash
# The installed program: `cmake --install` into a fresh prefix lays out the
# program, its menu entry, icons, metadata, manual and help page, and the menu
# entry and metadata pass the desktop's checks. The installed copy starts in
# a real X session with a tray host, tells its version while it runs, Help in
# its settings window opens the installed help page, Exit ends it, and it
# keeps its play lists in the per-user data folder, never beside the program.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
here=$(cd "$(dirname "$0")" && pwd)
version=$2
P=$E2E/prefix
cmake --install "$(dirname "$1")" --prefix "$P" >/dev/null
APP=$P/bin/davrin-audio-player
share=$P/share/davrin-audio-player

# Debian 12's validator predates SingleMainWindow (Desktop Entry 1.5): that key is the one it may name.
desktop=$P/share/applications/davrin-audio-player.desktop
complaints=$(desktop-file-validate "$desktop" 2>&1 | grep -v 'key "SingleMainWindow"' || true)
[ -z "$complaints" ] || fail "the menu entry does not validate: $complaints"
appstreamcli validate --no-net "$P/share/metainfo/davrin-audio-player.metainfo.xml" >"$E2E/as.txt" 2>&1 ||
  fail "the AppStream metadata does not validate: $(cat "$E2E/as.txt")"
execs=$(sed -n 's/^Exec=//p' "$desktop")
[ -x "$P/bin/$(head -n 1 <<<"$execs")" ] || fail "the menu entry starts no installed program"
# Its actions (Play/Pause, Next, Previous) pass an option the program knows to the running copy.
[ "$(tail -n +2 <<<"$execs" | wc -l)" -eq 3 ] || fail "the menu entry has not three actions: $execs"
while read -r program option; do
  [ -x "$P/bin/$program" ] && "$APP" --help | grep -qE -- "^ +$option " ||
    fail "the action '$program $option' starts no installed program with a known option"
done < <(tail -n +2 <<<"$execs")
grep -q "Version $version" "$share/help.htm" || fail "the help page does not tell version $version"
grep -q "$version" "$P/share/man/man1/davrin-audio-player.1" || fail "the manual does not tell $version"
for size in 16 22 24 32 48 64 128 256; do
  png=$P/share/icons/hicolor/${size}x$size/apps/davrin-audio-player.png
  read -r w h colours < <(identify -format '%w %h %k\n' "$png") || fail "no icon at $size px"
  [ "$w $h" = "$size $size" ] || fail "the $size px icon is $w x $h"
  [ "$colours" -gt 8 ] || fail "the $size px icon is blank"
done
for svg in scalable/apps/davrin-audio-player.svg symbolic/apps/davrin-audio-player-symbolic.svg; do
  python3 -c 'import sys, xml.etree.ElementTree as t; sys.exit(t.parse(sys.argv[1]).getroot().tag != "{http://www.w3.org/2000/svg}svg")' \
    "$P/share/icons/hicolor/$svg" || fail "the icon $svg is no SVG"
done

e2e_options welcome=0  # no play list: the settings window opens at start
cat > "$E2E/session.sh" <<SESSION
#!/usr/bin/env bash
source "$here/lib.sh"
E2E=$E2E; APP=$APP; ARTIFACTS=$ARTIFACTS
window_named() { xdotool search --onlyvisible --name "^\$1\\\$" 2>/dev/null | head -n 1 | grep .; }
start_tray_host
"\$APP" &
app=\$!
wait_for 15 icon_embedded || fail "the installed copy's tray icon was not embedded"
wait_for 15 window_named "Davrin Audio Player" >/dev/null || fail "the settings window did not open"
SETTINGS=\$(window_named "Davrin Audio Player")
[ "\$("\$APP" --version)" = "Davrin Audio Player $version" ] || fail "--version failed while a copy runs"
kill -0 \$app || fail "--version disturbed the running copy"
sleep 0.5
xdotool mousemove --window \$SETTINGS 261 291 click 1   # Help (3345,4185 1140x375)
wait_for 10 grep -Eqx "(file://)?$share/help.htm" "$E2E/opened.txt" ||
  fail "Help did not open the installed help page: \$(cat "$E2E/opened.txt" 2>/dev/null)"
import -window root "\$ARTIFACTS/installed_settings.png" || true
xdotool mousemove --window \$SETTINGS 482 291 click 1   # Ok
settings_closed() { ! window_named "Davrin Audio Player" >/dev/null; }
wait_for 10 settings_closed || fail "Ok did not close the settings window"
right_click_icon
menu_keys Up Return                                      # Exit Davrin Audio Player
wait_for 10 bash -c "! kill -0 \$app 2>/dev/null" || fail "Exit did not end the installed copy"
wait \$app || fail "the installed copy ended with an error"
kill \$TRAYER_PID 2>/dev/null || true
SESSION
x_session 800x600x24 bash "$E2E/session.sh"

[ -d "$XDG_DATA_HOME/Davrin Software/Davrin Audio Player" ] || fail "no per-user play-list folder"
expected=(bin/davrin-audio-player share/applications/davrin-audio-player.desktop
  share/davrin-audio-player/help.htm share/davrin-audio-player/player-icon.png
  share/icons/hicolor/scalable/apps/davrin-audio-player.svg
  share/icons/hicolor/symbolic/apps/davrin-audio-player-symbolic.svg share/man/man1/davrin-audio-player.1
  share/metainfo/davrin-audio-player.metainfo.xml)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x$size/apps/davrin-audio-player.png")
done
want=$(printf '%s\n' "${expected[@]}" | LC_ALL=C sort)
have=$(cd "$P" && find . -type f -printf '%P\n' | LC_ALL=C sort)
[ "$have" = "$want" ] || fail "the installed tree differs: $(diff <(echo "$want") <(echo "$have"))"
echo "install: ok"
