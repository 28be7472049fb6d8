#!/usr/bin/env bash
# The cover the desktop's media widget shows, and the media controls from the
# command line, read with playerctl on a private session bus: an MP3 carrying
# its own picture gives that picture, written to the per-user cache; a FLAC
# with cover.jpg beside it gives that file; a WAV with neither gives no cover.
# Without a running copy the options end with one line on standard error,
# except --play, which starts the player; with one, each does its media
# control in the running copy and returns at once.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
here=$(cd "$(dirname "$0")" && pwd)
export XDG_CACHE_HOME=$E2E/cache

mkdir -p "$E2E/music" "$E2E/album"
for f in 440 660 990; do
  sox -n -r 44100 -c 2 -b 16 "$E2E/tone$f.wav" synth 60 sine $f vol 0.3
done
convert -size 48x48 xc:red "$E2E/red.png"
lame --quiet "$E2E/tone440.wav" "$E2E/bare.mp3"
# An ID3v2.3 tag with a title and the picture (APIC, front cover), as taggers write it.
python3 - "$E2E/bare.mp3" "$E2E/red.png" "$E2E/music/red.mp3" <<'PY'
import struct, sys
mp3, png, out = sys.argv[1:4]
frame = lambda fid, body: fid + struct.pack(">I", len(body)) + b"\0\0" + body
body = frame(b"TIT2", b"\0Red Song") + frame(b"APIC", b"\0image/png\0\x03\0" + open(png, "rb").read())
n = len(body)
size = bytes([(n >> 21) & 0x7F, (n >> 14) & 0x7F, (n >> 7) & 0x7F, n & 0x7F])
open(out, "wb").write(b"ID3\x03\0\0" + size + body + open(mp3, "rb").read())
PY
sox "$E2E/tone660.wav" "$E2E/album/blue.flac"
convert -size 48x48 xc:blue "$E2E/album/cover.jpg"
mv "$E2E/tone990.wav" "$E2E/music/plain.wav"
e2e_play_list Covers "$E2E/music/red.mp3" "$E2E/album/blue.flac" "$E2E/music/plain.wav"
e2e_options active_collection=Covers welcome=0 player_random=0

cat > "$E2E/session.sh" <<SESSION
#!/usr/bin/env bash
source "$here/lib.sh"
E2E=$E2E; APP=$APP; ARTIFACTS=$ARTIFACTS
pc() { playerctl -p davrin_audio_player "\$@" 2>/dev/null; }
is() { [ "\$(pc "\${@:2}")" = "\$1" ]; }
title() { pc metadata --format '{{xesam:title}}'; }
art() { pc metadata --format '{{mpris:artUrl}}'; }
# The picture the controls are given: a local file that file(1) calls an image.
art_file() {
  local url
  url=\$(art)
  [[ \$url == file://* ]] || fail "no file:// cover for \$(title): '\$url'"
  python3 -c 'import sys, urllib.parse as u; print(u.unquote(u.urlparse(sys.argv[1]).path))' "\$url"
}
# Runs the program with an option; it must end at once (within three seconds, also under the
# sanitizers) with the exit code given.
command() {
  local code=\$1 started=\$SECONDS
  shift
  local got=0
  timeout 10 "\$APP" "\$@" 2>"\$E2E/err.txt" || got=\$?
  [ \$got -eq \$code ] || fail "\$* ended with \$got, not \$code: \$(cat "\$E2E/err.txt")"
  [ \$((SECONDS - started)) -le 3 ] || fail "\$* took \$((SECONDS - started)) s"
}

for option in --play-pause --pause --stop --next --previous; do
  command 1 \$option
  [ "\$(wc -l <"\$E2E/err.txt")" -eq 1 ] || fail "\$option without a running copy said: \$(cat "\$E2E/err.txt")"
done
echo "without a running copy: \$(cat "\$E2E/err.txt")"

start_tray_host
"\$APP" --play &
app=\$!
wait_for 15 icon_embedded || fail "--play without a running copy did not start the player"
wait_for 10 is Playing status || fail "the started player does not play: \$(pc status) \$(pc metadata)"

wait_for 5 is "Red Song" metadata --format '{{xesam:title}}' || fail "the MP3's title: \$(title)"
cover=\$(art_file)
[[ \$cover == "\$E2E/cache/"* ]] || fail "the MP3's picture is not in the per-user cache: \$cover"
file -b "\$cover" | grep -q '^PNG image' || fail "the MP3's cover is no picture: \$(file -b "\$cover")"
cmp -s <(convert "\$cover" rgb:-) <(convert "$E2E/red.png" rgb:-) || fail "the MP3's cover is not its picture"

command 0 --next
wait_for 3 is blue.flac metadata --format '{{xesam:title}}' || fail "--next did not move on: \$(title)"
[ "\$(art_file)" = "$E2E/album/cover.jpg" ] || fail "the FLAC's cover is not the one beside it: \$(art)"
file -b "\$(art_file)" | grep -q '^JPEG image' || fail "the FLAC's cover is no JPEG"

command 0 --next
wait_for 3 is plain.wav metadata --format '{{xesam:title}}' || fail "--next did not move on: \$(title)"
[ -z "\$(art)" ] || fail "a track without a picture has the cover \$(art)"
command 0 --previous
wait_for 3 is blue.flac metadata --format '{{xesam:title}}' || fail "--previous did not go back: \$(title)"

command 0 --stop
wait_for 3 is Stopped status || fail "--stop: \$(pc status)"
command 0 --play
wait_for 3 is Playing status || fail "--play with a running copy: \$(pc status)"
command 0 --pause
wait_for 3 bash -c "[ \"\\\$(playerctl -p davrin_audio_player status 2>/dev/null)\" != Playing ]" ||
  fail "--pause left the music playing"
command 0 --play-pause
wait_for 3 is Playing status || fail "--play-pause did not play again: \$(pc status)"
[ "\$(pgrep -c -f "^\$APP")" -eq 1 ] || fail "a command left a second copy running"
# The picture is written once, however often its track plays.
[ "\$(find "$E2E/cache" -type f | wc -l)" -eq 1 ] || fail "the cache holds: \$(find "$E2E/cache" -type f)"

dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.davrin_audio_player \
  /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Quit >/dev/null || fail "Quit was refused"
wait_for 10 bash -c "! kill -0 \$app 2>/dev/null" || fail "Quit did not end the program"
wait \$app || fail "the program ended with an error"
kill \$TRAYER_PID 2>/dev/null || true
SESSION
start=$SECONDS
xvfb-run -a -s "-noreset -screen 0 800x600x24" dbus-run-session -- bash "$E2E/session.sh"
echo "media commands e2e: ok in $((SECONDS - start)) s"
