#!/usr/bin/env bash
# The program with a screen reader and the keyboard alone: on a private
# session bus with the accessibility bus, every window is read as a screen
# reader reads it, and the road from the first start to an exported .ZIP is
# walked with keys only (screen_reader_road.py). Then the stored play list and
# the archive are checked.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
here=$(cd "$(dirname "$0")" && pwd)

mkdir -p "$E2E/app/music" "$E2E/app/exports"
for f in 440 660; do
  sox -n -r 44100 -c 2 -b 16 "$E2E/app/music/tone$f.wav" synth 2 sine $f vol 0.5
done
e2e_options welcome=1

cat > "$E2E/session.sh" <<SESSION
#!/usr/bin/env bash
source "$here/lib.sh"
E2E=$E2E; CONF="$CONF"; APP=$APP; export ARTIFACTS=$ARTIFACTS
gdbus call --session -d org.a11y.Bus -o /org/a11y/bus -m org.a11y.Bus.GetAddress >/dev/null ||
  fail "no accessibility bus"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_window_manager
start_tray_host
"\$APP" & app=\$!
/usr/bin/python3 "$here/screen_reader_road.py" "\$APP" music exports || {
  import -window root "\$ARTIFACTS/screen_reader_road.png" || true
  exit 1
}
kill -TERM \$app
wait \$app || fail "the program did not end cleanly"
kill \$TRAYER_PID 2>/dev/null || true
SESSION
x_session 1024x768x24 dbus-run-session -- bash "$E2E/session.sh"

list="$E2E/app/Road Songs.cap"
[ -f "$list" ] || fail "the play list was not saved"
for f in 440 660; do
  grep -q "\"$E2E/app/music/tone$f.wav\"" "$list" || fail "the play list lacks tone$f.wav"
done
zip="$E2E/app/exports/Road Songs.zip"
[ -f "$zip" ] || fail "the archive was not written"
packed=$(unzip -Z1 "$zip")
for name in tone440.wav tone660.wav "Road Songs.m3u8"; do
  grep -qx "$name" <<<"$packed" || fail "the archive lacks $name: $packed"
done
grep -qx 'active_collection=Road Songs' "$CONF" || fail "Ok did not make the list active"
echo "accessibility e2e: ok"
