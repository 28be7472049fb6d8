#!/usr/bin/env bash
# 2,000 short tracks, one after the other, at about nine times the speed of
# sound (the disk driver waiting 5 ms a buffer, written to /dev/null): the
# program's resident memory and open files at the 100th track and near the
# last, which must stay equal (RSS within 1 MB): nothing a track leaves behind
# may pile up. At the driver's full speed a short track is over before the
# user-interface thread can queue its follower, and the once-a-second tick
# would pace the run; 0.2 s tracks at this speed leave it 20 ms.
#   bench/many_tracks_bench.sh [BUILD_DIR] [TRACKS]
here=$(cd "$(dirname "$0")" && pwd)
if [ "${1:-}" != "--session" ]; then
  build=$(cd "${1:-$here/../build}" && pwd)
  [ -x "$build/davrin-audio-player" ] || { echo "no program in $build" >&2; exit 1; }
  export BENCH_EXE=$build/davrin-audio-player BENCH_TRACKS=${2:-2000}
  exec xvfb-run -a -s "-noreset -screen 0 800x600x24" dbus-run-session -- bash "$0" --session
fi
source "$here/../tests/e2e/lib.sh"
ARTIFACTS=$(mktemp -d /tmp/davrin-bench-art-XXXXXX)
bus=$DBUS_SESSION_BUS_ADDRESS
e2e_setup "$BENCH_EXE"
export DBUS_SESSION_BUS_ADDRESS=$bus  # the private bus of this run, which the set-up leaves out
n=$BENCH_TRACKS
sox -D -r 44100 -c 2 -n -b 16 "$E2E/t.wav" synth 0.2 sine 440 vol 0.5
tracks=()
for i in $(seq -w 1 "$n"); do
  ln "$E2E/t.wav" "$E2E/t$i.wav"
  tracks+=("$E2E/t$i.wav")
done
e2e_play_list Many "${tracks[@]}"
e2e_options active_collection=Many welcome=0 player_random=0
start_tray_host
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null SDL_DISKAUDIODELAY=5 "$APP" 2>/dev/null &
app=$!
track() { playerctl -p davrin_audio_player metadata xesam:title 2>/dev/null | tr -dc 0-9 || true; }
look() { echo "$(awk '/VmRSS/ {print $2}' /proc/$app/status) $(ls /proc/$app/fd | wc -l)"; }
first="" last="" start=$SECONDS
while [ $((SECONDS - start)) -lt 600 ]; do
  t=$(track); t=$((10#${t:-0}))
  if [ -z "$first" ] && [ "$t" -ge 100 ]; then first="$t $(look)"; started=$SECONDS; fi
  if [ "$t" -ge $((n - 10)) ]; then last="$t $(look)"; break; fi
  sleep 0.05
done
kill $app
read -r t1 rss1 fd1 <<<"$first"
read -r t2 rss2 fd2 <<<"$last"
echo "track $t1: RSS $rss1 kB, $fd1 open files; track $t2: RSS $rss2 kB, $fd2 open files"
echo "$((t2 - t1)) tracks in $((SECONDS - started)) s; RSS grew by $((rss2 - rss1)) kB"
[ "$fd1" = "$fd2" ] && [ $((rss2 - rss1)) -lt 1024 ]
