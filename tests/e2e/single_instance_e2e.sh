#!/usr/bin/env bash
# Only one copy runs per user: a second start ends at once and silently; a
# copy killed with SIGKILL does not block the next start; two copies started
# at the same instant leave exactly one running.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
export QT_QPA_PLATFORM=offscreen
e2e_options welcome=0
# True once a running copy answers on its socket: it holds the lock and has
# set up its handling of SIGTERM. A dead copy's socket refuses.
copy_ready() {
  python3 -c 'import socket, sys; socket.socket(socket.AF_UNIX).connect(sys.argv[1])' \
    "$XDG_RUNTIME_DIR/davrin-audio-player.socket" 2>/dev/null
}
running() {
  local n=0 p
  for p in "$@"; do kill -0 "$p" 2>/dev/null && n=$((n + 1)); done
  echo $n
}

"$APP" & first=$!
wait_for 15 copy_ready || fail "the first copy did not start"
kill -0 $first || fail "the first copy did not keep running"

start=$SECONDS
"$APP" && rc=0 || rc=$?
[ $rc -eq 0 ] || fail "the second copy ended with $rc"
[ $((SECONDS - start)) -le 5 ] || fail "the second copy did not end at once"
kill -0 $first || fail "the first copy was disturbed by the second"

kill -KILL $first
wait $first 2>/dev/null || true
"$APP" & third=$!
wait_for 15 copy_ready || fail "a killed copy's lock blocked the next start"
kill -0 $third || fail "a killed copy's lock blocked the next start"
kill -TERM $third
wait $third || fail "SIGTERM did not end the program cleanly"
grep -q '^active_collection=' "$CONF" || fail "SIGTERM ended without saving the options"

# Two at the same instant: exactly one stays.
"$APP" & a=$!
"$APP" & b=$!
wait_for 15 copy_ready || fail "neither of two simultaneous copies started"
one_left() { [ "$(running $a $b)" -le 1 ]; }
wait_for 15 one_left || true
alive=$(running $a $b)
[ $alive -eq 1 ] || fail "$alive copies running after a simultaneous start"
kill -TERM $a $b 2>/dev/null || true
wait 2>/dev/null || true
echo "single instance: ok"
