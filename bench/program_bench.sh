#!/usr/bin/env bash
# Memory and CPU of the real program under Xvfb with a tray host, playing a
# 60 s MP3 through SDL's dummy audio driver, against a bare tray icon playing
# the same file with SDL2_mixer (davrin_bare_tray), measured in the same run.
#   bench/program_bench.sh [BUILD_DIR]    (BARE_TRAY=path overrides the bare program)
# RSS/PSS from /proc/PID/status and smaps_rollup after 10 s; CPU from the
# utime+stime ticks of /proc/PID/stat over the next 20 s; then the music is
# stopped from the tray menu and CPU is measured for 20 s more, in clock ticks,
# in the scheduler's run time of all threads and in wake-ups (the voluntary
# context switches of all threads). The run time is printed for the playing
# program too, finer than its clock ticks.
here=$(cd "$(dirname "$0")" && pwd)
if [ "${1:-}" != "--session" ]; then
  build=$(cd "${1:-$here/../build}" && pwd)
  bare=${BARE_TRAY:-$build/bench/davrin_bare_tray}
  [ -x "$build/davrin-audio-player" ] || { echo "no program in $build" >&2; exit 1; }
  [ -x "$bare" ] || { echo "no bare tray program at $bare (build target davrin_bare_tray)" >&2; exit 1; }
  export BENCH_EXE=$build/davrin-audio-player BENCH_BARE=$bare
  exec xvfb-run -a -s "-noreset -screen 0 800x600x24" bash "$0" --session
fi

source "$here/../tests/e2e/lib.sh"
ARTIFACTS=$(mktemp -d /tmp/davrin-bench-art-XXXXXX)
e2e_setup "$BENCH_EXE"
sox -n -r 44100 -c 2 "$E2E/tone.mp3" synth 60 sine 440 vol 0.5
e2e_play_list Bench "$E2E/tone.mp3"
e2e_options active_collection=Bench welcome=0 player_random=0
hz=$(getconf CLK_TCK)

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
kb_of() { awk -v k="$2:" '$1 == k { print $2 }' "$1"; }

# memory PID NAME: sets RSS_<NAME> and PSS_<NAME> in MB
memory() {
  local rss pss
  rss=$(kb_of "/proc/$1/status" VmRSS)
  pss=$(kb_of "/proc/$1/smaps_rollup" Pss)
  printf -v "RSS_$2" '%.1f' "$(echo "$rss / 1024" | bc -l)"
  printf -v "PSS_$2" '%.1f' "$(echo "$pss / 1024" | bc -l)"
}
# cpu PID NAME SECONDS: sets CPU_<NAME> in percent of one core
cpu() {
  local a b
  a=$(cpu_ticks "$1")
  sleep "$3"
  b=$(cpu_ticks "$1")
  printf -v "CPU_$2" '%.3f' "$(echo "($b - $a) * 100 / $hz / $3" | bc -l)"
}
# run_ms PID: time its threads have run so far, in ms, from the scheduler's
# nanosecond counts (finer than the clock ticks above)
run_ms() { cat /proc/"$1"/task/*/schedstat | awk '{ n += $1 } END { printf "%.1f", n / 1e6 }'; }
# wakeups PID: how often its threads have gone to sleep and woken up so far
wakeups() { cat /proc/"$1"/task/*/status | awk '$1 == "voluntary_ctxt_switches:" { n += $2 } END { print n }'; }
ended() { ! kill -0 "$1" 2>/dev/null; }

start_tray_host

# The program.
"$APP" & app=$!
wait_for 15 icon_embedded || fail "the program's tray icon was not embedded"
sleep 10
memory $app prog
ran_before=$(run_ms $app)
cpu $app prog 20
RAN_prog=$(echo "$(run_ms $app) - $ran_before" | bc -l)
right_click_icon
menu_keys Down Down Return   # Settings, Stop Music
sleep 2
ran_before=$(run_ms $app)
woke_before=$(wakeups $app)
cpu $app stopped 20
RAN_stopped=$(echo "$(run_ms $app) - $ran_before" | bc -l)
WOKE_stopped=$(($(wakeups $app) - woke_before))
kill -TERM $app; wait $app 2>/dev/null || true
wait_for 10 bash -c '! xwininfo -tree -id "$(xdotool search --classname "^panel$" | head -n 1)" | grep -qi davrin' || true

# The bare tray icon.
"$BENCH_BARE" "$E2E/tone.mp3" & bare=$!
wait_for 15 icon_embedded || fail "the bare tray icon was not embedded"
sleep 10
memory $bare bare
cpu $bare bare 20
kill -TERM $bare; wait $bare 2>/dev/null || true
kill $TRAYER_PID 2>/dev/null || true
rm -rf "$ARTIFACTS"

ratio() { printf '%.2f' "$(echo "$1 / $2" | bc -l)"; }
verdict() { [ "$(echo "$1 <= $2" | bc -l)" = 1 ] && echo ok || echo OVER; }
printf '%-28s %10s %10s %12s\n' "" "RSS MB" "PSS MB" "CPU % core"
printf '%-28s %10s %10s %12s   (ran %s ms in 20 s)\n' "program, playing" "$RSS_prog" "$PSS_prog" \
  "$CPU_prog" "$RAN_prog"
printf '%-28s %10s %10s %12s   (ran %s ms and woke %s times in 20 s)\n' "program, music stopped" "" "" \
  "$CPU_stopped" "$RAN_stopped" "$WOKE_stopped"
printf '%-28s %10s %10s %12s\n' "bare tray icon, playing" "$RSS_bare" "$PSS_bare" "$CPU_bare"
printf '%-28s %10s %10s %12s\n' "ratio program / bare" "$(ratio $RSS_prog $RSS_bare)" \
  "$(ratio $PSS_prog $PSS_bare)" "$( [ "$(echo "$CPU_bare > 0" | bc)" = 1 ] && ratio $CPU_prog $CPU_bare || echo -)"
echo "targets: RSS <= 35 MB ($(verdict $RSS_prog 35)), CPU playing <= 0.5 % ($(verdict $CPU_prog 0.5))," \
  "CPU stopped not measurable ($(verdict $CPU_stopped 0.05); one tick in 20 s is $(echo "scale=3; 100 / $hz / 20" | bc) %)," \
  "no wake-ups with the music stopped ($(verdict $WOKE_stopped 0))"
