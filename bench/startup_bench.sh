#!/usr/bin/env bash
# Time from launch to the tray icon being embedded in the tray host, for the
# real program and for the bare tray icon (davrin_bare_tray), RUNS runs each,
# alternating, in one Xvfb session; prints the medians and their ratio.
#   bench/startup_bench.sh [BUILD_DIR] [RUNS]   (BARE_TRAY=path overrides the bare program)
here=$(cd "$(dirname "$0")" && pwd)
if [ "${1:-}" != "--session" ]; then
  build=$(cd "${1:-$here/../build}" && pwd)
  bare=${BARE_TRAY:-$build/bench/davrin_bare_tray}
  [ -x "$build/davrin-audio-player" ] || { echo "no program in $build" >&2; exit 1; }
  [ -x "$bare" ] || { echo "no bare tray program at $bare (build target davrin_bare_tray)" >&2; exit 1; }
  export BENCH_EXE=$build/davrin-audio-player BENCH_BARE=$bare BENCH_RUNS=${2:-5}
  exec xvfb-run -a -s "-noreset -screen 0 800x600x24" bash "$0" --session
fi

source "$here/../tests/e2e/lib.sh"
ARTIFACTS=$(mktemp -d /tmp/davrin-bench-art-XXXXXX)
e2e_setup "$BENCH_EXE"
sox -n -r 44100 -c 2 "$E2E/tone.mp3" synth 60 sine 440 vol 0.5
e2e_play_list Bench "$E2E/tone.mp3"
e2e_options active_collection=Bench welcome=0 player_random=0
start_tray_host
panel=$(tray_panel)
embedded() { xwininfo -tree -id "$panel" 2>/dev/null | grep -q -i davrin; }

# launch_time COMMAND...: seconds from the start until the icon is embedded.
launch_time() {
  local t0 t1 pid
  t0=$(date +%s.%N)
  "$@" & pid=$!
  local end=$((SECONDS + 15))
  until embedded; do
    [ $SECONDS -lt $end ] || fail "no tray icon from $1"
    sleep 0.01
  done
  t1=$(date +%s.%N)
  kill -TERM $pid
  wait $pid 2>/dev/null || true
  wait_for 10 bash -c "! xwininfo -tree -id $panel | grep -qi davrin" || fail "the icon stayed"
  sleep 0.5
  echo "$t1 - $t0" | bc -l
}

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

launch_time "$BENCH_BARE" >/dev/null   # warm the file cache for both
launch_time "$APP" >/dev/null
prog=() bare=()
for i in $(seq "$BENCH_RUNS"); do
  prog+=("$(launch_time "$APP")")
  bare+=("$(launch_time "$BENCH_BARE" "$E2E/tone.mp3")")
done
kill $TRAYER_PID 2>/dev/null || true
rm -rf "$ARTIFACTS"
mp=$(median "${prog[@]}") mb=$(median "${bare[@]}")
printf 'program runs (s): %s\n' "$(printf '%.3f ' "${prog[@]}")"
printf 'bare runs (s):    %s\n' "$(printf '%.3f ' "${bare[@]}")"
printf 'median launch to embedded icon: program %.3f s, bare %.3f s, ratio %.2f (target <= 1.5)\n' \
  "$mp" "$mb" "$(echo "$mp / $mb" | bc -l)"
